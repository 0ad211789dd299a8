// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "common/backup.h"
#include "common/gbk.h"
#include "common/textfile.h"

using namespace common;

TEST(SplitLines, AcceptsEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), (QStringList{"a"}));
  EXPECT_EQ(SplitLines("\r\n\r\n"), (QStringList{"", ""}));
  EXPECT_TRUE(SplitLines("").isEmpty());
}

TEST(Gbk, CountsAndCutsBytesNotCharacters) {
  const QString name = QString(25, QChar(0x4E2D));  // 25 × 中, 50 bytes
  EXPECT_EQ(GbkByteCount(name), 50);
  EXPECT_EQ(CutToGbkBytes(name, 49), QString(24, QChar(0x4E2D)));
  EXPECT_EQ(CutToGbkBytes("ab中", 3), "ab");
  EXPECT_EQ(EncodeGbk("中文"), QByteArray("\xD6\xD0\xCE\xC4"));
}

TEST(Gbk, FileTextRecognisesUtf8AndKeepsGbk) {
  TextEncoding enc;
  EXPECT_EQ(DecodeFileText("\xD6\xD0\xCE\xC4", &enc), "中文");
  EXPECT_EQ(enc, TextEncoding::Gbk);
  // "未知" in GBK is also well-formed UTF-8 ("δ֪"): GBK wins.
  EXPECT_EQ(DecodeFileText("\xCE\xB4\xD6\xAA", &enc), "未知");
  EXPECT_EQ(enc, TextEncoding::Gbk);
  EXPECT_EQ(DecodeFileText(QString("后来").toUtf8(), &enc), "后来");
  EXPECT_EQ(enc, TextEncoding::Utf8);
  // GBK beyond GB2312 that is also well-formed UTF-8 ("視" reads as Cyrillic "ҕ") stays GBK.
  EXPECT_EQ(DecodeFileText("\xD2\x95", &enc), QString::fromUtf8("視"));
  EXPECT_EQ(enc, TextEncoding::Gbk);
  EXPECT_EQ(DecodeFileText("\xEF\xBB\xBF" "abc", &enc), "abc");
  EXPECT_EQ(enc, TextEncoding::Utf8Bom);
  // An emoji survives a GBK-compatible round trip (the GBK encoder alone would give '?').
  const QString emoji = QString::fromUtf8("歌\xF0\x9F\x8E\xB5");
  EXPECT_EQ(DecodeGbk(EncodeGbk(emoji)), emoji);
}

TEST(TextFile, WritesCrLfWholeAndRefusesLinksOutOfTheFolder) {
  QTemporaryDir dir;
  const QString path = dir.filePath("a.txt");
  ASSERT_TRUE(WriteTextFile(path, {"中", ""}));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("\xD6\xD0\r\n\r\n"));
  auto back = ReadTextFile(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->lines, (QStringList{"中", ""}));

  QTemporaryDir outside;
  const QString victim = outside.filePath("victim");
  QFile::link(victim, dir.filePath("link.txt"));
  EXPECT_FALSE(WriteTextFile(dir.filePath("link.txt"), {"x"}));
  EXPECT_FALSE(QFile::exists(victim));
  EXPECT_FALSE(ReadTextFile(dir.filePath("missing")).has_value());
}

TEST(Backup, KeepsAFewGenerationsOutsideTheFolder) {
  QTemporaryDir dir;
  const QString backup = dir.filePath("backup");
  for (int i = 0; i < 4; ++i) {
    const QString file = dir.filePath("x.lrc");
    ASSERT_TRUE(WriteBytesAtomically(file, QByteArray::number(i)));
    ASSERT_TRUE(MoveToBackup(file, backup, 3));
    EXPECT_FALSE(QFile::exists(file));
  }
  QFile newest(QDir(backup).filePath("x.lrc"));
  ASSERT_TRUE(newest.open(QIODevice::ReadOnly));
  EXPECT_EQ(newest.readAll(), "3");
  EXPECT_TRUE(QFile::exists(QDir(backup).filePath("x.lrc.2")));
  EXPECT_FALSE(QFile::exists(QDir(backup).filePath("x.lrc.3")));
  EXPECT_FALSE(MoveToBackup(dir.filePath("nothing"), backup));
}
