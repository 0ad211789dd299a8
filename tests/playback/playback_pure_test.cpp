// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSet>

#include "common/gbk.h"
#include "playback/blockpacer.h"
#include "playback/knobgeometry.h"
#include "playback/picksong.h"
#include "playback/spectrumbars.h"
#include "playback/spectrumcapture.h"
#include "playback/statuslinescroller.h"
#include "playback/titlescroller.h"

namespace {

using playback::PickOutcome;

TEST(PickSongTest, RandomDrawSkipsBlankRowsAndNeverSpinsForever) {
  // Rows 1..3 titled, 4..19 blank: 0.9 draws row 18 (blank), 0.1 draws row 2.
  auto blank = [](int row) { return row > 3; };
  auto random = [n = 0]() mutable { return n++ ? 0.1 : 0.9; };
  const PickOutcome o = playback::PickSong(4, 4, 1, 20, blank, random);
  EXPECT_EQ(o.kind, PickOutcome::Kind::Row);
  EXPECT_EQ(o.row, 2);

  // A source that only ever hits blank rows still ends, on the one titled row.
  auto onlyRow7 = [](int row) { return row != 7; };
  EXPECT_EQ(playback::DrawRandomRow(20, onlyRow7, [] { return 0.99; }), 7);

  // Previous and next draw at random in mode 4; action 3 replays.
  EXPECT_EQ(playback::PickSong(1, 4, 2, 20, blank, [] { return 0.0; }).row, 1);
  EXPECT_EQ(playback::PickSong(3, 0, 2, 20, blank, {}).kind, PickOutcome::Kind::Replay);
}

TEST(PickSongTest, ClockSourceStaysInRange) {
  auto random = playback::ClockRandomSource();
  QSet<int> seen;
  for (int i = 0; i < 2000; ++i) {
    const double r = random();
    ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
    seen.insert(static_cast<int>(r * 10));
  }
  EXPECT_EQ(seen.size(), 10);  // every tenth of the range is reached
}

// 60 s of 4 minutes, the seek back and the volume knob's ends run through the engine and window
// tests.
TEST(KnobGeometryTest, ProgressAndVolumeKnobs) {
  EXPECT_EQ(playback::KnobLeftFor(240, 240), 3960);
  EXPECT_EQ(playback::KnobLeftFor(10, 0), 240);  // unknown length
  EXPECT_EQ(playback::PlayedBarWidth(1170), 930);
  EXPECT_EQ(playback::VolumeBarWidth(2688), 338);
}

TEST(TitleScrollerTest, CaptionNeverPassesEighteenGbkBytes) {
  TitleScroller scroller;
  const QString status = QStringLiteral("012. 我的中国心 ----- 张明敏");
  const QString stripped = QStringLiteral("012. 我的中国心 -- 张明敏");
  QStringList captions;
  for (int tick = 0; tick < 40; ++tick) {
    const QString caption = scroller.Tick(status);
    const int bytes = common::GbkByteCount(caption);
    ASSERT_LE(bytes, 18) << caption.toStdString();
    ASSERT_GE(bytes, 17) << caption.toStdString();  // only a wide character stops it short
    ASSERT_FALSE(caption.contains(QStringLiteral("---")));
    captions << caption;
  }
  EXPECT_TRUE(captions[0].startsWith(QStringLiteral("012. 我的中国心")));
  EXPECT_TRUE(captions[5].startsWith(QStringLiteral("我的")));
  // One lap is the stripped text plus its blank run; then the window starts over.
  const int lap = static_cast<int>(stripped.size()) + 6;
  EXPECT_EQ(captions[lap], captions[0]);
  scroller.Tick(status);
  scroller.Reset();
  EXPECT_EQ(scroller.Tick(status), captions[0]);
  // The next song's text is measured anew: 18 narrow characters fit where 9 wide ones did.
  scroller.Reset();
  EXPECT_EQ(scroller.Tick(QStringLiteral("013. Song title here ----- Singer")),
            QStringLiteral("013. Song title he"));
}

TEST(BlockPacerTest, ABurstComesOutOneAPollInOrderAndABacklogKeepsItsNewestSecond) {
  BlockPacer pacer;
  EXPECT_FALSE(pacer.Next());
  for (char c : {'a', 'b', 'c', 'd', 'e'}) pacer.Push(QByteArray(1, c));
  QByteArray order;
  while (const auto block = pacer.Next()) order += *block;
  EXPECT_EQ(order, "abcde");
  for (int k = 0; k < 25; ++k) pacer.Push(QByteArray::number(k));
  EXPECT_EQ(pacer.backlog(), BlockPacer::kMaxBacklog);
  EXPECT_EQ(pacer.Next(), QByteArray("15"));
}

TEST(StatusLineScrollerTest, WideTextSwingsBetweenTheEdges) {
  StatusLineScroller s;
  EXPECT_EQ(s.Step(2000), 1800);  // fits: stands still
  const int width = 2400;         // 255 twips too wide
  QList<int> lefts;
  for (int i = 0; i < 24; ++i) lefts << s.Step(width);
  EXPECT_EQ(lefts[0], 1770);
  const int leftMost = *std::min_element(lefts.begin(), lefts.end());
  EXPECT_LE(leftMost + width, 3945);
  EXPECT_GT(leftMost + 30 + width, 3945);
  EXPECT_TRUE(lefts.contains(1800));  // came back home and turned again
  s.Toggle();
  EXPECT_EQ(s.Step(width), 1800);
}

// The lit segments of the 45-pixel box are checked on the drawn frame in the main window's test.
TEST(SpectrumBarsTest, BarHeightsFromTheFirstSeventeenBytes) {
  QByteArray block(8820, '\0');
  block[0] = static_cast<char>(255);
  block[1] = static_cast<char>(128);
  block[16] = static_cast<char>(0x80 | 0x7F);
  block[17] = static_cast<char>(255);  // past the last bar
  const auto h = playback::ComputeBarHeights(block, 45);
  EXPECT_EQ(h[0], 45);
  EXPECT_EQ(h[1], 23);  // 128 / 255 * 45 = 22.6
  EXPECT_EQ(h[16], 45);
  EXPECT_EQ(h[2], 0);
  EXPECT_EQ(playback::ComputeBarHeights(QByteArray(3, '\xff'), 45)[5], 0);  // short block
}

TEST(SpectrumCaptureTest, BytesComeOutInWholeBlocks) {
  SpectrumCapture capture;
  QList<QByteArray> blocks;
  QObject::connect(&capture, &SpectrumCapture::BlockCaptured,
                   [&](const QByteArray& b) { blocks << b; });
  capture.Consume(QByteArray(5000, 'a'));
  EXPECT_TRUE(blocks.isEmpty());
  capture.Consume(QByteArray(13000, 'b'));  // 18000 bytes: two blocks, 360 left over
  ASSERT_EQ(blocks.size(), 2);
  EXPECT_EQ(blocks[0].size(), 8820);
  EXPECT_EQ(blocks[0].left(5000), QByteArray(5000, 'a'));
  EXPECT_EQ(blocks[1].at(0), 'b');
}

}  // namespace
