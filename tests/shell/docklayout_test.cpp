// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Following and DockAll go through the dock manager in ui/skinnedwindow_test.cpp; here the
// twip-exact places and the snap boundary.
#include "shell/docklayout.h"

#include <gtest/gtest.h>

namespace {

const QRect kMain(3000, 2000, 4230, 2700);  // twips
constexpr int kSinger = 2, kLrcDown = 5, kPlaylist = 0;

TEST(DockLayout, DockedPositions) {
  EXPECT_EQ(DockLayout::DockedPosition(kPlaylist, kMain, {}, {3000, 4000}), QPoint(3000, 4700));
  for (int i : {1, 2, 3, 4, 6, 7, 8})
    EXPECT_EQ(DockLayout::DockedPosition(i, kMain, {}, {3000, 4000}), QPoint(7231, 2000)) << i;
  const QRect lyrics(9000, 1000, 4000, 6000);
  EXPECT_EQ(DockLayout::DockedPosition(kLrcDown, kMain, lyrics, QSize(2000, 3000)),
            QPoint(10000, 2500));
}

TEST(DockLayout, ReleaseSnapsWithin300TwipsOfTheDockedPlace) {
  // Released right of (and below) the docked place by dx, dy twips.
  const struct {
    int dx, dy;
    bool docks;
  } cases[] = {{299, 0, true},    {301, 0, false},   {-299, 0, true},
               {-301, 0, false},  {0, 299, true},    {0, -301, false},
               {300, -300, true}, {299, 301, false}, {0, 0, true}};
  for (const auto& c : cases) {
    DockLayout layout;
    layout.SetDocked(kSinger, !c.docks);  // the flag must follow the release either way
    const auto jump =
        layout.Release(kSinger, QRect(7231 + c.dx, 2000 + c.dy, 4000, 6000), kMain, {});
    EXPECT_EQ(layout.docked(kSinger), c.docks) << c.dx << "," << c.dy;
    EXPECT_EQ(jump, c.docks ? std::optional(QPoint(7231, 2000)) : std::nullopt)
        << c.dx << "," << c.dy;
  }
  DockLayout layout;  // the playlist window never leaves its place
  EXPECT_FALSE(layout.Release(kPlaylist, QRect(0, 0, 10, 10), kMain, {}).has_value());
  EXPECT_TRUE(layout.docked(kPlaylist));
}

}  // namespace
