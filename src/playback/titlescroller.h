// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <vector>

// The window caption's marquee: a window of at most 18 GBK bytes moving one character per
// status tick over the status line's text.
class TitleScroller {
 public:
  static constexpr int kCaptionBytes = 18;

  void Reset() { position_ = 0; }
  // The caption for this tick, then moves on by one character.
  QString Tick(const QString& statusText);
  int position() const { return position_; }

 private:
  int position_ = 0;  // 0-based start character
  // The GBK width of each character of the last text: worked out once a song, not for every
  // character on every tick.
  QString text_;
  std::vector<int> widths_;
};
