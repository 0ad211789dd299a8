// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lrcformat.h"

#include <gtest/gtest.h>

#include "lyrics/lrctestdata.h"
#include "support/tempappdir.h"

using namespace lyrics;

TEST(IsValidLrc, CountsTagLinesLengthAndMarkup) {
  QStringList shortLines;
  for (int k = 0; k < 16; ++k) shortLines << QStringLiteral("[00:%1.00]a").arg(k + 10);
  const QStringList good = MakeLrcLines(14, 200);  // 2 header tags + 14 times = 16 tag lines
  auto with = [&](const QString& line) { return QStringList(good) << line; };
  struct Case {
    const char* name;
    QStringList lines;
    bool valid;
  } cases[] = {
      {"16 tag lines", good, true},
      {"15 tag lines", MakeLrcLines(15, 200, {}), false},
      {"under 300 characters", shortLines, false},
      {"html line break", with(QStringLiteral("歌词<BR>")), false},
      {"closing tag", with(QStringLiteral("</p>")), false},
      {"one-digit minutes", with(QStringLiteral("[1:05.00]x")), false},
      {"positive offset", with(QStringLiteral("[offset:500]")), true},
      {"negative offset", with(QStringLiteral("[Offset:-500]")), true},
      {"long name without value", with(QStringLiteral("[length:abc]")), true},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidLrcLines(c.lines), c.valid) << c.name;
}

TEST(IsValidLrc, ReadsFilesWithAnyLineEndAndEncoding) {
  TempAppDir dir;
  const QString text = MakeLrcLines(20, 200).join(QStringLiteral("\r"));
  dir.WriteFile(QStringLiteral("cr.lrc"), text.toUtf8());
  dir.WriteFile(QStringLiteral("bom.lrc"), "\xEF\xBB\xBF" + text.toUtf8());
  // One long line: the tags are no longer lines of their own.
  dir.WriteFile(QStringLiteral("one.lrc"), QString(text).remove(u'\r').toUtf8());
  EXPECT_TRUE(IsValidLrc(dir.Path(QStringLiteral("cr.lrc"))));
  EXPECT_TRUE(IsValidLrc(dir.Path(QStringLiteral("bom.lrc"))));
  EXPECT_FALSE(IsValidLrc(dir.Path(QStringLiteral("one.lrc"))));
  EXPECT_FALSE(IsValidLrc(dir.Path(QStringLiteral("missing.lrc"))));
}

TEST(ParseLrcTime, MinutesUnderTenSecondsUpToSixtyAndOnlyPositiveOffsets) {
  struct Case {
    const char* tag;
    float seconds;
    float offset;  // 7 = left alone
  } cases[] = {{"01:23.45", 83.45f, 7}, {"1:05", 65, 7},         {"09:60", 600, 7},
               {"00:60.5", 0, 7},       {"10:00.00", 0, 7},      {"-1:10", 0, 7},
               {"offset:500", 0, 500},  {"OFFSET: 250", 0, 250}, {"offset:-500", 0, 7},
               {"offset:0", 0, 7},      {"offsets:300", 0, 7}};
  for (const Case& c : cases) {
    float offset = 7;
    EXPECT_FLOAT_EQ(ParseLrcTime(QString::fromUtf8(c.tag), &offset), c.seconds) << c.tag;
    EXPECT_FLOAT_EQ(offset, c.offset) << c.tag;
  }
}

TEST(LastLyricTime, TakesTheLargestTimeAndIgnoresTenMinutes) {
  float offset = 0;
  EXPECT_FLOAT_EQ(
      LastLyricTime(QStringLiteral("[offset:300][00:10.00]a[01:02.50]b[10:00.00]c[00:30]"),
                    &offset),
      62.5f);
  EXPECT_FLOAT_EQ(offset, 300);
  EXPECT_FLOAT_EQ(LastLyricTime(QStringLiteral("x]y[01:30.00]")), 0);  // "]" before "[" ends it
  EXPECT_FLOAT_EQ(LastLyricTime(QStringLiteral("[no time][01:00]")), 60);
}
