// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "components/mediaplayer.h"
#include "playback/picksong.h"
#include "playback/playbackstate.h"
#include "playback/titlescroller.h"

struct AppConfig;
class MenuForm;
class SongGridModel;

// Drives the media player for the two song grids: reacts to its state changes, polls it
// while something plays (Timer1, 100 ms), recovers from dead or slow links, picks the next
// song by the play mode and runs the status timer (Timer2, 250 ms). The transport commands
// of the main window and its control menu live here too; windows only show what it signals.
class PlaybackEngine : public QObject {
  Q_OBJECT

 public:
  using RowPlayAction = std::function<void(int row)>;
  static constexpr int kPollMs = 100;
  static constexpr int kStatusMs = 250;
  static constexpr int kRecoveryWaitMs = 1500;
  static constexpr int kWaitTickLimit = 150;
  static constexpr int kAltAddressLimit = 19;

  PlaybackEngine(MediaPlayer& player, AppConfig& config, SongGridModel& playlistGrid,
                 SongGridModel& resultGrid, QObject* parent = nullptr);

  PlaybackState& state() { return state_; }
  const PlaybackState& state() const { return state_; }
  MediaPlayer& player() { return player_; }

  // The grids' row play actions (MSF_DblClick, MSF1_DblClick), run on the selected row.
  void SetRowPlayAction(PlayingGrid grid, RowPlayAction action);
  void SetRandomSource(playback::RandomSource random) { random_ = std::move(random); }
  void SetRecoveryWaitMs(int ms) { recoveryWaitMs_ = ms; }

  // The engine's share of a row play action: stop (as the stop button), reset the per-song
  // counters, start the status timer, take the row's title and singer, show `openingText`
  // ("正在打开媒体..." or "正在分析,请稍候..."). Then PlayUrl() with the playable address.
  // Also moves the now-playing mark (picture and colour) from the last song's row to this one.
  void PrepareSong(PlayingGrid grid, int row, ListKind kind, const QString& openingText);
  // Stops the player, hands it the address and starts it. Only User addresses may be local
  // files; anything else plays only from the network.
  void PlayUrl(const QString& url, UrlOrigin origin = UrlOrigin::Web);
  void ResetSongCounters();
  // Plays row `row` of the playlist grid: marks it, prepares the engine, hands the player the
  // row's address. What a double-click on the playlist grid and the play modes both do.
  void PlayPlaylistRow(int row);
  // True when row `row` of `grid` is the song playing now.
  bool IsPlayingRow(PlayingGrid grid, int row) const;
  // Commands for the other areas, so only the engine writes the playback state.
  void SetListKind(ListKind kind) { state_.listKind = kind; }
  // The search engine changed: the playing row's number means nothing in the new results.
  void ForgetCurrentRow() { state_.currentRow = 0; }
  // A station's stream ended (failed: with an error) without our stop; true when the handler
  // took over, so the play mode does not move on.
  void SetStreamEndHandler(std::function<bool(bool failed)> handler) {
    streamEnded_ = std::move(handler);
  }

  // Timer ticks; public so tests step them.
  void OnPollTick();
  void OnStatusTick();
  bool pollTimerActive() const { return pollTimer_.isActive(); }
  bool statusTimerActive() const { return statusTimer_.isActive(); }
  bool recoveryPending() const { return recoveryPending_; }
  // Moves on whenever the user or a rule starts or stops something: late answers compare it.
  quint64 generation() const { return generation_; }

  // 1 previous, 2 next, 3 replay the loaded song, anything else a random row.
  void PickSong(int action);

  // Transport buttons I1(0), I1(2), I1(4) and the control menu.
  void ToggleMute();
  void PlayPause();
  void StopButton();
  void VolumeUp();
  void VolumeDown();
  // Volume 0..100 (clamped) from outside the window, as the control menu's steps set it.
  void SetVolume(int volume);
  void mnuControls_Click(int index);
  // The control menu's nine items in `menus` ("mnuControls_0".."mnuControls_8").
  static void AddControlsMenu(MenuForm& menus);
  static inline const QString kControlsMenu = QStringLiteral("mnuControls");

