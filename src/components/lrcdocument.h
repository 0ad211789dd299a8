// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The timed lines of an .lrc file, sorted by time, for the lyrics display to draw and to
// find the line of a play position.
class LrcDocument {
 public:
  struct Line {
    double time = 0;  // seconds, as written in the file's time tag
    QString text;     // may be empty: a pause in the song
  };

  // "[01:02.50][00:10]text" gives two lines with the same text; header tags such as [ti:..]
  // are skipped and [offset:N] is remembered. Lines keep the file's order among equal times.
  static LrcDocument Parse(const QStringList& lines);
  // Reads a GBK or UTF-8 file; nullopt when it cannot be read.
  static std::optional<LrcDocument> Load(const QString& path);

  const QList<Line>& lines() const { return lines_; }
  bool isEmpty() const { return lines_.isEmpty(); }
  // The [offset:] tag in milliseconds, 0 when absent. Not applied to the times: the lyrics
  // controller adds the user's offset to the position it hands over.
  double offsetMs() const { return offsetMs_; }
  // Index of the last line whose time is not after `seconds`; -1 before the first line.
  int LineAt(double seconds) const;

 private:
  QList<Line> lines_;
  double offsetMs_ = 0;
};
