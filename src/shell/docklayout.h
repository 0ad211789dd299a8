// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>
#include <optional>

// The satellite windows by their docking index.
enum class DockIndex {
  Playlist = 0,        // frmList
  Lyrics = 1,          // frmLrc
  Singer = 2,          // frmNet
  Monitor = 3,         // frmstate
  PicList = 4,         // PicList
  LyricsDownload = 5,  // LrcDown
  About = 6,           // About
  Album = 7,           // QQPai
  MusicVideo = 8,      // MTV
};

// Where the nine satellite windows sit when docked to the main window, which of them are
// docked, and the snap on release. Everything is in twips; rectangles are left, top, width,
// height on the screen.
class DockLayout {
 public:
  static constexpr int kWindows = 9;
  // A released window snaps when both its left and its top are at most this far from the
  // docked position (inclusive: 300 snaps, 301 floats).
  static constexpr int kSnapTwips = 300;

  using Rects = std::array<std::optional<QRect>, kWindows>;

  DockLayout();  // the docked flags windows have when they are loaded

  bool docked(int index) const;
  bool docked(DockIndex index) const { return docked(static_cast<int>(index)); }
  void SetDocked(int index, bool docked);

  // Top-left of window `index` of size `own` when docked. The lyrics download window centres
  // on `lyrics`; every other window hangs off `main`.
  static QPoint DockedPosition(int index, const QRect& main, const QRect& lyrics, const QSize& own);
  static bool WithinSnap(const QPoint& pos, const QPoint& docked);

  // The left button went up on a skin piece of window `index` (1..8) now at `window`: sets or
  // clears its docked flag and returns where the window must jump to, or nullopt when it
  // floats. The playlist window (0) cannot be dragged, so it stays docked and does not move.
  std::optional<QPoint> Release(int index, const QRect& window, const QRect& main,
                                const QRect& lyrics);

  // Places every docked window, in index order, so the lyrics download window centres on the
  // lyrics window's new place. Entries left empty are windows that do not exist.
  Rects DockAll(const QRect& main, Rects windows) const;

 private:
  std::array<bool, kWindows> docked_{};
};
