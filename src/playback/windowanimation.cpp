// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/windowanimation.h"

#include <algorithm>

WindowAnimation::WindowAnimation(QObject* parent) : QObject(parent) {
  timer3_.setInterval(10);
  timer4_.setInterval(10);
  timer5_.setInterval(100);
  connect(&timer3_, &QTimer::timeout, this, &WindowAnimation::OnTimer3Tick);
  connect(&timer4_, &QTimer::timeout, this, &WindowAnimation::OnTimer4Tick);
  connect(&timer5_, &QTimer::timeout, this, &WindowAnimation::OnTimer5Tick);
}

bool WindowAnimation::running() const {
  return timer3_.isActive() || timer4_.isActive() || timer5_.isActive();
}

void WindowAnimation::StartShrink() {
  timer4_.stop();
  timer3_.start();
}

void WindowAnimation::StartGrow() {
  timer3_.stop();
  timer5_.stop();
  if (shrunk()) timer4_.start();
}

void WindowAnimation::StopAll() {
  timer3_.stop();
  timer4_.stop();
  timer5_.stop();
}

void WindowAnimation::OnTimer3Tick() {
  timer3_.stop();
  emit SatellitesHideWanted();
  timer5_.start();
}

void WindowAnimation::OnTimer5Tick() {
  width_ = std::max(kShrunkWidth, width_ - kShrinkStep);
  emit WidthChanged(width_);
  if (width_ <= kShrunkWidth) timer5_.stop();
}

void WindowAnimation::OnTimer4Tick() {
  width_ = std::min(kFullWidth, width_ + kGrowStep);
  emit WidthChanged(width_);
  if (width_ >= kFullWidth) timer4_.stop();
}
