// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// One song row of a grid; all fields are text. Columns 0..4 in this order.
struct SongEntry {
  QString number;    // three-digit index when the row was added; display only
  QString title;     // a row whose trimmed title is empty is a blank row
  QString singer;    // "未知" when not known
  QString duration;  // mm:ss, "00:00" until known
  QString path;      // local path or address

  bool IsBlank() const { return title.trimmed().isEmpty(); }
};

inline const QString kUnknownSinger = QStringLiteral("未知");
inline const QString kZeroDuration = QStringLiteral("00:00");
