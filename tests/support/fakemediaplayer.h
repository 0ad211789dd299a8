// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QStringList>

#include "components/mediaplayer.h"

// A media player the test drives: it records the calls and reports whatever state, position,
// duration and tags the test sets. Stop() reports Stopped before it returns, as MpvPlayer does.
class FakeMediaPlayer : public MediaPlayer {
  Q_OBJECT

 public:
  using MediaPlayer::MediaPlayer;

  // Test side.
  void SetState(PlayState state);  // emits PlayStateChanged when it changes
  void SetPosition(double seconds) { position_ = seconds; }
  void SetDuration(double seconds) { duration_ = seconds; }
  void SetTag(const QString& attribute, const QString& value) { tags_[attribute] = value; }
  void SetBuffering(int progress) { buffering_ = progress; }
  void SetDownload(int progress) { download_ = progress; }
  // Calls in order: "url:<u>", "play", "stop", "pause", "seek:<s>".
  const QStringList& calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }

  // MediaPlayer
  void SetUrl(const QString& url, UrlOrigin origin) override;
  UrlOrigin origin() const { return origin_; }
  QString url() const override { return url_; }
  PlayState playState() const override { return state_; }
  void Play() override;
  void Stop() override;
  void Pause() override;
  double currentPosition() const override { return position_; }
  void SetCurrentPosition(double seconds) override;
  double duration() const override { return duration_; }
  QString GetItemInfo(const QString& attribute) const override { return tags_.value(attribute); }
  int bufferingProgress() const override { return buffering_; }
  int downloadProgress() const override { return download_; }
  int volume() const override { return volume_; }
  void SetVolume(int volume) override { volume_ = qBound(0, volume, 100); }
  bool mute() const override { return mute_; }
  void SetMute(bool mute) override { mute_ = mute; }

 private:
  QString url_;
  UrlOrigin origin_ = UrlOrigin::Web;
  PlayState state_ = PlayState::Undefined;
  double position_ = 0;
  double duration_ = 0;
  QHash<QString, QString> tags_;
  int buffering_ = 0;
  int download_ = 0;
  int volume_ = 40;
  bool mute_ = false;
  QStringList calls_;
};
