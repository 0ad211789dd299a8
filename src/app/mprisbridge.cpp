// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mprisbridge.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "common/safefilename.h"
#include "config/appconfig.h"
#include "playback/playbackengine.h"
#include "playlist/songentry.h"

namespace app {

QString CachedSingerPicture(const QString& picTmpDir, const QString& singer) {
  const QString safe = common::SafeFileName(singer.trimmed());
  if (safe.isEmpty()) return {};
  const QString root = QDir::cleanPath(QFileInfo(picTmpDir).absoluteFilePath());
  const QString folder = root + QLatin1Char('/') + safe;
  const QFileInfo info(folder);
  if (!common::IsDirectlyInside(root, folder) || info.isSymLink() || !info.isDir()) return {};
  const QStringList pictures{QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"),
                             QStringLiteral("*.png"), QStringLiteral("*.gif"),
                             QStringLiteral("*.bmp")};
  for (const QFileInfo& file : QDir(folder).entryInfoList(pictures, QDir::Files, QDir::Name))
    if (!file.isSymLink() && file.size() > 0)
      return QUrl::fromLocalFile(file.absoluteFilePath()).toString();
  return {};
}

}  // namespace app

namespace {
constexpr double kUsPerSecond = 1e6;

bool IsStoppedState(PlayState s) {
  return s != PlayState::Playing && s != PlayState::Paused && s != PlayState::Buffering &&
         s != PlayState::Transitioning;
}
}  // namespace

MprisBridge::MprisBridge(PlaybackEngine& engine, const AppConfig& config, Hooks hooks,
                         QObject* parent)
    : QObject(parent), engine_(engine), config_(config), hooks_(std::move(hooks)) {
  metadata_.insert(QStringLiteral("mpris:trackid"), kNoTrack);
  announced_ = ChangingProperties();
  refreshTimer_.setSingleShot(true);
  connect(&refreshTimer_, &QTimer::timeout, this, &MprisBridge::Refresh);
}

// ---- Properties -----------------------------------------------------------------------

QString MprisBridge::playbackStatus() const {
  switch (engine_.player().playState()) {
    case PlayState::Paused:
      return QStringLiteral("Paused");
    case PlayState::Playing:
    case PlayState::Buffering:
    case PlayState::Transitioning:  // connecting or seeking: the user asked to hear it
      return QStringLiteral("Playing");
    default:
      return QStringLiteral("Stopped");
  }
}

QString MprisBridge::LoopStatusFor(int mode) {
  switch (mode) {
    case 1:
      return QStringLiteral("Track");
    case 3:
    case 4:  // random play never runs out of songs
      return QStringLiteral("Playlist");
    default:
      return QStringLiteral("None");
  }
}

std::optional<int> MprisBridge::ModeForLoopStatus(int mode, const QString& status) {
  if (status == QLatin1String("Track")) return 1;
  if (status == QLatin1String("Playlist")) return mode == 4 ? 4 : 3;
  if (status == QLatin1String("None")) return mode == 0 || mode == 2 ? mode : 2;
  return std::nullopt;
}

int MprisBridge::ModeForShuffle(int mode, bool on) {
  if (on) return 4;
  return mode == 4 ? 3 : mode;  // random play loops: list loop is its ordered twin
}

QString MprisBridge::loopStatus() const {
  return LoopStatusFor(config_.playMode);
}
bool MprisBridge::shuffle() const {
  return config_.playMode == 4;
}
double MprisBridge::volume() const {
  return engine_.player().volume() / 100.0;
}

qint64 MprisBridge::positionUs() const {
  if (IsStoppedState(engine_.player().playState())) return 0;
  return std::llround(engine_.player().currentPosition() * kUsPerSecond);
}

bool MprisBridge::canGoNext() const {
  return engine_.state().playingGrid != PlayingGrid::None;
}
bool MprisBridge::canGoPrevious() const {
  return canGoNext();
}
bool MprisBridge::canPlay() const {
  return !engine_.player().url().isEmpty();
}
bool MprisBridge::canSeek() const {
  return engine_.seekable() && !IsStoppedState(engine_.player().playState());
}

