// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/playbackengine.h"

#include <QColor>
#include <algorithm>

#include "common/numparse.h"
#include "components/mediaplayer.h"
#include "components/mpvsupport.h"
#include "config/appconfig.h"
#include "config/menuform.h"
#include "playback/knobgeometry.h"
#include "playback/monitorvalues.h"
#include "playlist/songentry.h"
#include "playlist/songgridmodel.h"

namespace {
const QString kZero = QStringLiteral("00:00");

bool IsLocalAddress(const QString& url) {
  return !url.contains(QStringLiteral("://")) || url.startsWith(QStringLiteral("file:"));
}
}  // namespace

PlaybackEngine::PlaybackEngine(MediaPlayer& player, AppConfig& config, SongGridModel& playlistGrid,
                               SongGridModel& resultGrid, QObject* parent)
    : QObject(parent),
      player_(player),
      config_(config),
      playlistGrid_(playlistGrid),
      resultGrid_(resultGrid),
      random_(playback::ClockRandomSource()) {
  pollTimer_.setInterval(kPollMs);
  statusTimer_.setInterval(kStatusMs);
  connect(&pollTimer_, &QTimer::timeout, this, &PlaybackEngine::OnPollTick);
  connect(&statusTimer_, &QTimer::timeout, this, &PlaybackEngine::OnStatusTick);
  connect(&player_, &MediaPlayer::PlayStateChanged, this, &PlaybackEngine::OnPlayStateChanged);
}

void PlaybackEngine::SetRowPlayAction(PlayingGrid grid, RowPlayAction action) {
  if (grid == PlayingGrid::Playlist) playlistAction_ = std::move(action);
  if (grid == PlayingGrid::Results) resultAction_ = std::move(action);
}

SongGridModel* PlaybackEngine::playingGridModel() const {
  switch (state_.playingGrid) {
    case PlayingGrid::Playlist:
      return &playlistGrid_;
    case PlayingGrid::Results:
      return &resultGrid_;
    default:
      return nullptr;
  }
}

void PlaybackEngine::SetPollEnabled(bool on) {
  if (on && !pollTimer_.isActive()) pollTimer_.start();
  if (!on) pollTimer_.stop();
}

void PlaybackEngine::SetStatusTimerEnabled(bool on) {
  if (on && !statusTimer_.isActive()) statusTimer_.start();
  if (!on) statusTimer_.stop();
}

void PlaybackEngine::ShowStatus(const QString& text) {
  statusLine_ = text;
  emit StatusLineChanged(text, false);
}

void PlaybackEngine::SetTimeText(const QString& text) {
  timeText_ = text;
  emit TimeTextChanged(text);
}

void PlaybackEngine::MoveKnob(int left) {
  knobLeft_ = left;
  emit KnobMoved(left);
}

void PlaybackEngine::SetCaption(const QString& caption, const QString& wholeText) {
  caption_ = caption;
  emit CaptionChanged(caption, wholeText);
}

void PlaybackEngine::Supersede() {
  ++generation_;
  recoveryPending_ = false;
}

// ---- Starting a row -------------------------------------------------------------------

void PlaybackEngine::ResetSongCounters() {
  state_.waitTicks = 0;
  state_.playTicks = 0;
  state_.repeatCount = 0;
  state_.dragging = false;
  state_.streamTitle.clear();
}

void PlaybackEngine::MoveNowPlayingMark(PlayingGrid grid, int row) {
  // The last song's marks go; a row marked as failed keeps its red.
  if (SongGridModel* last = playingGridModel()) {
    const int lastRow = state_.currentRow;
    if (last->rowColor(lastRow) != SongGridModel::kFailedText) last->SetRowColor(lastRow, QColor());
    if (last->nowPlayRow() == lastRow) last->SetNowPlayRow(0);
  }
  SongGridModel& next = grid == PlayingGrid::Playlist ? playlistGrid_ : resultGrid_;
  next.SetRowColor(row, SongGridModel::kPlayingText);
  next.SetNowPlayRow(row);
}

void PlaybackEngine::PlayPlaylistRow(int row) {
  if (row < 1 || playlistGrid_.title(row).trimmed().isEmpty()) return;
  playlistGrid_.SetSelectedRow(row);
  const SongEntry song = playlistGrid_.entry(row);
  PrepareSong(PlayingGrid::Playlist, row, ListKind::Playlist, QStringLiteral("正在打开媒体..."));
  emit PlaylistRowStarting(row);
  // PrepareSong has stopped the player already.
  player_.SetUrl(song.path, UrlOrigin::User);  // a list row may name a local file
  player_.Play();
  emit PlaylistRowStarted(row, song.title);
}