  // Progress knob: false (no drag) on a radio station.
  bool BeginKnobDrag();
  // The knob's left edge while dragged to `left`; the played bar follows.
  int DragKnob(int left);
  void EndKnobDrag(int left);
  // A click on the track seeks there when a seekable song is loaded.
  bool SeekFromTrack(int left);
  // Seeks to `seconds` (clamped to the song) when a seekable song is loaded; the knob follows.
  bool SeekTo(double seconds);
  bool seekable() const;
  int knobLeft() const { return knobLeft_; }

  // Volume knob dragged to `left`: returns the volume and shows "音量:N%".
  int SetVolumeFromKnob(int left);
  void VolumeKnobReleased();

  // The status line `Echo1` and the window caption as last set.
  void ShowStatus(const QString& text);
  const QString& statusLine() const { return statusLine_; }
  const QString& caption() const { return caption_; }
  const QString& timeText() const { return timeText_; }
  // The status text of the playing song: "001. 歌名 ----- 歌手".
  QString MakeStatusText() const;

 signals:
  // A playlist row is prepared and about to be handed to the player; then it has started.
  void PlaylistRowStarting(int row);
  void PlaylistRowStarted(int row, const QString& title);
  // Echo1 text; scrollTick is true for the playing poll's refresh (the line may scroll).
  void StatusLineChanged(const QString& text, bool scrollTick);
  void TimeTextChanged(const QString& text);  // Echo
  void KnobMoved(int left);                   // P1; the played bar is PlayedBarWidth(left)
  void Seeked(double seconds);                // a seek by the knob, the track or SeekTo
  void DownloadLineChanged(int right);
  // The main window's caption; wholeText is the text a scrolling caption is cut from.
  void CaptionChanged(const QString& caption, const QString& wholeText);
  void PlayingPictureShown(bool playing);  // true: the play button shows its pause picture
  void MuteChanged(bool muted);
  void VolumeChanged(int volume);
  void VolumeSaveWanted();  // the knob was released: SaveConfig
  void Polled(int state);   // labTest; satellite toggles follow their windows
  void MonitorValuesChanged(const QStringList& values);
  void LyricsReset();                       // clear the display, show "Tunewharf歌词秀"
  void LyricsWanted(const QString& title);  // ShowLrcNow when the window shows another file
  void LyricsTick(double seconds);          // per-tick lyrics work at this position
  void SingerWindowWanted();
  void SingerLookupWanted(const QString& artist);
  void PictureSearchWanted(const QString& artist);  // when the picture window searches itself
  void DownloadButtonShown(bool shown);
  void TagEditorTextChanged(const QString& text);
  void SpectrumRestartWanted();  // when the spectrum frame is visible
  void SpectrumCaptureWanted(bool open);
  void MusicVideoStopWanted();
  void SearchBoxesText(const QString& artist, const QString& title);
  void ShowMainWindowWanted();
  void ExitWanted();

 private:
  void OnPlayStateChanged(int newState);
  void OnStartedPlaying();
  void OnPlayingTick();
  void TimeoutRule();
  void RecoveryRule(const QString& message, bool markFailedRow);
  void OnRecoveryWaitElapsed(quint64 token);
  void EndOfSong();
  void SetPollEnabled(bool on);
  void SetStatusTimerEnabled(bool on);
  void SetTimeText(const QString& text);
  void MoveKnob(int left);
  void SetCaption(const QString& caption, const QString& wholeText);
  void SetCaption(const QString& caption) { SetCaption(caption, caption); }
  void ApplyVolume(int volume);
  void Supersede();
  SongGridModel* playingGridModel() const;
  void MoveNowPlayingMark(PlayingGrid grid, int row);

  MediaPlayer& player_;
  AppConfig& config_;
  SongGridModel& playlistGrid_;
  SongGridModel& resultGrid_;
  PlaybackState state_;
  RowPlayAction playlistAction_;
  RowPlayAction resultAction_;
  playback::RandomSource random_;
  TitleScroller titleScroller_;
  QTimer pollTimer_;    // Timer1
  QTimer statusTimer_;  // Timer2
  int recoveryWaitMs_ = kRecoveryWaitMs;
  bool recoveryPending_ = false;
  quint64 generation_ = 0;   // moves on whenever the user or a rule starts something new
  bool stopIsOurs_ = false;  // the last stop was a command, not the end of the song
  int statusTicks_ = 0;
  int knobLeft_ = 240;
  QString statusLine_;
  QString caption_;
  QString timeText_;
  std::function<bool(bool)> streamEnded_;
};
