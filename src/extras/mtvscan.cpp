// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/mtvscan.h"

#include <cmath>

#include "common/numparse.h"
#include "components/mpvsupport.h"

namespace extras {

namespace {
const QString kHighlightOpen = QStringLiteral("<span class=\"searchhighlight\">");
const QString kHighlightClose = QStringLiteral("</span>");
const QString kTotalMarker = QStringLiteral("总数：<b>");
const QString kHitStart = QStringLiteral("· <a href=\"/");
const QString kLinkEnd = QStringLiteral("\" target=\"_blank\" class=\"searchtitle\">[");
const QString kSingerEnd = QStringLiteral("] ");
const QString kTitleEnd = QStringLiteral("</a>");

// The text after `start` up to `end`, searching from `from`; `from` moves past `end`.
std::optional<QString> Between(const QString& text, const QString& start, const QString& end,
                               qsizetype& from) {
  const qsizetype a = text.indexOf(start, from);
  if (a < 0) return std::nullopt;
  const qsizetype b = text.indexOf(end, a + start.size());
  if (b < 0) return std::nullopt;
  from = b + end.size();
  return text.mid(a + start.size(), b - a - start.size());
}
}  // namespace

QString StripSearchHighlight(QString text) {
  text.remove(kHighlightOpen);
  text.remove(kHighlightClose);
  return text;
}

std::optional<int> ScanMtvTotal(const QString& page) {
  qsizetype from = 0;
  const auto text = Between(page, kTotalMarker, QStringLiteral("</b>"), from);
  if (!text) return std::nullopt;
  // A count past 16 bits (or 32, or a double's range) is held at the largest, never wrapped
  // or converted out of range.
  const QString digits = text->trimmed();
  qsizetype n = 0, first = -1;
  while (n < digits.size() && digits.at(n) >= u'0' && digits.at(n) <= u'9') {
    if (first < 0 && digits.at(n) != u'0') first = n;
    ++n;
  }
  if (first >= 0 && n - first > 5) return kMaxMtvTotal;
  const double value = common::Val(*text);
  if (std::isnan(value) || value <= 0) return 0;
  if (value >= kMaxMtvTotal) return kMaxMtvTotal;
  return static_cast<int>(value);
}

int MtvPages(int total) {
  if (total <= 0) return 1;
  return std::min(total / 20 + 1, kMaxMtvPages);
}

QList<MtvHit> ScanMtvHits(const QString& page, const QString& siteRoot) {
  QList<MtvHit> hits;
  qsizetype from = 0;
  for (;;) {
    const auto link = Between(page, kHitStart, kLinkEnd, from);
    if (!link) break;
    // The singer and title follow the link directly.
    const qsizetype singerEnd = page.indexOf(kSingerEnd, from);
    if (singerEnd < 0) break;
    const QString singer = page.mid(from, singerEnd - from);
    from = singerEnd + kSingerEnd.size();
    const qsizetype titleEnd = page.indexOf(kTitleEnd, from);
    if (titleEnd < 0) break;
    const QString title = page.mid(from, titleEnd - from);
    from = titleEnd + kTitleEnd.size();
    hits.append({StripSearchHighlight(title), singer, siteRoot + u'/' + *link});
  }
  return hits;
}

MtvPathTable ParsePathScript(const QStringList& lines) {
  MtvPathTable table;
  const QString split = QStringLiteral("=\"");
  const QString end = QStringLiteral("\";");
  for (const QString& line : lines) {
    if (!line.contains(split)) continue;
    const QStringList pieces = line.split(split);
    if (pieces.size() != 2 || !pieces[1].contains(end)) continue;
    table.append({pieces[0].trimmed(), pieces[1].trimmed().remove(end)});
  }
  return table;
}

std::optional<MtvVideoRef> ScanVideoPage(const QString& page) {
  qsizetype from = 0;
  const auto key = Between(page, QStringLiteral("var url="), QStringLiteral(";"), from);
  from = 0;
  const auto file =
      Between(page, QStringLiteral("var strFilename=\""), QStringLiteral("\";"), from);
  if (!key || !file) return std::nullopt;
  return MtvVideoRef{*key, *file};
}

std::optional<QString> MtvVideoAddress(const MtvPathTable& table, const MtvVideoRef& ref,
                                       const QString& fallbackPrefix) {
  QString prefix;
  for (const auto& [name, value] : table) {
    if (name == ref.key) {
      prefix = value;
      break;
    }
  }
  if (prefix.trimmed().isEmpty()) prefix = fallbackPrefix;
  const QString address = prefix + ref.fileName;
  // The same rule as every other address from the web: network schemes only.
  if (!components::PlayableTarget(address, UrlOrigin::Web)) return std::nullopt;
  return address;
}

}  // namespace extras