bool PlaybackEngine::IsPlayingRow(PlayingGrid grid, int row) const {
  return row != 0 && row == state_.currentRow && grid == state_.playingGrid &&
         player_.playState() == PlayState::Playing;
}

void PlaybackEngine::PrepareSong(PlayingGrid grid, int row, ListKind kind,
                                 const QString& openingText) {
  if (grid != PlayingGrid::None) MoveNowPlayingMark(grid, row);
  ResetSongCounters();
  StopButton();
  SetStatusTimerEnabled(true);
  state_.playingGrid = grid;
  state_.currentRow = row;
  state_.listKind = kind;
  if (SongGridModel* model = playingGridModel()) {
    state_.titleText = model->title(row);
    state_.artistText = model->cell(row, 2);
  }
  MoveKnob(playback::kKnobMin);
  SetTimeText(kZero);
  ShowStatus(openingText);
  SetCaption(state_.titleText);
}

void PlaybackEngine::PlayUrl(const QString& url, UrlOrigin origin) {
  player_.Stop();
  player_.SetUrl(url, origin);
  player_.Play();
}

// ---- State changes --------------------------------------------------------------------

void PlaybackEngine::OnPlayStateChanged(int newState) {
  SetPollEnabled(true);
  const auto s = static_cast<PlayState>(newState);
  if (s == PlayState::Stopped) {
    state_.lyricsLoaded = false;
    state_.lyricsOffset = 0;
    emit LyricsReset();
    return;
  }
  // Anything the player does after a stop command belongs to the next song.
  if (s == PlayState::Transitioning || s == PlayState::Playing || s == PlayState::Buffering)
    stopIsOurs_ = false;
  if (s == PlayState::Playing) OnStartedPlaying();
}

void PlaybackEngine::OnStartedPlaying() {
  titleScroller_.Reset();
  emit PlayingPictureShown(true);

  const QString durationText = common::FormatMmSs(player_.duration());
  const QString author = player_.GetItemInfo(QStringLiteral("Author")).trimmed();
  const QString tagTitle = player_.GetItemInfo(QStringLiteral("Title")).trimmed();
  SongGridModel* grid = playingGridModel();
  const int row = state_.currentRow;
  const bool writeBack =
      grid && row >= 1 && row < grid->rows() &&
      (state_.playingGrid == PlayingGrid::Playlist || state_.listKind == ListKind::WebResults);
  if (writeBack) {
    if (grid->cell(row, 3) == kZero) grid->SetCell(row, 3, durationText);
    if (grid->cell(row, 2) == kUnknownSinger)
      grid->SetCell(row, 2, author.isEmpty() ? kUnknownSinger : author);
    if (grid->cell(row, 1) == kUnknownSinger)
      grid->SetCell(row, 1, tagTitle.isEmpty() ? kUnknownSinger : tagTitle);
  }

  state_.statusText = MakeStatusText();
  ShowStatus(state_.statusText);

  playlistGrid_.SetSelectedRow(0);
  resultGrid_.SetSelectedRow(0);
  if (grid && config_.focusTracking) grid->SetTopRow(row <= 5 ? 0 : row - 6);

  emit DownloadButtonShown(true);

  const bool radio = state_.listKind == ListKind::Radio;
  if (config_.showArtist && !radio) {
    emit SingerWindowWanted();
    state_.singerFlag = true;
  }
  if (state_.singerFlag) emit SingerLookupWanted(state_.artistText);
  if (!radio) emit PictureSearchWanted(state_.artistText);
  if (grid && !radio) emit LyricsWanted(state_.titleText.trimmed());

  emit TagEditorTextChanged(IsLocalAddress(player_.url()) ? QStringLiteral("编辑ID3-Tag")
                                                          : QStringLiteral("ID3-Tag不可编辑"));
  emit SpectrumRestartWanted();
  emit SearchBoxesText(state_.artistText, state_.titleText);
}

QString PlaybackEngine::MakeStatusText() const {
  const QString author = player_.GetItemInfo(QStringLiteral("Author")).trimmed();
  QString singer = state_.artistText;
  if (singer == kUnknownSinger) singer = author;
  if (singer.isEmpty()) singer = QStringLiteral("未知艺术家");
  const QString title = state_.titleText.isEmpty() ? author : state_.titleText;
  QString text = common::ThreeDigits(state_.currentRow) + QStringLiteral(". ") + title +
                 QStringLiteral(" ----- ") + singer;
  // A station names what it plays now in its stream title.
  if (!state_.streamTitle.isEmpty()) text += QStringLiteral(" ♪ ") + state_.streamTitle;
  return text;
}

