// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/docklayout.h"

#include <cstdlib>

namespace {
bool InRange(int index) {
  return index >= 0 && index < DockLayout::kWindows;
}
}  // namespace

DockLayout::DockLayout() {
  // Singer window, picture list and album window start undocked.
  docked_ = {true, true, false, true, false, true, true, false, true};
}

bool DockLayout::docked(int index) const {
  return InRange(index) && docked_[index];
}

void DockLayout::SetDocked(int index, bool docked) {
  if (InRange(index)) docked_[index] = docked;
}

QPoint DockLayout::DockedPosition(int index, const QRect& main, const QRect& lyrics,
                                  const QSize& own) {
  switch (static_cast<DockIndex>(index)) {
    case DockIndex::Playlist:
      return {main.left(), main.top() + main.height()};
    case DockIndex::LyricsDownload:
      return {lyrics.left() + (lyrics.width() - own.width()) / 2,
              lyrics.top() + (lyrics.height() - own.height()) / 2};
    default:
      return {main.left() + main.width() + 1, main.top()};
  }
}

bool DockLayout::WithinSnap(const QPoint& pos, const QPoint& docked) {
  return std::abs(pos.x() - docked.x()) <= kSnapTwips &&
         std::abs(pos.y() - docked.y()) <= kSnapTwips;
}

std::optional<QPoint> DockLayout::Release(int index, const QRect& window, const QRect& main,
                                          const QRect& lyrics) {
  if (!InRange(index) || index == static_cast<int>(DockIndex::Playlist)) return std::nullopt;
  const QPoint target = DockedPosition(index, main, lyrics, window.size());
  docked_[index] = WithinSnap(window.topLeft(), target);
  if (!docked_[index]) return std::nullopt;
  return target;
}

DockLayout::Rects DockLayout::DockAll(const QRect& main, Rects windows) const {
  const int lyricsIndex = static_cast<int>(DockIndex::Lyrics);
  for (int i = 0; i < kWindows; ++i) {
    if (!docked_[i] || !windows[i]) continue;
    const QRect lyrics = windows[lyricsIndex].value_or(
        QRect(DockedPosition(lyricsIndex, main, {}, {}), windows[i]->size()));
    windows[i]->moveTopLeft(DockedPosition(i, main, lyrics, windows[i]->size()));
  }
  return windows;
}
