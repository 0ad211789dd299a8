// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>
#include <functional>
#include <optional>

#include "components/mediaplayer.h"

class PlaybackEngine;
struct AppConfig;

namespace app {
// The first picture cached for `singer` (picTmpDir/<singer>/, by name) as a file address;
// "" when there is none. Never creates the folder.
QString CachedSingerPicture(const QString& picTmpDir, const QString& singer);
}  // namespace app

// What the desktop's media controls (panel widgets, media keys) see of the player and the
// commands they may give, in the shape of the desktop's media player interface but with no
// bus code: the adaptor publishes it. Commands run the engine's own transport commands, so a
// media key does exactly what the main window's button does.
class MprisBridge : public QObject {
  Q_OBJECT

 public:
  // What lives outside the engine.
  struct Hooks {
    std::function<void(int mode)> setPlayMode;  // the mode menu's command (0..4)
    std::function<void()> raise;
    std::function<void()> quit;
    std::function<QString()> lyricLine;  // the highlighted lyric line; "" when none
    // A cached picture of the singer as a file address; "" when none.
    std::function<QString(const QString& singer)> artFor;
  };

  static inline const QString kNoTrack =
      QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");

  MprisBridge(PlaybackEngine& engine, const AppConfig& config, Hooks hooks,
              QObject* parent = nullptr);

  // Player properties, as published; Position and the rates are read on demand.
  QString playbackStatus() const;
  QString loopStatus() const;
  bool shuffle() const;
  double volume() const;
  qint64 positionUs() const;
  // Keys such as "xesam:title"; "mpris:trackid" holds an object path as a string.
  QVariantMap metadata() const { return metadata_; }
  bool canGoNext() const;
  bool canGoPrevious() const;
  bool canPlay() const;
  bool canPause() const { return canPlay(); }
  bool canSeek() const;
  // The properties that announce their changes, by their interface names.
  QVariantMap ChangingProperties() const;

  // Commands of the player interface.
  void PlayPause();
  void Play();
  void Pause();
  void Stop();
  void Next();
  void Previous();
  void Seek(qint64 offsetUs);
  void SetPosition(const QString& trackId, qint64 positionUs);
  void SetVolume(double volume);
  void SetLoopStatus(const QString& status);
  void SetShuffle(bool on);
  void Raise();
  void Quit();

  // Play modes 0..4 (single, repeat one, in order, list loop, random) and the desktop's loop
  // status and shuffle flag; nullopt: the request leaves the mode as it is.
  static QString LoopStatusFor(int mode);
  static std::optional<int> ModeForLoopStatus(int mode, const QString& status);
  static int ModeForShuffle(int mode, bool on);

  // Inputs: the player's state, a poll refresh (a station's stream title), the lyrics display
  // moving on, a setting changed, a picture arriving in the cache, the engine's seeks.
  void OnPlayStateChanged(int state);
  void OnPolled();
  void OnLyricsMoved();
  void OnPictureCached();
  void OnSeeked(double seconds);
  // Announces whatever changed since the last announcement, on the next turn of the loop.
  void ScheduleRefresh();
  // A stop waits this long before it is announced: at the end of a song the next one starts
  // within a poll tick, and a panel should not blink "stopped" in between.
  void SetStopSettleMs(int ms) { stopSettleMs_ = ms; }
  void Refresh();

 signals:
  void PlayerPropertiesChanged(const QVariantMap& changed);
  void Seeked(qint64 positionUs);

 private:
  void RebuildMetadata();

  PlaybackEngine& engine_;
  const AppConfig& config_;
  Hooks hooks_;
  QVariantMap metadata_;
  QVariantMap announced_;
  QString art_;
  QString lyricLine_;
  QString streamTitle_;
  quint64 trackGeneration_ = 0;
  bool hasTrack_ = false;
  int stopSettleMs_ = 300;
  QTimer refreshTimer_;
};
