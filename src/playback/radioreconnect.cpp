// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/radioreconnect.h"

#include <QTimer>

#include "components/mediaplayer.h"
#include "playback/playbackengine.h"

RadioReconnect::RadioReconnect(PlaybackEngine& engine, MediaPlayer& player, QObject* parent)
    : QObject(parent), engine_(engine), player_(player) {}

void RadioReconnect::OnPlaying() {
  if (engine_.generation() != generation_) {
    generation_ = engine_.generation();
    tries_ = 0;
  }
  played_ = true;
  if (!playing_.isValid()) playing_.start();
}

bool RadioReconnect::OnStreamEnded(bool failed) {
  if (engine_.generation() != generation_) {
    generation_ = engine_.generation();
    tries_ = 0;
    played_ = false;
  }
  if (!played_) return false;
  if (failed && tries_ == 0 && !playing_.isValid()) return false;
  if (playing_.isValid() && playing_.elapsed() >= kSteadyMs) tries_ = 0;
  playing_.invalidate();
  if (tries_ >= kTries) {
    tries_ = 0;
    played_ = false;
    engine_.ShowStatus(QStringLiteral("无法连接媒体"));
    return true;
  }
  const int pause = firstPauseMs_ << tries_;
  ++tries_;
  engine_.ShowStatus(QStringLiteral("重新连接中..."));
  emit Reconnecting(tries_);
  const quint64 generation = generation_;
  const QString url = player_.url();
  QTimer::singleShot(pause, this, [this, generation, url] {
    // Another song, a stop or a new station since: that choice stands.
    if (engine_.generation() != generation) return;
    engine_.PlayUrl(url);
  });
  return true;
}
