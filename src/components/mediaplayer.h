// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

#include "common/numparse.h"

// What the program asks of its media player: the operations and numeric states the playback,
// lyrics and video code rely on. MpvPlayer plays for real; tests drive FakeMediaPlayer.
enum class PlayState {
  Undefined = 0,
  Stopped = 1,
  Paused = 2,
  Playing = 3,
  Buffering = 6,
  Transitioning = 9,
  Ready = 10,
};

// Where an address came from. Only the user's own choices (a list row, a dialog, a drop) may
// name a local file; addresses taken from pages, charts, radio lists and path scripts may only
// be network addresses, so a page can never make the player open a device, a FIFO or a file.
enum class UrlOrigin { User, Web };

class MediaPlayer : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  ~MediaPlayer() override = default;

  // Opens a path or address; callers stop first and call Play() after. An address its origin
  // does not allow is never opened: Play() then reports Ready.
  virtual void SetUrl(const QString& url, UrlOrigin origin) = 0;
  virtual QString url() const = 0;
  virtual PlayState playState() const = 0;

  virtual void Play() = 0;
  virtual void Stop() = 0;  // reports Stopped before it returns
  virtual void Pause() = 0;

  virtual double currentPosition() const = 0;
  virtual void SetCurrentPosition(double seconds) = 0;  // seeks
  QString currentPositionString() const { return common::FormatMmSs(currentPosition()); }

  // 0 and "00:00" until the length is known, and for live streams.
  virtual double duration() const = 0;
  QString durationString() const { return common::FormatMmSs(duration()); }

  // "Author" or "Title"; empty when absent.
  virtual QString GetItemInfo(const QString& attribute) const = 0;

  virtual int bufferingProgress() const = 0;  // 0..100
  virtual int downloadProgress() const = 0;   // 0..100

  virtual int volume() const = 0;  // 0..100, 40 after creation
  virtual void SetVolume(int volume) = 0;
  virtual bool mute() const = 0;
  virtual void SetMute(bool mute) = 0;

  // Video window only.
  virtual void SetFullScreen(bool) {}
  virtual void SetUiMode(const QString&) {}

 signals:
  // Raised on every change of playState().
  void PlayStateChanged(int newState);
};
