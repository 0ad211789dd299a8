// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include "playlist/songentry.h"

// Song search and link resolution as pure functions: page text in, rows or addresses out.
// Page text is what the fetcher's read-back gives (lines joined without separators).
namespace web {

enum class Engine { Sogou = 0, Baidu = 1, Soso = 2 };

// Search engine hosts an address is built from.
struct EngineHosts {
  QString sogouSearch;  // "http://127.0.0.1:8460"
  QString sogouListen;
  QString baiduSearch;
  QString sosoSearch;
  QString SogouSiteName() const { return QUrl(sogouSearch).host(); }
  // The listen-page address prefix: host + "/listenV2.jsp?".
  QString ListenPrefix() const { return sogouListen + QStringLiteral("/listenV2.jsp?"); }
};

// Query fragments by engine and format index (0 mp3, 1 wma, 2 rm, 3 all):
// SearchFormatFilter(Baidu, 1) -> "&lm=2"; ResolveFormatFilter(Soso, 3) -> "&clz=".
QString SearchFormatFilter(Engine engine, int format);
QString ResolveFormatFilter(Engine engine, int format);

// The address of result page 1..3 for key, inserted as typed:
// (Soso, "a", 2, 3) -> host + "/music.cgi?w=a&pl=&co=&ch=s.m.res&sc=mus&sz=&clz=&pg=2".
QString SearchAddress(Engine engine, const EngineHosts& hosts, const QString& key, int page,
                      int format);
// The address whose page lists a hit's candidate links.
QString ResolveAddress(Engine engine, const EngineHosts& hosts, const QString& query, int format);

// A hit of a result page. Fields a page did not give stay empty (the row keeps its number).
struct SearchHit {
  QString title;
  QString singer;
  QString duration;
};

// <a pb=t class=mr style=...o2('id=1');return(false);" title="歌" action=..class=mr
// target=_blank>林</a>&nbsp  =>  {"歌", "林", "00:00"} (at most 30 a page).
QList<SearchHit> ScanSogouResults(const QString& page);
// ...onclick="return ow(event,this)"  target="_blank">歌</a></td>..target="_blank">林</a>&nbsp
// ...onclick="return ow(...  =>  {"歌", "林", "00:00"}; the page's last hit is never taken.
QList<SearchHit> ScanBaiduResults(const QString& page);
// Soso pages are not scanned: 20 rows of the typed words, singer "未知".
QList<SearchHit> SosoRows(const QString& key);

// One candidate link and the text the monitor's candidate list shows for it.
struct Candidate {
  QString address;
  QString slot;
};
inline constexpr int kSogouCandidateLimit = 25;
inline constexpr int kBaiduCandidateLimit = 25;
inline constexpr int kSosoCandidateLimit = 20;
int CandidateLimit(Engine engine);

// ...class=mr style=..o2('id=4&m=0');return(false);  =>  prefix + "id=4&m=0"
QList<Candidate> CollectSogouCandidates(const QString& page, const QString& listenPrefix);
// <td class=d><a href="http://x/d?id=1&word=mp3,歌" title="请点击左键..  =>
// {"http://x/d?id=1&word=mp3,歌", "UrlEncode0=歌"}
QList<Candidate> CollectBaiduCandidates(const QString& page);
// <div id="meta_info_1">歌;林;http://x/a.mp3;;|$|  =>  "http://x/a.mp3"
QList<Candidate> CollectSosoCandidates(const QString& page);

// The address in the first line shaped  ..."url":"http://x/a.wav"}]};  ("" when none).
QString ParseSogouListen(const QStringList& lines);

// The address of the first <a> whose id is urla, resolved against base ("" when none).
QString FindUrlaAnchor(const QString& html, const QUrl& base = QUrl());

// Cuts decorations when stripDecorations (the Sets(4) option) is on, then makes full-width
// apostrophes plain: "海风(Live版)" -> "海风"; "海风 - 林" -> "海风 "; "ｘ＇ｙ" -> "ｘ'ｙ".
QString NormaliseTitle(const QString& title, bool stripDecorations);
// "<b>林</b> 歌词" -> "林 未知": tags out, spaces trimmed, 歌词 read as unknown. Linear in
// the text however many tags it holds.
QString StripTags(const QString& html);

// Whether a link from a page may reach the player or the fetcher: http, https, mms, mmsh,
// rtsp and rtmp only ("file:///x", "javascript:..", "data:..", "ftp://..", "av://.." are not).
// The scrapers below drop everything else where they collect it.
bool IsNetworkAddress(const QString& address);

// The monitor's candidate rows 16..35: slots 0..19 with the listen prefix shown as "...?".
QStringList MonitorCandidateTexts(const QStringList& candidateSlots, const QString& listenPrefix);

}  // namespace web
