// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lrcformat.h"

#include "lyrics/lyricstest.h"

using namespace lyrics;

TEST(IsValidLrc, CountsTagLinesLengthAndMarkup) {
  const QStringList good = MakeLrcLines(14, 200);  // 2 header tags + 14 times = 16 tag lines
  auto with = [&](const char* line) { return QStringList(good) << QString::fromUtf8(line); };
  for (const QStringList& lines :
       {good, with("[offset:500]"), with("[Offset:-500]"), with("[length:abc]")})
    EXPECT_TRUE(IsValidLrcLines(lines)) << lines.last().toStdString();
  const QStringList shortLines(16, QStringLiteral("[00:10.00]a"));  // under 300 characters
  for (const QStringList& lines :
       {MakeLrcLines(15, 200, {}), shortLines, with("歌词<BR>"), with("</p>"), with("[1:05.00]x")})
    EXPECT_FALSE(IsValidLrcLines(lines)) << lines.last().toStdString();
}

TEST(IsValidLrc, ReadsFilesWithAnyLineEndAndEncoding) {
  TempAppDir dir;
  auto valid = [&](const QByteArray& bytes) {
    dir.WriteFile(QStringLiteral("a.lrc"), bytes);
    return IsValidLrc(dir.Path(QStringLiteral("a.lrc")));
  };
  const QByteArray text = MakeLrcLines(20, 200).join(QStringLiteral("\r")).toUtf8();
  EXPECT_TRUE(valid(text));
  EXPECT_TRUE(valid("\xEF\xBB\xBF" + text));
  // One long line: the tags are no longer lines of their own.
  EXPECT_FALSE(valid(QByteArray(text).replace('\r', "")));
  EXPECT_FALSE(IsValidLrc(dir.Path(QStringLiteral("missing.lrc"))));
}

TEST(ParseLrcTime, MinutesUnderTenSecondsUpToSixtyAndOnlyPositiveOffsets) {
  // An offset of 7 means it was left alone.
  const std::tuple<const char*, float, float> cases[] = {
      {"01:23.45", 83.45f, 7}, {"1:05", 65, 7},    {"09:60", 600, 7},
      {"00:60.5", 0, 7},       {"-1:10", 0, 7},    {"OFFSET: 250", 0, 250},
      {"offset:-500", 0, 7},   {"offset:0", 0, 7}, {"offsets:300", 0, 7}};
  for (const auto& [tag, seconds, offset] : cases) {
    float parsedOffset = 7;
    EXPECT_FLOAT_EQ(ParseLrcTime(QString::fromUtf8(tag), &parsedOffset), seconds) << tag;
    EXPECT_FLOAT_EQ(parsedOffset, offset) << tag;
  }
}

TEST(LastLyricTime, TakesTheLargestTimeAndStopsAtAClosingBracketBeforeAnOpeningOne) {
  EXPECT_FLOAT_EQ(LastLyricTime(QStringLiteral("[01:02.50]b[00:30]")), 62.5f);
  EXPECT_FLOAT_EQ(LastLyricTime(QStringLiteral("x]y[01:30.00]")), 0);
  EXPECT_FLOAT_EQ(LastLyricTime(QStringLiteral("[no time][01:00]")), 60);
}
