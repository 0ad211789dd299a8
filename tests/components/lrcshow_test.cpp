// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/ui/lrcshow.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "common/gbk.h"
#include "components/testmedia.h"

namespace {

class LrcShowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = dir_.filePath(QStringLiteral("后来.lrc"));
    const QString text = QStringLiteral(
        "[ti:后来]\r\n[00:01.00]第一句\r\n[00:05.00][00:30.00]后来我总算学会了如何去爱\r\n"
        "[00:10.00]\r\n[00:15.00]最后一句\r\n");
    ASSERT_TRUE(testmedia::WriteFile(path_, common::EncodeGbk(text)));
    show_.resize(300, 200);
    show_.show();
  }
  QTemporaryDir dir_;
  QString path_;
  LrcShow show_;
};

TEST_F(LrcShowTest, LoadReportsTheNeededWidthOfTheLongestLine) {
  QSignalSpy width(show_.notifier(), &LyricsDisplayNotifier::NeededWidth);
  show_.LoadFile(path_);
  EXPECT_EQ(show_.loadedFile(), path_);
  ASSERT_EQ(width.size(), 1);
  const int longest =
      show_.fontMetrics().horizontalAdvance(QStringLiteral("后来我总算学会了如何去爱"));
  const int twips = width.at(0).at(0).toInt();
  EXPECT_GE(twips, longest * 15);
  EXPECT_LT(twips, (longest + 40) * 15);

  show_.Clear();
  EXPECT_EQ(show_.loadedFile(), QString());
  EXPECT_TRUE(show_.document().isEmpty());
  // A missing file still counts as loaded by that name, with nothing to show.
  show_.LoadFile(QStringLiteral("/nowhere/x.lrc"));
  EXPECT_EQ(show_.loadedFile(), QStringLiteral("/nowhere/x.lrc"));
  EXPECT_TRUE(show_.document().isEmpty());
}

TEST_F(LrcShowTest, PositionTextsPickTheLineAndScrollOnlyWhenItChanges) {
  show_.LoadFile(path_);
  show_.ShowPosition(QStringLiteral("0.5"));
  EXPECT_EQ(show_.currentLine(), -1);
  show_.ShowPosition(QStringLiteral("5.0"));
  EXPECT_EQ(show_.currentLine(), 1);
  EXPECT_TRUE(show_.scrolling());
  QTRY_VERIFY_WITH_TIMEOUT(!show_.scrolling(), 2000);
  show_.ShowPosition(QStringLiteral("9.9"));  // the same line: nothing to animate
  EXPECT_FALSE(show_.scrolling());
  show_.ShowPosition(QStringLiteral("31.2"));
  EXPECT_EQ(show_.currentLine(), 4);
  EXPECT_EQ(show_.document().lines().at(4).text, QStringLiteral("后来我总算学会了如何去爱"));
}

TEST_F(LrcShowTest, AClickOnALineReportsItsTime) {
  show_.LoadFile(path_);
  show_.ShowPosition(QStringLiteral("15.0"));  // line 3 sits in the middle
  QTRY_VERIFY_WITH_TIMEOUT(!show_.scrolling(), 2000);
  QSignalSpy picked(show_.notifier(), &LyricsDisplayNotifier::PositionPicked);
  const int lineHeight = show_.fontMetrics().height() * 3 / 2;
  QTest::mouseClick(&show_, Qt::LeftButton, {}, QPoint(150, 100));
  QTest::mouseClick(&show_, Qt::LeftButton, {}, QPoint(150, 100 - lineHeight));
  QTest::mouseClick(&show_, Qt::LeftButton, {}, QPoint(10, 100 - 10 * lineHeight));  // no line
  ASSERT_EQ(picked.size(), 2);
  EXPECT_DOUBLE_EQ(picked.at(0).at(0).toDouble(), 15.0);
  EXPECT_DOUBLE_EQ(picked.at(1).at(0).toDouble(), 10.0);
}

TEST_F(LrcShowTest, MessagesSplitIntoLinesAndAreNotClickable) {
  show_.LoadFile(path_);
  show_.ShowMessage(
      QStringLiteral("       自动下载歌词功能未启用!\r\n开启位置:智能纠错>自动下载歌词"));
  EXPECT_EQ(show_.messageLines(), (QStringList{QStringLiteral("       自动下载歌词功能未启用!"),
                                               QStringLiteral("开启位置:智能纠错>自动下载歌词")}));
  QSignalSpy picked(show_.notifier(), &LyricsDisplayNotifier::PositionPicked);
  QTest::mouseClick(&show_, Qt::LeftButton, {}, QPoint(150, 100));
  EXPECT_EQ(picked.size(), 0);
  show_.ShowMessage(QStringLiteral("Tunewharf歌词秀"));
  EXPECT_EQ(show_.messageLines(), QStringList{QStringLiteral("Tunewharf歌词秀")});
  show_.LoadFile(path_);
  EXPECT_TRUE(show_.messageLines().isEmpty());
}

TEST_F(LrcShowTest, GeometryIsInTwipsAndColoursReadBack) {
  show_.SetGeometryTwips(90, 345, 4500, 3000);
  EXPECT_EQ(show_.geometry(), QRect(6, 23, 300, 200));
  EXPECT_EQ(show_.widthTwips(), 4500);
  show_.SetBackColor(QColor(199, 199, 199));
  show_.SetForeColor(Qt::black);
  show_.SetHighlightColor(Qt::red);
  EXPECT_EQ(show_.backColor(), QColor(199, 199, 199));
  EXPECT_EQ(show_.foreColor(), QColor(Qt::black));
  EXPECT_EQ(show_.highlightColor(), QColor(Qt::red));
  show_.SetAlignment(5);
  EXPECT_EQ(show_.alignment(), 1);

  // The highlight is drawn in its own colour on the current line.
  show_.LoadFile(path_);
  show_.ShowPosition(QStringLiteral("15.0"));
  QTRY_VERIFY_WITH_TIMEOUT(!show_.scrolling(), 2000);
  const QImage image = show_.grab().toImage();
  int red = 0, black = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 60) ++red;
      if (c.red() < 60 && c.green() < 60 && c.blue() < 60) ++black;
    }
  EXPECT_GT(red, 10);
  EXPECT_GT(black, 10);
}

}  // namespace
