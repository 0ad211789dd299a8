// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/lrcdocument.h"

#include <gtest/gtest.h>

namespace {

TEST(LrcDocument, ReadsTimeTagsSortsThemAndSkipsHeaders) {
  const LrcDocument doc = LrcDocument::Parse(
      {QStringLiteral("[ti:后来]"), QStringLiteral("[ar:刘若英]"), QStringLiteral("[offset:500]"),
       QStringLiteral("[00:20.50][01:10.5]副歌"), QStringLiteral("[00:05.00]第一句"),
       QStringLiteral("[00:12]"), QStringLiteral("[123:01.25]很久以后"),
       QStringLiteral("no tag here"), QStringLiteral("[00:xx]broken")});
  QStringList texts;
  QList<double> times;
  for (const auto& line : doc.lines()) texts << line.text;
  for (const auto& line : doc.lines()) times << line.time;
  EXPECT_EQ(texts, (QStringList{QStringLiteral("第一句"), QString(), QStringLiteral("副歌"),
                                QStringLiteral("副歌"), QStringLiteral("很久以后")}));
  EXPECT_EQ(times, (QList<double>{5, 12, 20.5, 70.5, 123 * 60 + 1.25}));
  // The offset is reported, and the tag times are left as written.
  EXPECT_DOUBLE_EQ(doc.offsetMs(), 500);
  EXPECT_DOUBLE_EQ(LrcDocument::Parse({QStringLiteral("[OFFSET:-250]")}).offsetMs(), -250);
}

TEST(LrcDocument, LineAtIsTheLastLineNotAfterTheTime) {
  const LrcDocument doc =
      LrcDocument::Parse({QStringLiteral("[00:05]a"), QStringLiteral("[00:10]b"),
                          QStringLiteral("[00:10]c"), QStringLiteral("[00:20]d")});
  const struct {
    double at;
    int line;
  } cases[] = {{0, -1}, {4.9, -1}, {5, 0}, {9.99, 0}, {10, 2}, {19.9, 2}, {20, 3}, {999, 3}};
  for (const auto& c : cases) EXPECT_EQ(doc.LineAt(c.at), c.line) << c.at;
  EXPECT_EQ(LrcDocument().LineAt(10), -1);
}

}  // namespace
