// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Moves the status line to and fro, 30 twips a poll, when its text is wider than the status
// area (left 1800 to right 3945); a text that fits stands at 1800.
class StatusLineScroller {
 public:
  static constexpr int kHome = 1800;
  static constexpr int kRightEdge = 3945;
  static constexpr int kAreaWidth = 2145;
  static constexpr int kStep = 30;

  // The label's left edge after one poll for a text `textWidth` twips wide.
  int Step(int textWidth);
  // Where the text's right end turns back: the window pulls it in when the time label's font
  // draws wider than the original's, so the two never meet.
  void SetRightEdge(int twips) { rightEdge_ = twips; }
  int rightEdge() const { return rightEdge_; }
  int areaWidth() const { return rightEdge_ - kHome; }
  void Home() { left_ = kHome; }
  int left() const { return left_; }
  bool enabled() const { return enabled_; }
  // A click on the status line switches the scrolling on or off.
  void Toggle() {
    enabled_ = !enabled_;
    if (!enabled_) Home();
  }

 private:
  int left_ = kHome;
  int rightEdge_ = kRightEdge;
  bool movingLeft_ = true;
  bool movingRight_ = false;
  bool enabled_ = true;
};
