// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/ui/lrcshow.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "common/gbk.h"
#include "support/tempappdir.h"

namespace {

const QString kLongest = QStringLiteral("后来我总算学会了如何去爱");

class LrcShowTest : public ::testing::Test {
 protected:
  LrcShowTest() {
    dir_.WriteFile(QStringLiteral("后来.lrc"),
                   common::EncodeGbk("[ti:后来]\r\n[00:01.00]第一句\r\n[00:05.00][00:30.00]" +
                                     kLongest + "\r\n[00:10.00]\r\n[00:15.00]最后一句\r\n"));
    show_.resize(300, 200);
    show_.show();
  }
  TempAppDir dir_;
  const QString path_ = dir_.Path(QStringLiteral("后来.lrc"));
  LrcShow show_;
};

TEST_F(LrcShowTest, LoadReportsTheNeededWidthAndPositionsScrollOnlyWhenTheLineChanges) {
  QSignalSpy width(show_.notifier(), &LyricsDisplayNotifier::NeededWidth);
  show_.LoadFile(path_);
  EXPECT_EQ(show_.loadedFile(), path_);
  ASSERT_EQ(width.size(), 1);
  const int longest = show_.fontMetrics().horizontalAdvance(kLongest);
  EXPECT_GE(width.at(0).at(0).toInt(), longest * 15);
  EXPECT_LT(width.at(0).at(0).toInt(), (longest + 40) * 15);
  show_.ShowPosition(QStringLiteral("31.2"));
  EXPECT_EQ(show_.currentLine(), 4);
  EXPECT_EQ(show_.document().lines().at(4).text, kLongest);
  EXPECT_TRUE(show_.scrolling());
  QTRY_VERIFY_WITH_TIMEOUT(!show_.scrolling(), 2000);
  show_.ShowPosition(QStringLiteral("35.5"));  // the same line: nothing to animate
  EXPECT_FALSE(show_.scrolling());

  show_.Clear();
  EXPECT_EQ(show_.loadedFile(), QString());
  EXPECT_TRUE(show_.document().isEmpty());
  // A missing file still counts as loaded by that name, with nothing to show.
  show_.LoadFile(QStringLiteral("/nowhere/x.lrc"));
  EXPECT_EQ(show_.loadedFile(), QStringLiteral("/nowhere/x.lrc"));
  EXPECT_TRUE(show_.document().isEmpty());
}

TEST_F(LrcShowTest, TheCurrentLineIsCentredInTheHighlightAndAClickReportsALinesTime) {
  show_.SetGeometryTwips(90, 345, 4500, 3000);
  EXPECT_EQ(show_.geometry(), QRect(6, 23, 300, 200));
  EXPECT_EQ(show_.widthTwips(), 4500);
  show_.SetAlignment(5);
  EXPECT_EQ(show_.alignment(), 1);
  show_.SetBackColor(QColor(199, 199, 199));
  show_.SetForeColor(Qt::black);
  show_.SetHighlightColor(Qt::red);
  show_.LoadFile(path_);
  show_.ShowPosition(QStringLiteral("15.0"));  // line 3 sits in the middle
  QTRY_VERIFY_WITH_TIMEOUT(!show_.scrolling(), 2000);
  const QImage image = show_.grab().toImage();
  int red = 0, black = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      red += c.red() > 200 && c.green() < 60;
      black += c.red() < 60 && c.green() < 60 && c.blue() < 60;
    }
  EXPECT_GT(red, 10);
  EXPECT_GT(black, 10);

  QSignalSpy picked(show_.notifier(), &LyricsDisplayNotifier::PositionPicked);
  const int lineHeight = show_.fontMetrics().height() * 3 / 2;
  QTest::mouseClick(&show_, Qt::LeftButton, {}, QPoint(150, 100));
  QTest::mouseClick(&show_, Qt::LeftButton, {}, QPoint(150, 100 - lineHeight));
  QTest::mouseClick(&show_, Qt::LeftButton, {}, QPoint(10, 100 - 10 * lineHeight));  // no line
  ASSERT_EQ(picked.size(), 2);
  EXPECT_DOUBLE_EQ(picked.at(0).at(0).toDouble(), 15.0);
  EXPECT_DOUBLE_EQ(picked.at(1).at(0).toDouble(), 10.0);
  // Messages split into lines and are not clickable; loading a file ends them.
  show_.ShowMessage(
      QStringLiteral("       自动下载歌词功能未启用!\r\n开启位置:智能纠错>自动下载歌词"));
  EXPECT_EQ(show_.messageLines(), (QStringList{QStringLiteral("       自动下载歌词功能未启用!"),
                                               QStringLiteral("开启位置:智能纠错>自动下载歌词")}));
  QTest::mouseClick(&show_, Qt::LeftButton, {}, QPoint(150, 100));
  EXPECT_EQ(picked.size(), 2);
  show_.LoadFile(path_);
  EXPECT_TRUE(show_.messageLines().isEmpty());
}

}  // namespace
