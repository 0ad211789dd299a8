// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "config/inicls.h"
#include "support/tempappdir.h"

TEST(IniCls, WritesAndReadsWithProfileSemantics) {
  TempAppDir dir;
  iniCLS ini;
  EXPECT_FALSE(ini.WriteString("a", "k", "v"));
  EXPECT_EQ(ini.lastError(), "没有指定 INI 文件");
  EXPECT_EQ(ini.ReadString("a", "k"), "");

  ini.SpecifyIni("  " + dir.Path("bin/t.ini") + " ");
  ASSERT_TRUE(ini.WriteString("Sec", "Key", "one"));
  ASSERT_TRUE(ini.WriteString("sec", "other", "two"));
  ASSERT_TRUE(ini.WriteString("SEC", "KEY", "three"));
  ASSERT_TRUE(ini.WriteString("next", "k", "中文"));
  EXPECT_EQ(dir.ReadFile("bin/t.ini"),
            QByteArray("[Sec]\r\nKey=three\r\nother=two\r\n[next]\r\nk=\xD6\xD0\xCE\xC4\r\n"));
  EXPECT_EQ(ini.ReadString("SEC", "key"), "three");
  EXPECT_EQ(ini.ReadString("sec", "missing"), "");
  EXPECT_EQ(ini.ReadString("nosection", "key"), "");
}

TEST(IniCls, ReadsAreCutToSizeMinusOneBytes) {
  TempAppDir dir;
  iniCLS ini;
  ini.SpecifyIni(dir.Path("bin/t.ini"));
  ini.WriteString("s", "ascii", QString(80, 'x'));
  ini.WriteString("s", "wide", QString(30, QChar(0x6B4C)));
  EXPECT_EQ(ini.ReadString("s", "ascii").size(), 49);
  EXPECT_EQ(ini.ReadString("s", "ascii", 10).size(), 9);
  EXPECT_EQ(ini.ReadString("s", "wide"), QString(24, QChar(0x6B4C)));
  EXPECT_EQ(ini.ReadInt("s", "missing"), 0);
  EXPECT_EQ(ini.lastError(), "不能读取");
  ini.WriteString("s", "big", "167677748139");
  EXPECT_EQ(ini.ReadInt("s", "big"), 0);  // beyond int: unreadable, not a wrapped number
  ini.WriteString("s", "small", "-2147483648");
  EXPECT_EQ(ini.ReadInt("s", "small"), -2147483648);
}
