// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/statuslinescroller.h"

int StatusLineScroller::Step(int textWidth) {
  if (!enabled_ || textWidth <= areaWidth()) {
    left_ = kHome;
    movingLeft_ = true;
    movingRight_ = false;
    return left_;
  }
  if (movingLeft_) {
    left_ -= kStep;
    if (left_ + textWidth <= rightEdge_) {
      movingLeft_ = false;
      movingRight_ = true;
    }
  } else if (movingRight_) {
    left_ += kStep;
    if (left_ >= kHome) {
      left_ = kHome;
      movingRight_ = false;
      movingLeft_ = true;
    }
  }
  return left_;
}