// ---- The poll -------------------------------------------------------------------------

void PlaybackEngine::OnPollTick() {
  const PlayState s = player_.playState();
  emit Polled(static_cast<int>(s));
  // The failure message stays up while the wait before the next song runs.
  if (recoveryPending_) return;

  switch (s) {
    case PlayState::Stopped:
      state_.playTicks = 0;
      SetPollEnabled(false);
      if (stopIsOurs_) {
        SetStatusTimerEnabled(false);
        return;
      }
      if (state_.listKind == ListKind::Radio && streamEnded_ && streamEnded_(false)) return;
      ShowStatus(QStringLiteral("停止播放"));
      MoveKnob(playback::kKnobMin);
      SetTimeText(kZero);
      EndOfSong();
      break;
    case PlayState::Paused:
      ShowStatus(QStringLiteral("暂停播放"));
      state_.repeatCount = 0;
      break;
    case PlayState::Playing:
      OnPlayingTick();
      break;
    case PlayState::Buffering:
      state_.repeatCount = 0;
      state_.playTicks = 0;
      ShowStatus(QStringLiteral("缓冲处理：% ") + QString::number(player_.bufferingProgress()));
      TimeoutRule();
      break;
    case PlayState::Transitioning:
      state_.playTicks = 0;
      ShowStatus(state_.altAddressCount != 0 ? QStringLiteral("尝试连接预存地址") +
                                                   QString::number(state_.altAddressCount + 1)
                                             : QStringLiteral("正在连接媒体.. "));
      TimeoutRule();
      break;
    case PlayState::Ready:
      state_.playTicks = 0;
      if (state_.listKind == ListKind::Radio && !stopIsOurs_ && streamEnded_ &&
          streamEnded_(true)) {
        SetPollEnabled(false);
        return;
      }
      if (state_.playingGrid != PlayingGrid::None && config_.sets[1])
        RecoveryRule(QStringLiteral("媒体错误,1秒后切换下一首"), true);
      break;
    default:
      break;
  }
}

void PlaybackEngine::EndOfSong() {
  SongGridModel* grid = playingGridModel();
  switch (config_.playMode) {
    case 1:
      PickSong(3);
      return;
    case 2:
      // The grid is padded with blank rows, so the last song is the last row with a title:
      // in sequence mode nothing follows it.
      if (grid && state_.currentRow < grid->rows() - 1 &&
          !grid->title(state_.currentRow + 1).trimmed().isEmpty()) {
        PickSong(2);
        return;
      }
      break;
    case 3:
      PickSong(2);
      return;
    case 4:
      PickSong(4);
      return;
    default:
      break;
  }
  // Nothing follows: the status timer has nothing left to show either.
  SetStatusTimerEnabled(false);
  SetCaption(statusLine_);
}

void PlaybackEngine::OnPlayingTick() {
  state_.repeatCount = 0;
  const bool radio = state_.listKind == ListKind::Radio;
  const QString durationString = player_.durationString();
  if (radio && durationString == kZero) {
    MoveKnob(playback::kKnobMin);
    SetTimeText(kZero);
  }

  // A minute or less from the web is an advertisement posing as the song; a short local
  // file is what the user chose to play.
  if (config_.sets[1] && !radio && common::ParseMmSs(durationString) <= 60 &&
      components::IsNetworkAddress(player_.url())) {
    RecoveryRule(QStringLiteral("阻止弹窗,1秒后切换下一首"), false);
    return;
  }

  state_.playTicks = std::min(state_.playTicks + 1, 6000);
  if (state_.playTicks > 30) state_.waitTicks = 0;

  if (durationString != kZero)
    emit DownloadLineChanged(static_cast<int>(player_.downloadProgress() * 39.6 + 240));

  const double position = player_.currentPosition();
  if (!radio) SetTimeText(player_.currentPositionString());

  if (radio) {
    const QString artist = player_.GetItemInfo(QStringLiteral("Author")).trimmed();
    const QString song = player_.GetItemInfo(QStringLiteral("Title")).trimmed();
    state_.streamTitle =
        artist.isEmpty() || song.isEmpty() ? artist + song : artist + QStringLiteral(" - ") + song;
  }
  state_.statusText = MakeStatusText();
  statusLine_ = state_.statusText;
  emit StatusLineChanged(state_.statusText, true);

  const double duration = player_.duration();
  if (!radio && duration > 0 && !state_.dragging)
    MoveKnob(playback::KnobLeftFor(position, duration));

  emit LyricsTick(position + state_.positionCorrection);
}

