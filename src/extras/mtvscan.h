// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// The music-video site's pages read by their literal markers: the result total, the hits, the
// video host's path script and a video page, and the video address they resolve to.
namespace extras {

// A lying total must not start a thousand page fetches: 50 pages are 1,000 hits.
inline constexpr int kMaxMtvPages = 50;
// The 16-bit total the site's count is read into.
inline constexpr int kMaxMtvTotal = 32767;

struct MtvHit {
  QString title;   // highlight spans removed
  QString singer;  // the bracketed part
  QString link;    // site root + "/" + the relative link
};

// Removes every highlight span the site wraps around the words searched for:
// "<span class=\"searchhighlight\">爱</span>情" -> "爱情".
QString StripSearchHighlight(QString text);

// "总数：<b>41</b>" -> 41, held to 0..32767; nullopt when the marker is missing.
std::optional<int> ScanMtvTotal(const QString& page);
// Pages to read for a total: total div 20 + 1, at least 1 and at most kMaxMtvPages
// (19 -> 1, 20 -> 2, 41 -> 3).
int MtvPages(int total);

// "· <a href=\"/v/1.htm\" target=\"_blank\" class=\"searchtitle\">[歌手] 歌名</a>" with root
// "http://s" -> {歌名, 歌手, "http://s/v/1.htm"}. Reading stops at the first missing marker.
QList<MtvHit> ScanMtvHits(const QString& page, const QString& siteRoot);

// The video host's server table, one `name="prefix";` a line: {"s1", "http://v1/mtv/"}.
using MtvPathTable = QList<QPair<QString, QString>>;
MtvPathTable ParsePathScript(const QStringList& lines);

// "var url=s1;var strFilename=\"a.wmv\";" -> {"s1", "a.wmv"}; nullopt when a marker is missing.
struct MtvVideoRef {
  QString key;
  QString fileName;
};
std::optional<MtvVideoRef> ScanVideoPage(const QString& page);

// The prefix of key's table entry (or fallbackPrefix when it has none or it is blank) +
// fileName, when the result is an address the player may take from the web; nullopt for
// file://, av://, lavfi:// and every other scheme.
std::optional<QString> MtvVideoAddress(const MtvPathTable& table, const MtvVideoRef& ref,
                                       const QString& fallbackPrefix);

}  // namespace extras
