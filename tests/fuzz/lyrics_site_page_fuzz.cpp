// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The first lyrics site's result pages: count, page count and entries from any bytes.
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
  const int pages = lyrics::SitePages(lyrics::ParseSiteCount(page));
  if (pages < 1 || pages > 5) std::abort();
  const lyrics::LyricsPageScan scan = lyrics::ScanSitePage(page, QStringLiteral("http://h"));
  if (scan.rows.size() > 10 || scan.hits > scan.rows.size() || scan.hits < scan.rows.size() - 1)
    std::abort();
  for (const lyrics::LyricsHit& hit : scan.rows) {
    const QString scheme = QUrl(hit.link).scheme();
    if (!hit.link.isEmpty() && (scheme != u"http" || QUrl(hit.link).host() != u"h")) std::abort();
  }
  return 0;
}