void PlaybackEngine::TimeoutRule() {
  if (state_.playingGrid == PlayingGrid::None || !config_.sets[0]) {
    state_.waitTicks = 0;
    return;
  }
  if (state_.waitTicks < kWaitTickLimit) {
    ++state_.waitTicks;
    return;
  }
  state_.waitTicks = 0;
  RecoveryRule(QStringLiteral("连接超时,1秒后切换下一首"), false);
}

void PlaybackEngine::RecoveryRule(const QString& message, bool markFailedRow) {
  SongGridModel* grid = playingGridModel();
  if (state_.listKind == ListKind::WebResults && state_.altAddressCount < kAltAddressLimit) {
    // The same row again: its row action plays the song's next stored address.
    stopIsOurs_ = true;
    player_.Stop();
    SetPollEnabled(false);
    if (grid) grid->SetSelectedRow(state_.currentRow);
    if (resultAction_ && state_.playingGrid == PlayingGrid::Results)
      resultAction_(state_.currentRow);
    else if (playlistAction_ && state_.playingGrid == PlayingGrid::Playlist)
      playlistAction_(state_.currentRow);
    return;
  }
  if (state_.listKind == ListKind::Radio) {
    state_.repeatCount = 0;
    stopIsOurs_ = true;
    player_.Stop();
    SetPollEnabled(false);
    ShowStatus(QStringLiteral("无法连接媒体"));
    return;
  }
  state_.repeatCount = 0;
  ShowStatus(message);
  if (markFailedRow && state_.listKind == ListKind::Playlist &&
      state_.playingGrid == PlayingGrid::Playlist)
    playlistGrid_.SetRowColor(state_.currentRow, SongGridModel::kFailedText);
  Supersede();
  recoveryPending_ = true;
  const quint64 token = generation_;
  QTimer::singleShot(recoveryWaitMs_, this, [this, token] { OnRecoveryWaitElapsed(token); });
}

void PlaybackEngine::OnRecoveryWaitElapsed(quint64 token) {
  if (token != generation_ || !recoveryPending_) return;  // the user has moved on
  recoveryPending_ = false;
  PickSong(2);
}

// ---- PickSong -------------------------------------------------------------------------

void PlaybackEngine::PickSong(int action) {
  SongGridModel* grid = playingGridModel();
  if (!grid) return;
  Supersede();
  const auto outcome = playback::PickSong(
      action, config_.playMode, state_.currentRow, grid->rows(),
      [grid](int row) { return grid->title(row).trimmed().isEmpty(); }, random_);
  switch (outcome.kind) {
    case playback::PickOutcome::Kind::Stop:
      StopButton();
      return;
    case playback::PickOutcome::Kind::Replay:
      player_.Play();
      SetPollEnabled(true);
      return;
    case playback::PickOutcome::Kind::Row:
      break;
  }
  grid->SetSelectedRow(outcome.row);
  const RowPlayAction& play =
      state_.playingGrid == PlayingGrid::Results ? resultAction_ : playlistAction_;
  if (play) play(outcome.row);
  state_.positionCorrection = 0;
}

// ---- Status timer ---------------------------------------------------------------------

void PlaybackEngine::OnStatusTick() {
  SetCaption(titleScroller_.Tick(statusLine_), statusLine_);
  if (++statusTicks_ % 3 == 0) emit MonitorValuesChanged(playback::MonitorValues(config_, state_));
}

// ---- Transport commands ---------------------------------------------------------------

void PlaybackEngine::ToggleMute() {
  player_.SetMute(!player_.mute());
  emit MuteChanged(player_.mute());
}

void PlaybackEngine::PlayPause() {
  if (player_.playState() == PlayState::Playing) {
    player_.Pause();
    emit PlayingPictureShown(false);
    SetPollEnabled(false);
    SetStatusTimerEnabled(false);
    ShowStatus(QStringLiteral("暂停播放"));
    SetCaption(statusLine_);
    emit SpectrumCaptureWanted(false);
    return;
  }
  if (player_.url().isEmpty()) return;  // nothing loaded yet: nothing to resume
  emit MusicVideoStopWanted();
  player_.Play();
  SetPollEnabled(true);
  SetStatusTimerEnabled(true);
  emit SpectrumCaptureWanted(true);
}

