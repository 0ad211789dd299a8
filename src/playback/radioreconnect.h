// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QElapsedTimer>
#include <QObject>

class MediaPlayer;
class PlaybackEngine;

// Brings back a station whose stream dropped while it played: a few tries with a growing
// pause ("重新连接中..."), then "无法连接媒体". A station that played a while before dropping
// starts with a full set of tries again.
class RadioReconnect : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTries = 3;
  static constexpr int kFirstPauseMs = 1000;  // doubled for every further try
  static constexpr int kSteadyMs = 10000;     // play this long and the tries start over

  RadioReconnect(PlaybackEngine& engine, MediaPlayer& player, QObject* parent = nullptr);

  // The playing station's stream ended (failed: with an error) without a stop of ours. True
  // when this took over: a reconnect is scheduled, or the tries ran out and the user was told.
  // A station that fails before it ever played is left to the engine's own rule.
  bool OnStreamEnded(bool failed);
  // The station plays (again); called on every poll while it does.
  void OnPlaying();

  void SetFirstPauseMs(int ms) { firstPauseMs_ = ms; }
  int tries() const { return tries_; }

 signals:
  void Reconnecting(int attempt);

 private:
  PlaybackEngine& engine_;
  MediaPlayer& player_;
  int firstPauseMs_ = kFirstPauseMs;
  quint64 generation_ = 0;  // the engine's song the tries belong to
  int tries_ = 0;
  bool played_ = false;
  QElapsedTimer playing_;
};
