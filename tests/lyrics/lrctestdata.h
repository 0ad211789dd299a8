// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// Lyrics files made by the tests: header tags, then `timeLines` lines spread evenly from
// 0 to `lastSeconds`, each long enough that 16 of them pass the 300-character rule.
inline QStringList MakeLrcLines(int timeLines, double lastSeconds,
                                const QStringList& head = {QStringLiteral("[ti:测试歌曲]"),
                                                           QStringLiteral("[ar:测试歌手]")}) {
  QStringList lines = head;
  for (int k = 0; k < timeLines; ++k) {
    const double t = timeLines > 1 ? lastSeconds * k / (timeLines - 1) : lastSeconds;
    const int cs = static_cast<int>(t * 100 + 0.5);
    lines << QStringLiteral("[%1:%2.%3]第%4行 风吹过山岗的时候我想起你")
                 .arg(cs / 6000, 2, 10, QChar(u'0'))
                 .arg(cs / 100 % 60, 2, 10, QChar(u'0'))
                 .arg(cs % 100, 2, 10, QChar(u'0'))
                 .arg(k + 1);
  }
  return lines;
}