void PlaybackEngine::StopButton() {
  Supersede();
  stopIsOurs_ = true;
  player_.Stop();
  // After the stop: the player's stopped report has just switched the poll on again.
  SetPollEnabled(false);
  SetStatusTimerEnabled(false);
  SetTimeText(kZero);
  ShowStatus(QStringLiteral("停止播放"));
  SetCaption(statusLine_);  // the stopped marquee would leave its last fragment
  emit DownloadButtonShown(false);
  emit PlayingPictureShown(false);
  state_.dragging = false;
  MoveKnob(playback::kKnobMin);
  emit LyricsReset();
  emit SpectrumCaptureWanted(false);
}

void PlaybackEngine::ApplyVolume(int volume) {
  volume = std::clamp(volume, 0, 100);
  player_.SetVolume(volume);
  config_.volume = volume;
  emit VolumeChanged(volume);
}

void PlaybackEngine::SetVolume(int volume) {
  ApplyVolume(volume);
}

void PlaybackEngine::VolumeUp() {
  const int v = player_.volume();
  ApplyVolume(v >= 96 ? 100 : v + 5);
}

void PlaybackEngine::VolumeDown() {
  const int v = player_.volume();
  ApplyVolume(v < 5 ? 0 : v - 5);
}

int PlaybackEngine::SetVolumeFromKnob(int left) {
  const int volume = playback::VolumeForKnob(left);
  ApplyVolume(volume);
  ShowStatus(QStringLiteral("音量:") + QString::number(volume) + QStringLiteral("%"));
  return volume;
}

void PlaybackEngine::VolumeKnobReleased() {
  emit VolumeSaveWanted();
  ShowStatus(QStringLiteral("准备就绪"));
}

void PlaybackEngine::mnuControls_Click(int index) {
  switch (index) {
    case 0:
      return PlayPause();
    case 1:
      return StopButton();
    case 2:
      return PickSong(1);
    case 3:
      return PickSong(2);
    case 4:
      return VolumeUp();
    case 5:
      return VolumeDown();
    case 6:
      return ToggleMute();
    case 7:
      emit ShowMainWindowWanted();
      return;
    case 8:
      emit ExitWanted();
      return;
    default:
      return;
  }
}

void PlaybackEngine::AddControlsMenu(MenuForm& menus) {
  static const char16_t* const kCaptions[] = {u"播放/暂停", u"停止",     u"上一首",
                                              u"下一首",    u"增大音量", u"减小音量",
                                              u"静音",      u"显示界面", u"退出程序"};
  for (int i = 0; i < 9; ++i) menus.AddItem(kControlsMenu, i, QString::fromUtf16(kCaptions[i]));
}

// ---- Progress knob --------------------------------------------------------------------

bool PlaybackEngine::seekable() const {
  return state_.listKind != ListKind::Radio && player_.duration() > 0;
}

bool PlaybackEngine::BeginKnobDrag() {
  if (state_.listKind == ListKind::Radio) return false;
  state_.dragging = true;
  return true;
}

int PlaybackEngine::DragKnob(int left) {
  if (!state_.dragging) return knobLeft_;
  MoveKnob(playback::ClampKnob(left));
  return knobLeft_;
}

void PlaybackEngine::EndKnobDrag(int left) {
  if (!state_.dragging) return;
  MoveKnob(playback::ClampKnob(left));
  const double seconds = playback::SeekSecondsFor(knobLeft_, player_.duration());
  player_.SetCurrentPosition(seconds);
  state_.dragging = false;
  emit Seeked(seconds);
}

bool PlaybackEngine::SeekFromTrack(int left) {
  if (!seekable()) return false;
  MoveKnob(playback::ClampKnob(left));
  const double seconds = playback::SeekSecondsFor(knobLeft_, player_.duration());
  player_.SetCurrentPosition(seconds);
  emit Seeked(seconds);
  return true;
}

bool PlaybackEngine::SeekTo(double seconds) {
  if (!seekable()) return false;
  const double duration = player_.duration();
  seconds = std::clamp(seconds, 0.0, duration);
  if (!state_.dragging) MoveKnob(playback::KnobLeftFor(seconds, duration));
  player_.SetCurrentPosition(seconds);
  emit Seeked(seconds);
  return true;
}
