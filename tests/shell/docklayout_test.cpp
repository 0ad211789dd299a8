// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/docklayout.h"

#include <gtest/gtest.h>

namespace {

const QRect kMain(3000, 2000, 4230, 2700);  // twips
constexpr int kLyrics = 1, kSinger = 2, kLrcDown = 5, kPlaylist = 0;

TEST(DockLayout, StartsWithTheSatellitesThatLoadDocked) {
  DockLayout layout;
  const bool expected[9] = {true, true, false, true, false, true, true, false, true};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(layout.docked(i), expected[i]) << "index " << i;
  EXPECT_FALSE(layout.docked(9));
  EXPECT_FALSE(layout.docked(-1));
}

TEST(DockLayout, DockedPositions) {
  const QSize own(3000, 4000);
  EXPECT_EQ(DockLayout::DockedPosition(kPlaylist, kMain, {}, own), QPoint(3000, 4700));
  for (int i : {1, 2, 3, 4, 6, 7, 8})
    EXPECT_EQ(DockLayout::DockedPosition(i, kMain, {}, own), QPoint(7231, 2000)) << i;
  const QRect lyrics(9000, 1000, 4000, 6000);
  EXPECT_EQ(DockLayout::DockedPosition(kLrcDown, kMain, lyrics, QSize(2000, 3000)),
            QPoint(10000, 2500));
}

// Released right of (and below) the docked place by the given twips.
struct SnapCase {
  int dx, dy;
  bool docks;
};

class DockSnap : public ::testing::TestWithParam<SnapCase> {};

TEST_P(DockSnap, ReleaseNearTheDockedPlace) {
  const SnapCase c = GetParam();
  DockLayout layout;
  layout.SetDocked(kSinger, !c.docks);  // the flag must follow the release either way
  const QRect window(7231 + c.dx, 2000 + c.dy, 4000, 6000);
  const auto jump = layout.Release(kSinger, window, kMain, {});
  EXPECT_EQ(layout.docked(kSinger), c.docks);
  if (c.docks) {
    ASSERT_TRUE(jump.has_value());
    EXPECT_EQ(*jump, QPoint(7231, 2000));
  } else {
    EXPECT_FALSE(jump.has_value());
  }
}

INSTANTIATE_TEST_SUITE_P(Boundaries, DockSnap,
                         ::testing::Values(SnapCase{299, 0, true}, SnapCase{301, 0, false},
                                           SnapCase{-299, 0, true}, SnapCase{-301, 0, false},
                                           SnapCase{0, 299, true}, SnapCase{0, -301, false},
                                           SnapCase{300, -300, true}, SnapCase{299, 301, false},
                                           SnapCase{0, 0, true}));

TEST(DockLayout, PlaylistIgnoresReleases) {
  DockLayout layout;
  EXPECT_FALSE(layout.Release(kPlaylist, QRect(0, 0, 10, 10), kMain, {}).has_value());
  EXPECT_TRUE(layout.docked(kPlaylist));
}

TEST(DockLayout, DockAllMovesOnlyDockedWindowsInIndexOrder) {
  DockLayout layout;
  layout.SetDocked(kSinger, false);
  DockLayout::Rects windows;
  windows[kPlaylist] = QRect(0, 0, 4230, 4530);
  windows[kLyrics] = QRect(100, 100, 4000, 6000);
  windows[kSinger] = QRect(50, 60, 4000, 6000);
  windows[kLrcDown] = QRect(0, 0, 2000, 3000);
  const auto placed = layout.DockAll(kMain, windows);
  EXPECT_EQ(placed[kPlaylist], QRect(3000, 4700, 4230, 4530));
  EXPECT_EQ(placed[kLyrics], QRect(7231, 2000, 4000, 6000));
  EXPECT_EQ(placed[kSinger], QRect(50, 60, 4000, 6000));  // floating: stays
  // Centred on the lyrics window's new place, not its old one.
  EXPECT_EQ(placed[kLrcDown], QRect(8231, 3500, 2000, 3000));
  EXPECT_FALSE(placed[3].has_value());
}

TEST(DockLayout, LyricsDownloadFollowsAFloatingLyricsWindow) {
  DockLayout layout;
  layout.SetDocked(kLyrics, false);
  DockLayout::Rects windows;
  windows[kLyrics] = QRect(20000, 500, 4000, 6000);
  windows[kLrcDown] = QRect(0, 0, 2000, 3000);
  const auto placed = layout.DockAll(kMain, windows);
  EXPECT_EQ(placed[kLyrics], QRect(20000, 500, 4000, 6000));
  EXPECT_EQ(placed[kLrcDown]->topLeft(), QPoint(21000, 2000));
}

}  // namespace
