// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/lrcdocument.h"

#include <algorithm>

#include "common/numparse.h"
#include "common/textfile.h"

namespace {

// Reads "mm:ss" or "mm:ss.xx" (minutes of any digits) from inside a tag; nullopt otherwise.
std::optional<double> ParseTime(QStringView tag) {
  const qsizetype colon = tag.indexOf(u':');
  if (colon <= 0) return std::nullopt;
  const QStringView minutes = tag.left(colon);
  const QStringView seconds = tag.mid(colon + 1);
  if (seconds.isEmpty()) return std::nullopt;
  for (QChar c : minutes)
    if (!c.isDigit()) return std::nullopt;
  bool dot = false;
  for (QChar c : seconds) {
    if (c == u'.' && !dot) {
      dot = true;
      continue;
    }
    if (!c.isDigit()) return std::nullopt;
  }
  if (!seconds.front().isDigit()) return std::nullopt;
  return minutes.toDouble() * 60 + seconds.toDouble();
}

}  // namespace

LrcDocument LrcDocument::Parse(const QStringList& lines) {
  LrcDocument doc;
  for (const QString& raw : lines) {
    QStringView rest = QStringView(raw).trimmed();
    QList<double> times;
    bool header = false;
    while (rest.startsWith(u'[')) {
      const qsizetype close = rest.indexOf(u']');
      if (close < 0) break;
      const QStringView tag = rest.mid(1, close - 1);
      if (auto t = ParseTime(tag)) {
        times << *t;
      } else if (times.isEmpty() && tag.indexOf(u':') > 0) {
        header = true;
        const qsizetype colon = tag.indexOf(u':');
        if (tag.left(colon).trimmed().compare(u"offset", Qt::CaseInsensitive) == 0)
          doc.offsetMs_ = common::Val(tag.mid(colon + 1).trimmed().toString());
        break;
      } else {
        break;
      }
      rest = rest.mid(close + 1);
    }
    if (header || times.isEmpty()) continue;
    const QString text = rest.trimmed().toString();
    for (double t : times) doc.lines_.append({t, text});
  }
  std::stable_sort(doc.lines_.begin(), doc.lines_.end(),
                   [](const Line& a, const Line& b) { return a.time < b.time; });
  return doc;
}

std::optional<LrcDocument> LrcDocument::Load(const QString& path) {
  // Lyrics files are small; a huge file is not lyrics and would only stall the GUI thread.
  const auto content = common::ReadTextFile(path, 4 << 20);
  if (!content) return std::nullopt;
  return Parse(content->lines);
}

int LrcDocument::LineAt(double seconds) const {
  const auto after = std::upper_bound(lines_.begin(), lines_.end(), seconds,
                                      [](double s, const Line& line) { return s < line.time; });
  return static_cast<int>(after - lines_.begin()) - 1;
}