QVariantMap MprisBridge::ChangingProperties() const {
  return {{QStringLiteral("PlaybackStatus"), playbackStatus()},
          {QStringLiteral("LoopStatus"), loopStatus()},
          {QStringLiteral("Shuffle"), shuffle()},
          {QStringLiteral("Metadata"), metadata_},
          {QStringLiteral("Volume"), volume()},
          {QStringLiteral("CanGoNext"), canGoNext()},
          {QStringLiteral("CanGoPrevious"), canGoPrevious()},
          {QStringLiteral("CanPlay"), canPlay()},
          {QStringLiteral("CanPause"), canPause()},
          {QStringLiteral("CanSeek"), canSeek()}};
}

void MprisBridge::RebuildMetadata() {
  const PlaybackState& state = engine_.state();
  MediaPlayer& player = engine_.player();
  QVariantMap m;
  m.insert(QStringLiteral("mpris:trackid"),
           QStringLiteral("/org/tunewharf/track/") + QString::number(trackGeneration_));
  QString title = state.titleText.trimmed();
  if (title.isEmpty()) title = player.GetItemInfo(QStringLiteral("Title")).trimmed();
  // A station names its song in the stream title; the station itself is the album.
  if (state.listKind == ListKind::Radio && !state.streamTitle.isEmpty()) {
    if (!title.isEmpty()) m.insert(QStringLiteral("xesam:album"), title);
    title = state.streamTitle;
  }
  if (!title.isEmpty()) m.insert(QStringLiteral("xesam:title"), title);
  QString artist = state.artistText.trimmed();
  if (artist.isEmpty() || artist == kUnknownSinger)
    artist = player.GetItemInfo(QStringLiteral("Author")).trimmed();
  if (!artist.isEmpty()) m.insert(QStringLiteral("xesam:artist"), QStringList{artist});
  if (const double duration = player.duration(); duration > 0)
    m.insert(QStringLiteral("mpris:length"), qint64{std::llround(duration * kUsPerSecond)});
  const QString url = player.url();
  if (!url.isEmpty())
    m.insert(QStringLiteral("xesam:url"),
             url.contains(QStringLiteral("://")) ? url : QUrl::fromLocalFile(url).toString());
  if (!art_.isEmpty()) m.insert(QStringLiteral("mpris:artUrl"), art_);
  if (!lyricLine_.isEmpty()) m.insert(QStringLiteral("xesam:asText"), lyricLine_);
  metadata_ = m;
}

// ---- Inputs ---------------------------------------------------------------------------

void MprisBridge::OnPlayStateChanged(int state) {
  const auto s = static_cast<PlayState>(state);
  if (s == PlayState::Playing) {
    // The engine moves its generation on for every start: a new one is a new track.
    if (!hasTrack_ || engine_.generation() != trackGeneration_) {
      hasTrack_ = true;
      trackGeneration_ = engine_.generation();
      lyricLine_.clear();
      const QString artist = engine_.state().artistText.trimmed();
      art_ = hooks_.artFor ? hooks_.artFor(artist) : QString();
    }
    streamTitle_ = engine_.state().streamTitle;
    RebuildMetadata();
  } else if (IsStoppedState(s)) {
    if (hasTrack_ && !lyricLine_.isEmpty()) {
      lyricLine_.clear();
      RebuildMetadata();
    }
    refreshTimer_.start(stopSettleMs_);
    return;
  }
  ScheduleRefresh();
}

void MprisBridge::OnPolled() {
  // While the next song loads, the engine already holds its title: wait until it plays.
  if (!hasTrack_ || engine_.generation() != trackGeneration_) return;
  const QString& streamTitle = engine_.state().streamTitle;
  const qint64 length = std::llround(std::max(0.0, engine_.player().duration()) * kUsPerSecond);
  if (streamTitle == streamTitle_ &&
      length == metadata_.value(QStringLiteral("mpris:length"), qint64{0}).toLongLong())
    return;
  streamTitle_ = streamTitle;
  RebuildMetadata();
  ScheduleRefresh();
}

