// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Baidu lyrics search's result pages from any bytes.
#include <QByteArray>
#include <QUrl>
#include <cstdint>
#include <cstdlib>

#include "common/textfile.h"
#include "lyrics/lyricsscan.h"
#include "web/pagefetcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QString page =
      common::SplitLines(web::BytesToText(bytes, QStringLiteral("GB2312"))).join(QString());
  const lyrics::LyricsPageScan scan = lyrics::ScanBaiduPage(page);
  if (scan.rows.size() > 10 || scan.hits > scan.rows.size() || scan.hits < scan.rows.size() - 1)
    std::abort();
  for (const lyrics::LyricsHit& hit : scan.rows) {
    const QString scheme = QUrl(hit.link).scheme();
    if (!hit.link.isEmpty() && scheme != u"http" && scheme != u"https") std::abort();
  }
  return 0;
}
