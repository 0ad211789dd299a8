// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

#include "config/apppaths.h"

class LyricsDisplay;
class MediaPlayer;
class Prompter;
struct AppConfig;
struct PlaybackState;

// What the lyrics subsystem remembers about the loaded file. Whether a file is loaded and the
// user's offset live in PlaybackState (lyricsLoaded, lyricsOffset), which the engine clears
// when the player stops.
struct LyricState {
  float lastLyricTime = 0;  // seconds: the largest time tag of the loaded file
  QString lrcPath;          // full path of the loaded file; "" when none
};

// Finds, checks and loads the playing song's lyrics into the display, hands it the play
// position on every poll tick, keeps the user's timing offset and writes it into the file.
class LyricsController : public QObject {
  Q_OBJECT

 public:
  // Starts the web search for a song's lyrics (lyrics file path, trimmed song title).
  using SearchLyricsFn = std::function<void(const QString& lrcPath, const QString& title)>;

  LyricsController(PlaybackState& playback, MediaPlayer& player, LyricsDisplay& display,
                   AppConfig& config, const AppPaths& paths, Prompter& prompter,
                   QObject* parent = nullptr);

  // Null: no automatic search is available and a missing file just leaves the display empty.
  void SetSearchLyrics(SearchLyricsFn search) { search_ = std::move(search); }
  // The lyrics window tells its visibility; lyrics are loaded and advanced only while shown.
  void SetWindowVisible(bool visible) { windowVisible_ = visible; }
  bool windowVisible() const { return windowVisible_; }

  const LyricState& state() const { return state_; }
  bool loaded() const;
  float offsetMs() const;
  bool indicatorVisible() const { return indicatorVisible_; }
  const QString& indicatorCaption() const { return indicatorCaption_; }
  bool noticeVisible() const { return noticeVisible_; }

  // The lyrics file named after a title, inside the lyrics folder whatever the title holds
  // ("" when the title leaves no usable name).
  QString LrcFileFor(const QString& title) const;
  // As LrcFileFor, but an existing file whose name differs only in case is found too.
  QString FindLrcFile(const QString& title) const;

  // Reloads the playing song's lyrics from scratch.
  void ShowLrcNow();
  // Loads the song's file (row title, then the media's Title tag) or starts a search.
  void LoadSongLyrics();
  // ShowLrcNow when the window is shown, a list song other than radio plays and the display
  // does not hold the song's file yet: on entering the playing state and on showing the window.
  void ShowLrcIfNeeded();

  // The poll's lyrics work, every 100 ms while a song plays, at the play position plus the
  // engine's position correction (seconds); OnPollTick() reads both itself.
  void OnLyricsTick(double positionSeconds);
  void OnPollTick();
  // A list starts a song / the player stopped: back to the idle text with no offset.
  void OnSongStarted();
  void OnPlayerStopped();

  // Options menu: advance or delay by 0.5 s, or forget the adjustment.
  void AdvanceOffset() { AddOffset(500); }
  void DelayOffset() { AddOffset(-500); }
  void ResetOffset();
  // Writes [offset:N] into the loaded file, telling the user the outcome.
  void SaveLrcOffset();

  // Seeks the player to positionMs.
  bool SetMusicPos(int positionMs);
  // The user picked a line at `seconds`: seek there unless it lies beyond what has arrived.
  void OnPositionPicked(double seconds);
  // The user dismissed the "lyrics may be wrong" notice (the settings command switches the
  // check off); the labels go at once.
  void DismissLengthNotice() { SetNotice(false); }

  // True while playing and the position text lies before the last lyric.
  bool IsBeforeLastLyric(const QString& positionText) const;
  // True when the song and the lyrics end within 40 seconds of each other.
  bool IsLyricLengthPlausible() const;
  // Position text for the display: position plus offset, one decimal (83.44 s -> "83.4").
  QString PositionText(double positionSeconds) const;

  // Messages of the lyrics search in the display; it resets the loaded state first.
  void ShowSearchOutcome(const QString& message);
  void SetLrcPath(const QString& path) { state_.lrcPath = path; }
  // Puts the configured foreground, background and highlight colours on the display.
  void ApplyColors();

 signals:
  // The offset indicator of the window: hidden, or shown with its caption ("offset=500").
  void OffsetIndicatorChanged(bool visible, const QString& caption);
  // The two labels saying the lyrics may not belong to the song.
  void LengthNoticeChanged(bool visible);
  // The display moved to a new position (the window re-applies its colour key).
  void PositionShown();

 private:
  // LrcFileFor for the playing title, worked out once per title: the tick asks ten times a second.
  const QString& TickLrcFile(const QString& title);
  void AddOffset(float ms);
  void ResetDisplay();
  void SetIndicator(bool visible, const QString& caption);
  void SetNotice(bool visible);
  // Loads `path` when it passes the checks; moves it out of the lyrics folder when it fails.
  // requirePlaying: a file that passes is only loaded while the player plays.
  bool TryLoad(const QString& path, bool requirePlaying);
  void Discard(const QString& path);
  bool IsKnownReject(const QString& path) const;

  PlaybackState& playback_;
  MediaPlayer& player_;
  LyricsDisplay& display_;
  AppConfig& config_;
  AppPaths paths_;
  Prompter& prompter_;
  SearchLyricsFn search_;
  LyricState state_;
  bool windowVisible_ = false;
  bool indicatorVisible_ = false;
  QString indicatorCaption_;
  bool noticeVisible_ = false;
  // A file that failed and could not be moved away: the poll must not reload it every tick.
  QString rejectedPath_;
  QString tickTitle_;  // the title TickLrcFile last worked out, and its file
  QString tickLrcFile_;
  static constexpr int kTicksPerFileCheck = 10;  // a second of 100 ms poll ticks
  int ticksToFileCheck_ = 0;
  QDateTime rejectedModified_;
};
