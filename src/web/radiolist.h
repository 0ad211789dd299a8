// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The radio stations of bin/radiolist.ini, read once at start-up and kept as one text; a
// category is cut from that text each time it is chosen.
namespace web {

inline constexpr int kRadioCategoryCount = 25;

struct RadioCategory {
  QString caption;  // "01. 中央广播电台"
  QString section;  // "[zhongyang]"
};
const QList<RadioCategory>& RadioCategories();

// "01. 中央广播电台" -> "中央电台": every "广播" out, then the first four characters.
QString RadioCategoryLabel(const QString& caption);

struct RadioStation {
  QString name;
  QString address;
};

// The file's lines, each followed by "**", line ends dropped.
QString JoinRadioText(const QStringList& lines);

// The stations of `section` in the joined text: everything after the section's first
// occurrence up to the next "[" (or the end), split at "**"; a piece with "=" is name "=" address
// (the address ends at a further "=").
// ("[a]**x=http://h/1**[b]**", "[a]") -> {{"x", "http://h/1"}}
QList<RadioStation> RadioSectionStations(const QString& radioText, const QString& section);

}  // namespace web