void MprisBridge::OnLyricsMoved() {
  if (!hasTrack_ || !hooks_.lyricLine) return;
  const QString line = hooks_.lyricLine().trimmed();
  if (line == lyricLine_) return;
  lyricLine_ = line;
  RebuildMetadata();
  ScheduleRefresh();
}

void MprisBridge::OnPictureCached() {
  if (!hasTrack_ || !hooks_.artFor) return;
  const QString art = hooks_.artFor(engine_.state().artistText.trimmed());
  if (art == art_) return;
  art_ = art;
  RebuildMetadata();
  ScheduleRefresh();
}

void MprisBridge::OnSeeked(double seconds) {
  emit Seeked(std::llround(seconds * kUsPerSecond));
}

void MprisBridge::ScheduleRefresh() {
  if (!refreshTimer_.isActive()) refreshTimer_.start(0);
}

void MprisBridge::Refresh() {
  refreshTimer_.stop();
  const QVariantMap now = ChangingProperties();
  QVariantMap changed;
  for (auto it = now.cbegin(); it != now.cend(); ++it)
    if (announced_.value(it.key()) != it.value()) changed.insert(it.key(), it.value());
  announced_ = now;
  if (!changed.isEmpty()) emit PlayerPropertiesChanged(changed);
}

// ---- Commands -------------------------------------------------------------------------

void MprisBridge::PlayPause() {
  engine_.PlayPause();
}

void MprisBridge::Play() {
  // The play button toggles: only a paused or stopped song is started.
  if (playbackStatus() != QLatin1String("Playing")) engine_.PlayPause();
}

void MprisBridge::Pause() {
  if (engine_.player().playState() == PlayState::Playing) engine_.PlayPause();
}

void MprisBridge::Stop() {
  engine_.StopButton();
}
void MprisBridge::Next() {
  engine_.PickSong(static_cast<int>(playback::PickAction::Next));
}
void MprisBridge::Previous() {
  engine_.PickSong(static_cast<int>(playback::PickAction::Previous));
}

void MprisBridge::Seek(qint64 offsetUs) {
  if (!canSeek()) return;
  const double target = engine_.player().currentPosition() + offsetUs / kUsPerSecond;
  // Past the end is the next song, as the desktop's interface asks.
  if (target > engine_.player().duration()) return Next();
  engine_.SeekTo(std::max(0.0, target));
}

void MprisBridge::SetPosition(const QString& trackId, qint64 positionUs) {
  if (!canSeek() || trackId != metadata_.value(QStringLiteral("mpris:trackid")).toString()) return;
  if (positionUs < 0 || positionUs > engine_.player().duration() * kUsPerSecond) return;
  engine_.SeekTo(positionUs / kUsPerSecond);
}

void MprisBridge::SetVolume(double volume) {
  if (std::isnan(volume)) return;
  engine_.SetVolume(static_cast<int>(std::lround(std::clamp(volume, 0.0, 1.0) * 100)));
}

void MprisBridge::SetLoopStatus(const QString& status) {
  const std::optional<int> mode = ModeForLoopStatus(config_.playMode, status);
  if (mode && *mode != config_.playMode && hooks_.setPlayMode) hooks_.setPlayMode(*mode);
  ScheduleRefresh();
}

void MprisBridge::SetShuffle(bool on) {
  const int mode = ModeForShuffle(config_.playMode, on);
  if (mode != config_.playMode && hooks_.setPlayMode) hooks_.setPlayMode(mode);
  ScheduleRefresh();
}

void MprisBridge::Raise() {
  if (hooks_.raise) hooks_.raise();
}

void MprisBridge::Quit() {
  if (hooks_.quit) hooks_.quit();
}
