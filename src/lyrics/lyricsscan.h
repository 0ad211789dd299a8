// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>

// Reading the two lyrics search engines' result pages: page text in (lines joined), hits out.
namespace lyrics {

// One listed hit. A row whose link was missing on the page is listed with an empty link.
struct LyricsHit {
  QString title;
  QString singer;
  QString link;  // absolute http or https address of the lyrics text; "" when none usable
};

// What one result page gave: its rows in page order, how many of them are hits (the last row
// may be a title whose link was missing), and whether a missing marker ended the scan there,
// which ends the whole search.
struct LyricsPageScan {
  QList<LyricsHit> rows;
  int hits = 0;
  bool stopped = false;
};

// Removes the engines' highlight markup, in this order: </B>, </font>, the red <font ...>,
// <B>, </strong>, <strong>, &amp;, <span class="red">, </span>.
// "<B>海</B><span class=\"red\">风</span>" -> "海风"
QString StripLyricTags(QString text);

// The first site's result count, -1 when the page does not carry it.
// "...共找到<span class=\"fred\">25</span>个结果..." -> 25
int ParseSiteCount(const QString& page);
// Pages to read for a result count: count div 10, at most 5, and 1 when that is 0.
// 7 -> 1, 25 -> 2, 80 -> 5
int SitePages(int count);

// A first-site result page (up to 10 entries after "赞助广告"); links are relative to root.
// ".歌曲：<a href=x>月光</a>...下载：<a>>TXT格式<</a><a href=\"l/1.lrc\"
// target=...音乐播放LRC同步显示"
//   with root "http://h" -> {月光, "", "http://h/l/1.lrc"}
LyricsPageScan ScanSitePage(const QString& page, const QString& root);
// A Baidu lyrics search page (up to 10 entries); its links are absolute.
// "歌曲：月光</div>...<div style=\"word-break:break-all\"><a href=\"http://h/1.lrc\" target=..
//   LRC歌词来自：" -> {月光, "", "http://h/1.lrc"}
LyricsPageScan ScanBaiduPage(const QString& page);

// True for the only links a lyrics download may fetch: http and https with a host.
bool IsLyricsLink(const QString& link);

}  // namespace lyrics
