// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/shrinkanimation.h"

#include <algorithm>

ShrinkAnimation::ShrinkAnimation(QObject* parent) : QObject(parent) {
  timer3_.setInterval(10);
  timer5_.setInterval(100);
  timer4_.setInterval(10);
  connect(&timer3_, &QTimer::timeout, this, &ShrinkAnimation::OnCloseTick);
  connect(&timer5_, &QTimer::timeout, this, &ShrinkAnimation::OnShrinkTick);
  connect(&timer4_, &QTimer::timeout, this, &ShrinkAnimation::OnGrowTick);
}

void ShrinkAnimation::Start(int widthTwips) {
  if (running()) return;  // a second press would record the narrowed width as the full one
  width_ = fullWidth_ = std::max(widthTwips, kNarrowestTwips);
  timer3_.start();
}

void ShrinkAnimation::Stop() {
  timer3_.stop();
  timer4_.stop();
  timer5_.stop();
}

bool ShrinkAnimation::running() const {
  return timer3_.isActive() || timer4_.isActive() || timer5_.isActive();
}

void ShrinkAnimation::OnCloseTick() {
  timer3_.stop();
  emit CloseSatellites();
  timer5_.start();
}

void ShrinkAnimation::OnShrinkTick() {
  width_ = std::max(kNarrowestTwips, width_ - kShrinkStepTwips);
  emit WidthChanged(width_);
  if (width_ <= kNarrowestTwips) {
    timer5_.stop();
    timer4_.start();
  }
}

void ShrinkAnimation::OnGrowTick() {
  width_ = std::min(fullWidth_, width_ + kGrowStepTwips);
  emit WidthChanged(width_);
  if (width_ >= fullWidth_) timer4_.stop();
}
