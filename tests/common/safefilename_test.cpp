// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "common/safefilename.h"

using namespace common;

TEST(SafeFileName, NamesNeverLeaveTheirFolder) {
  QTemporaryDir dir;
  const char* hostile[] = {"../../x", "a/b", "..", "/etc/passwd", "a\\..\\b", "\x01\x02", "...",
                           "  ", "x/../../../y"};
  for (const char* name : hostile) {
    auto path = FileInFolder(dir.path(), QString::fromUtf8(name), ".lrc");
    if (path) {
      EXPECT_TRUE(IsDirectlyInside(dir.path(), *path)) << name << " -> " << path->toStdString();
    }
  }
  EXPECT_EQ(FileInFolder(dir.path(), "..").value_or(""), dir.path() + "/_");
  EXPECT_FALSE(IsDirectlyInside(dir.path(), dir.path() + "/../x"));
  EXPECT_FALSE(FileInFolder(dir.path(), "").has_value());
}

TEST(SafeFileName, KeepsOrdinaryTitlesAndBoundsLength) {
  EXPECT_EQ(SafeFileName("月亮代表我的心"), "月亮代表我的心");
  EXPECT_EQ(SafeFileName("a/b"), "a_b");
  EXPECT_EQ(SafeFileName("Song: Live?"), "Song_ Live_");
  EXPECT_LE(SafeFileName(QString(300, QChar(0x4E2D))).toUtf8().size(), 200);
}
