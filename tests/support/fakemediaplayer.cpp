// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakemediaplayer.h"

void FakeMediaPlayer::SetState(PlayState state) {
  if (state == state_) return;
  state_ = state;
  emit PlayStateChanged(static_cast<int>(state));
}

void FakeMediaPlayer::SetUrl(const QString& url, UrlOrigin origin) {
  url_ = url;
  origin_ = origin;
  calls_ << QStringLiteral("url:") + url;
  position_ = 0;
  duration_ = 0;
  tags_.clear();
}

void FakeMediaPlayer::Play() {
  calls_ << QStringLiteral("play");
  // A real player connects first; the test moves the state on from there.
  if (state_ != PlayState::Playing) SetState(PlayState::Transitioning);
}

void FakeMediaPlayer::Stop() {
  calls_ << QStringLiteral("stop");
  SetState(PlayState::Stopped);
}

void FakeMediaPlayer::Pause() {
  calls_ << QStringLiteral("pause");
  SetState(PlayState::Paused);
}

void FakeMediaPlayer::SetCurrentPosition(double seconds) {
  calls_ << QStringLiteral("seek:") + QString::number(seconds);
  position_ = seconds;
}
