// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lyricsscan.h"

#include <QUrl>

#include "common/numparse.h"

namespace lyrics {
namespace {
constexpr int kEntriesPerPage = 10;

// The text between `marker` (searched from `from` on) and the next `end`; false when either
// is missing.
bool Between(const QString& text, const QString& marker, const QString& end, QString* out,
             qsizetype from = 0) {
  const qsizetype a = text.indexOf(marker, from);
  if (a < 0) return false;
  const qsizetype start = a + marker.size();
  const qsizetype b = text.indexOf(end, start);
  if (b < 0) return false;
  *out = text.mid(start, b - start);
  return true;
}

// The singer after `label`: the text between the next ">" and the following "</a>".
QString SingerAfter(const QString& entry, const QString& label) {
  const qsizetype s = entry.indexOf(label);
  if (s < 0) return QString();
  QString singer;
  if (!Between(entry, QStringLiteral(">"), QStringLiteral("</a>"), &singer, s + label.size()))
    return QString();
  return StripLyricTags(singer.remove(QStringLiteral("&amp")));
}
}  // namespace

QString StripLyricTags(QString text) {
  static const QString kTags[] = {QStringLiteral("</B>"),
                                  QStringLiteral("</font>"),
                                  QStringLiteral("<font color=\"#c60a00\">"),
                                  QStringLiteral("<B>"),
                                  QStringLiteral("</strong>"),
                                  QStringLiteral("<strong>"),
                                  QStringLiteral("&amp;"),
                                  QStringLiteral("<span class=\"red\">"),
                                  QStringLiteral("</span>")};
  for (const QString& tag : kTags) text.remove(tag, Qt::CaseSensitive);
  return text;
}

int ParseSiteCount(const QString& page) {
  QString count;
  if (!Between(page, QStringLiteral("共找到<span class=\"fred\">"), QStringLiteral("</span>个结果"),
               &count))
    return -1;
  const double n = common::Val(count);
  return n > 0 && n < 1e9 ? static_cast<int>(n) : 0;
}

int SitePages(int count) {
  const int pages = count / 10;
  if (pages <= 0) return 1;
  return pages > 5 ? 5 : pages;
}

bool IsLyricsLink(const QString& link) {
  const QUrl url(link);
  const QString scheme = url.scheme().toLower();
  return url.isValid() && (scheme == u"http" || scheme == u"https") && !url.host().isEmpty();
}

LyricsPageScan ScanSitePage(const QString& page, const QString& root) {
  LyricsPageScan scan;
  const QString ad = QStringLiteral("赞助广告");
  const qsizetype adAt = page.indexOf(ad);
  if (adAt < 0) {
    scan.stopped = true;
    return scan;
  }
  const QString text = page.mid(adAt + ad.size());
  const QString entryStart = QStringLiteral(".歌曲：<a href=");
  const QString entryEnd = QStringLiteral("音乐播放LRC同步显示");
  qsizetype at = 0;
  for (int n = 0; n < kEntriesPerPage; ++n) {
    const qsizetype a = text.indexOf(entryStart, at);
    if (a < 0) return scan.stopped = true, scan;
    const qsizetype start = a + entryStart.size();
    const qsizetype e = text.indexOf(entryEnd, start);
    if (e < 0) return scan.stopped = true, scan;
    const QString entry = text.mid(start, e - start);
    at = e;
    QString title;
    if (!Between(entry, QStringLiteral(">"), QStringLiteral("</a>"), &title))
      return scan.stopped = true, scan;
    scan.rows.append({StripLyricTags(title), QString(), QString()});
    const qsizetype d = entry.indexOf(QStringLiteral("下载："));
    const qsizetype t = d < 0 ? -1 : entry.indexOf(QStringLiteral(">TXT格式<"), d);
    QString relative;
    if (t < 0 ||
        !Between(entry, QStringLiteral("<a href=\""), QStringLiteral("\" target="), &relative, t))
      return scan.stopped = true, scan;
    // A link that names its own scheme ("file:", "data:", "//elsewhere") is not the site's.
    const bool relativeOnly = QUrl(relative).scheme().isEmpty() && !relative.startsWith(u'/') &&
                              !relative.startsWith(u'\\');
    const QString link = root + u'/' + relative;
    LyricsHit& hit = scan.rows.last();
    if (relativeOnly && IsLyricsLink(link)) hit.link = link;
    ++scan.hits;
    hit.singer = SingerAfter(entry, QStringLiteral("歌手："));
  }
  return scan;
}

LyricsPageScan ScanBaiduPage(const QString& page) {
  LyricsPageScan scan;
  const QString entryStart = QStringLiteral("歌曲：");
  const QString entryEnd = QStringLiteral("LRC歌词来自：");
  qsizetype at = 0;
  for (int n = 0; n < kEntriesPerPage; ++n) {
    const qsizetype a = page.indexOf(entryStart, at);
    if (a < 0) return scan.stopped = true, scan;
    const qsizetype start = a + entryStart.size();
    const qsizetype e = page.indexOf(entryEnd, start);
    if (e < 0) return scan.stopped = true, scan;
    const QString entry = page.mid(start, e - start);
    at = e;
    const qsizetype d = entry.indexOf(QStringLiteral("</div>"));
    if (d < 0) return scan.stopped = true, scan;
    scan.rows.append({StripLyricTags(entry.left(d)), QString(), QString()});
    QString link;
    if (!Between(entry, QStringLiteral("<div style=\"word-break:break-all\"><a href=\""),
                 QStringLiteral("\" target="), &link))
      return scan.stopped = true, scan;
    LyricsHit& hit = scan.rows.last();
    if (IsLyricsLink(link)) hit.link = link;
    ++scan.hits;
    hit.singer = SingerAfter(entry, QStringLiteral("歌手：</strong><A"));
  }
  return scan;
}

}  // namespace lyrics
