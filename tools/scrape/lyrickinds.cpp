// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrickinds.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "common/textfile.h"
#include "lyrics/lrcformat.h"
#include "lyrics/lyricsscan.h"
#include "scrapeprint.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {
using Output = ScrapeOutput;

Output PageRows(const lyrics::LyricsPageScan& scan) {
  Output out{{"number", "title", "singer", "link"}, {}, {}};
  int n = 1;
  for (const lyrics::LyricsHit& h : scan.rows)
    out.rows << QStringList{QStringLiteral("%1").arg(n++, 2, 10, QLatin1Char('0')), h.title,
                            h.singer, h.link};
  out.values.insert(QStringLiteral("hits"), scan.hits);
  out.values.insert(QStringLiteral("stopped"), scan.stopped);
  return out;
}
}  // namespace

QString LyricsKindNames() {
  return QStringLiteral("lyrics-site-count lyrics-site-page lyrics-baidu-page lrc-check");
}

int RunLyricsKind(const QString& kind, const QString& file, const QString& servicesFile,
                  bool json) {
  if (!LyricsKindNames().split(u' ').contains(kind)) return -1;
  if (kind == QStringLiteral("lrc-check")) {
    Output out{{"valid"}, {{lyrics::IsValidLrc(file) ? "true" : "false"}}, {}};
    PrintOutput(out, json);
    return 0;
  }
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "tunewharf-scrape: cannot read %s\n", qPrintable(file));
    return 2;
  }
  // The read-back rule: the page as GBK text, its lines joined without separators.
  const QString page = common::SplitLines(web::BytesToText(in.read(PageFetcher::kMaxBodyBytes),
                                                           QStringLiteral("GB2312")))
                           .join(QString());
  ServiceHosts hosts;
  if (!servicesFile.isEmpty()) {
    const auto read = ServiceHosts::Read(servicesFile);
    if (!read) {
      std::fprintf(stderr, "tunewharf-scrape: cannot read %s\n", qPrintable(servicesFile));
      return 2;
    }
    hosts = *read;
  }
  Output out;
  if (kind == QStringLiteral("lyrics-site-count")) {
    const int count = lyrics::ParseSiteCount(page);
    out.fields = QStringList{"count", "pages"};
    out.rows << QStringList{QString::number(count), QString::number(lyrics::SitePages(count))};
  } else if (kind == QStringLiteral("lyrics-site-page")) {
    out = PageRows(lyrics::ScanSitePage(page, hosts.Host(ServiceHosts::kLyricsSite)));
  } else {
    out = PageRows(lyrics::ScanBaiduPage(page));
  }
  PrintOutput(out, json);
  return 0;
}
