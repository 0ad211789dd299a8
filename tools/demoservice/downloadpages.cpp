// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "downloadpages.h"

#include "catalogue.h"
#include "demoserver.h"

namespace {
constexpr int kPace = 300 * 1000;  // bytes per second

DemoResponse Missing() {
  return DemoResponse::Html(QStringLiteral("<html><body>404 文件不存在</body></html>"), 404);
}

DemoResponse Audio(const DemoCatalogue& cat, const QString& path, const QString& prefix) {
  // prefix + "ID.wav"
  const DemoSong* song = cat.Song(path.mid(prefix.size()).section(u'.', 0, 0).toInt());
  if (!song) return Missing();
  DemoResponse r;
  r.contentType = "audio/wav";
  r.body = song->wav;
  r.bytesPerSecond = kPace;
  return r;
}
}  // namespace

void RegisterDownloads(DemoServer& server, const DemoCatalogue& catalogue) {
  const DemoCatalogue* cat = &catalogue;
  const QString song = QStringLiteral("/download/song/");
  const QString broken = QStringLiteral("/download/broken/");
  server.AddPrefixRoute(song,
                        [cat, song](const DemoRequest& r) { return Audio(*cat, r.path, song); });
  server.AddPrefixRoute(broken, [cat, broken](const DemoRequest& r) {
    DemoResponse response = Audio(*cat, r.path, broken);
    if (response.status == 200) response.breakOffAt = response.body.size() / 2;
    return response;
  });
  server.AddRoute(QStringLiteral("/download/missing.wav"),
                  [](const DemoRequest&) { return Missing(); });
}
