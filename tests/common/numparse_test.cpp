// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "common/numparse.h"

using namespace common;

TEST(Val, ReadsTheNumberAtTheStart) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"12abc", 12}, {"  3.5 ", 3.5}, {"x12", 0}, {"", 0},    {"-5", -5},
               {"250", 250},  {".5", 0.5},     {"1e3", 1}, {"True", 0}, {"4.", 4}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(Val(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST(Int, FloorsTowardsMinusInfinity) {
  EXPECT_EQ(Int(2.9), 2);
  EXPECT_EQ(Int(-1.5), -2);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.6), 3);
}

TEST(Format, ThreeDigitsAndMinutesSeconds) {
  EXPECT_EQ(ThreeDigits(1), "001");
  EXPECT_EQ(ThreeDigits(999), "999");
  EXPECT_EQ(ThreeDigits(1000), "1000");
  EXPECT_EQ(FormatMmSs(187), "03:07");
  EXPECT_EQ(FormatMmSs(0), "00:00");
  EXPECT_EQ(FormatMmSs(100 * 60 + 1), "100:01");
  EXPECT_EQ(ParseMmSs("03:07"), 187);
  EXPECT_EQ(ParseMmSs("00:45"), 45);
  EXPECT_EQ(ParseMmSs("garbage"), 0);
}
