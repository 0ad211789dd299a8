// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mtvpages.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringList>
#include <memory>

#include "catalogue.h"
#include "demoserver.h"

#ifndef TW_DEMO_VIDEO_DIR
#define TW_DEMO_VIDEO_DIR ""
#endif

namespace {
constexpr int kPerPage = 20;
const QString kVersions[] = {QStringLiteral("MV"), QStringLiteral("现场版")};

struct Video {
  const DemoSong* song;
  int version;
};

QList<Video> Videos(const DemoCatalogue& cat, const QString& words) {
  QList<const DemoSong*> songs;
  if (words.compare(QStringLiteral("MV"), Qt::CaseInsensitive) == 0 ||
      words == QStringLiteral("巨量")) {
    for (const DemoSong& s : cat.songs()) songs << &s;
  } else {
    songs = cat.Match(words);
  }
  QList<Video> videos;
  for (const DemoSong* s : songs)
    for (int k = 0; k < 2; ++k) videos.append({s, k});
  return videos;
}

// The words searched for, wrapped in the site's highlight span wherever the title has them.
QString Highlight(QString text, const QString& words) {
  for (const QString& w : words.split(u' ', Qt::SkipEmptyParts)) {
    if (!text.contains(w)) continue;
    text.replace(
        w, QStringLiteral("<span class=\"searchhighlight\">") + w + QStringLiteral("</span>"));
  }
  return text;
}

DemoResponse SearchPage(const DemoCatalogue& cat, const DemoRequest& r) {
  const QString words = r.Value(QStringLiteral("keywords")).trimmed();
  const QList<Video> videos = Videos(cat, words);
  const int page = qMax(1, r.Value(QStringLiteral("page")).toInt());
  QString html = QStringLiteral(
      "<html><head><title>MTV搜索</title></head><body>\n<div class=\"top\">MTV搜索结果</div>\n");
  if (videos.isEmpty()) {
    html += QStringLiteral("<p>没有找到相关的MTV</p></body></html>\n");
    return DemoResponse::Html(html);
  }
  const QString total = words == QStringLiteral("巨量") ? QStringLiteral("99999999999")
                                                        : QString::number(videos.size());
  html += QStringLiteral("<div class=\"count\">总数：<b>") + total +
          QStringLiteral("</b> 个</div>\n<ul>\n");
  for (int i = (page - 1) * kPerPage; i < qMin(page * kPerPage, int(videos.size())); ++i) {
    const Video& v = videos[i];
    const QString title = v.song->title + u' ' + kVersions[v.version];
    html += QStringLiteral(
                "<li>· <a href=\"/mtv/v/%1-%2.htm\" target=\"_blank\" "
                "class=\"searchtitle\">[")
                .arg(v.song->id)
                .arg(v.version) +
            v.song->singer + QStringLiteral("] ") + Highlight(title, words) +
            QStringLiteral("</a></li>\n");
  }
  html += QStringLiteral("</ul></body></html>\n");
  return DemoResponse::Html(html);
}

QString ServerKey(int id, int version) {
  if (id == 7 && version == 1) return QStringLiteral("s6");
  const int r = id % 3;
  return r == 0 ? QStringLiteral("s1") : r == 1 ? QStringLiteral("s2") : QStringLiteral("s9");
}

DemoResponse VideoPage(const DemoCatalogue& cat, const QString& path) {
  // "/mtv/v/ID-K.htm"
  const QStringList parts = path.mid(7).section(u'.', 0, 0).split(u'-');
  const DemoSong* song = cat.Song(parts.value(0).toInt());
  const int version = parts.value(1).toInt();
  if (!song || parts.size() != 2 || version < 0 || version > 1)
    return DemoResponse::Html(QStringLiteral("<html><body>404 找不到页面</body></html>"), 404);
  const QString html =
      QStringLiteral("<html><head><title>") + song->title + QStringLiteral("</title>\n") +
      QStringLiteral("<script>\nvar url=") + ServerKey(song->id, version) +
      QStringLiteral(";\nvar strFilename=\"mv%1.wmv\";\n</script></head>\n").arg(song->id % 3 + 1) +
      QStringLiteral("<body><h1>") + song->singer + QStringLiteral(" - ") + song->title +
      QStringLiteral("</h1></body></html>\n");
  return DemoResponse::Html(html);
}

DemoResponse File(const QHash<QString, QByteArray>& videos, const QString& name) {
  const auto it = videos.find(name);
  if (it == videos.end())
    return DemoResponse::Html(QStringLiteral("<html><body>404 文件不存在</body></html>"), 404);
  DemoResponse r;
  r.contentType = "video/x-ms-wmv";
  r.body = *it;
  r.rangeable = true;
  return r;
}
}  // namespace

void RegisterMtvPages(DemoServer& server, const DemoCatalogue& catalogue, const QString& videoDir) {
  const DemoCatalogue* cat = &catalogue;
  auto videos = std::make_shared<QHash<QString, QByteArray>>();
  const QDir dir(videoDir.isEmpty() ? QStringLiteral(TW_DEMO_VIDEO_DIR) : videoDir);
  for (int n = 1; n <= 3; ++n) {
    const QString name = QStringLiteral("mv%1.wmv").arg(n);
    QFile f(dir.filePath(name));
    if (f.open(QIODevice::ReadOnly)) videos->insert(name, f.readAll());
  }
  server.AddRoute(QStringLiteral("/mtv/search.php"),
                  [cat](const DemoRequest& r) { return SearchPage(*cat, r); });
  server.AddPrefixRoute(QStringLiteral("/mtv/"), [cat, videos](const DemoRequest& r) {
    if (r.path.startsWith(QStringLiteral("/mtv/v/"))) return VideoPage(*cat, r.path);
    return File(*videos, r.path.mid(5));
  });
  server.AddPrefixRoute(QStringLiteral("/video/"),
                        [videos](const DemoRequest& r) { return File(*videos, r.path.mid(7)); });
  DemoServer* s = &server;
  server.AddRoute(QStringLiteral("/v/js/path.js"), [s](const DemoRequest&) {
    const QString base = s->baseUrl();
    DemoResponse r = DemoResponse::Html(
        QStringLiteral("// 视频服务器列表\n") + QStringLiteral("s1=\"") + base +
        QStringLiteral("/video/\";\ns2 =\"") + base + QStringLiteral("/video/\";\n") +
        QStringLiteral("s6=\"file:///etc/\";\n") + QStringLiteral("var note=\"维护中\"\n"));
    r.contentType = "application/x-javascript; charset=gb2312";
    return r;
  });
}
