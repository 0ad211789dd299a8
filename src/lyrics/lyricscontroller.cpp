// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lyricscontroller.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "config/appconfig.h"
#include "common/backup.h"
#include "common/numparse.h"
#include "common/safefilename.h"
#include "common/textfile.h"
#include "common/vbcolor.h"
#include "components/lyricsdisplay.h"
#include "components/mediaplayer.h"
#include "lyrics/lrcformat.h"
#include "playback/playbackstate.h"
#include "shell/prompter.h"

namespace {
const QString kIdleText = QStringLiteral("Tunewharf歌词秀");
const QString kSearching = QStringLiteral("搜索歌词,请稍候...");
const QString kAutoDownloadOff =
    QStringLiteral("       自动下载歌词功能未启用!\r\n开启位置:智能纠错>自动下载歌词");
const QString kNoFile = QStringLiteral("发生错误!可能原因:无媒体载入\\无匹配歌词\\空的文件路径");
const QString kSaved = QStringLiteral("offset已成功写入并保存!");
const QString kWriteFailed = QStringLiteral("写入offset时发生未知错误!");

constexpr float kMinLastLyric = 60;          // seconds; shorter files are not real lyrics
constexpr double kPlausibleDifference = 40;  // seconds between song end and last lyric

// "500", "-1000", "250.5": the offset as the file and the indicator write it.
QString OffsetText(float ms) {
  return QString::number(static_cast<double>(ms));
}
}  // namespace

LyricsController::LyricsController(PlaybackState& playback, MediaPlayer& player,
                                   LyricsDisplay& display, AppConfig& config, const AppPaths& paths,
                                   Prompter& prompter, QObject* parent)
    : QObject(parent),
      playback_(playback),
      player_(player),
      display_(display),
      config_(config),
      paths_(paths),
      prompter_(prompter) {}

bool LyricsController::loaded() const {
  return playback_.lyricsLoaded;
}
float LyricsController::offsetMs() const {
  return playback_.lyricsOffset;
}

QString LyricsController::LrcFileFor(const QString& title) const {
  return common::FileInFolder(paths_.lrcDir(), title.trimmed(), QStringLiteral(".lrc"))
      .value_or(QString());
}

QString LyricsController::FindLrcFile(const QString& title) const {
  const QString exact = LrcFileFor(title);
  if (exact.isEmpty() || QFileInfo(exact).isFile()) return exact;
  // Names in the lyrics folder are compared without regard to case.
  const QString name = QFileInfo(exact).fileName();
  const QDir dir(QFileInfo(exact).absolutePath());
  for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden)) {
    if (entry.compare(name, Qt::CaseInsensitive) == 0) return dir.filePath(entry);
  }
  return exact;
}

void LyricsController::ShowLrcNow() {
  ticksToFileCheck_ = 0;
  playback_.lyricsLoaded = false;
  display_.Clear();
  playback_.lyricsOffset = 0;
  LoadSongLyrics();
}

void LyricsController::LoadSongLyrics() {
  const QString title = playback_.titleText.trimmed();
  if (title.isEmpty()) return;
  playback_.lyricsLoaded = false;
  const QString fromRow = FindLrcFile(title);
  const QString tagTitle = player_.GetItemInfo(QStringLiteral("Title")).trimmed();
  const QString fromTag = tagTitle.isEmpty() ? QString() : FindLrcFile(tagTitle);

  if (!fromRow.isEmpty() && QFileInfo(fromRow).isFile() && TryLoad(fromRow, true)) return;
  if (!fromTag.isEmpty() && QFileInfo(fromTag).isFile() && TryLoad(fromTag, false)) return;

  playback_.lyricsLoaded = false;
  display_.Clear();
  playback_.lyricsOffset = 0;
  if (config_.lrcAutoDownload()) {
    // Without a lyrics search the display says nothing it cannot keep.
    if (search_) {
      display_.ShowMessage(kSearching);
      search_(LrcFileFor(title), title);
    } else {
      display_.ShowMessage(QStringLiteral("Tunewharf歌词秀"));
    }
  } else {
    display_.ShowMessage(kAutoDownloadOff);
  }
}

bool LyricsController::TryLoad(const QString& path, bool requirePlaying) {
  const auto content = common::ReadTextFile(path, lyrics::kMaxLrcBytes);
  if (!content || !lyrics::IsValidLrcLines(content->lines)) {
    Discard(path);
    state_.lrcPath.clear();
    return false;
  }
  // A good file found while the player is not playing is left for the next attempt.
  if (requirePlaying && player_.playState() != PlayState::Playing) return false;
  float fileOffset = 0;
  const float last = lyrics::LastLyricTime(content->lines.join(QString()), &fileOffset);
  if (last < kMinLastLyric) {
    Discard(path);
    return false;
  }
  state_.lastLyricTime = last;
  if (fileOffset > 0) playback_.lyricsOffset = fileOffset;
  display_.LoadFile(path);
  state_.lrcPath = path;
  playback_.lyricsLoaded = true;
  return true;
}

void LyricsController::Discard(const QString& path) {
  // Only ever files of the lyrics folder, and kept in the backup so the user can get them back.
  if (common::IsDirectlyInside(paths_.lrcDir(), path))
    common::MoveToBackup(path, paths_.backupDir() + QStringLiteral("lrc/"));
  const QFileInfo info(path);
  if (info.exists()) {
    rejectedPath_ = path;
    rejectedModified_ = info.lastModified();
  }
}

bool LyricsController::IsKnownReject(const QString& path) const {
  return path == rejectedPath_ && QFileInfo(path).lastModified() == rejectedModified_;
}

void LyricsController::ShowLrcIfNeeded() {
  if (!windowVisible_ || playback_.playingGrid == PlayingGrid::None ||
      playback_.listKind == ListKind::Radio)
    return;
  const QString file = FindLrcFile(playback_.titleText);
  if (!file.isEmpty() && display_.loadedFile() == file) return;
  ShowLrcNow();
}

void LyricsController::OnPollTick() {
  OnLyricsTick(player_.currentPosition() + playback_.positionCorrection);
}

const QString& LyricsController::TickLrcFile(const QString& title) {
  if (title != tickTitle_ || tickLrcFile_.isNull()) {
    tickTitle_ = title;
    tickLrcFile_ = LrcFileFor(title);
    if (tickLrcFile_.isNull()) tickLrcFile_ = QLatin1String("");
  }
  return tickLrcFile_;
}

void LyricsController::OnLyricsTick(double positionSeconds) {
  if (windowVisible_ && playback_.playingGrid != PlayingGrid::None &&
      playback_.listKind != ListKind::Radio && player_.playState() == PlayState::Playing) {
    // Picks up a file the lyrics search has just downloaded. Only while playing: a good file
    // is loaded only then, and a failed attempt would start a new search on every tick. The
    // disk is asked once a second, not on every tick.
    if (playback_.titleText != tickTitle_ || --ticksToFileCheck_ <= 0) {
      ticksToFileCheck_ = kTicksPerFileCheck;
      const QString& file = TickLrcFile(playback_.titleText);
      if (!file.isEmpty() && file != display_.loadedFile() && QFileInfo(file).isFile() &&
          !IsKnownReject(file))
        ShowLrcNow();
    }
  }
  if (!windowVisible_ || !playback_.lyricsLoaded) return;

  const QString text = PositionText(positionSeconds);
  if (IsBeforeLastLyric(text)) {
    display_.ShowPosition(text);
    emit PositionShown();
    if (playback_.lyricsOffset == 0)
      SetIndicator(false, indicatorCaption_);
    else
      SetIndicator(true, QStringLiteral("offset=") + OffsetText(playback_.lyricsOffset));
  }
  SetNotice(config_.lrcFormatCheck() && !IsLyricLengthPlausible());
}

QString LyricsController::PositionText(double positionSeconds) const {
  // The first moments of a song under a negative offset show as 0.0.
  const int64_t q =
      std::max<int64_t>(0, common::RoundHalfEven(positionSeconds * 1000 + playback_.lyricsOffset));
  return QString::number(q / 1000) + u'.' + QString::number((q / 100) % 10);
}

bool LyricsController::IsBeforeLastLyric(const QString& positionText) const {
  return player_.playState() == PlayState::Playing &&
         common::Val(positionText) < state_.lastLyricTime;
}

bool LyricsController::IsLyricLengthPlausible() const {
  return std::abs(player_.duration() - state_.lastLyricTime) < kPlausibleDifference;
}

void LyricsController::ResetDisplay() {
  playback_.lyricsLoaded = false;
  display_.Clear();
  playback_.lyricsOffset = 0;
}

void LyricsController::OnSongStarted() {
  ResetDisplay();
  state_.lastLyricTime = 0;
  display_.ShowMessage(kIdleText);
  SetIndicator(false, indicatorCaption_);
}

void LyricsController::OnPlayerStopped() {
  ResetDisplay();
  display_.ShowMessage(kIdleText);
}

void LyricsController::ShowSearchOutcome(const QString& message) {
  ResetDisplay();
  display_.ShowMessage(message);
}

void LyricsController::AddOffset(float ms) {
  playback_.lyricsOffset += ms;
}
void LyricsController::ResetOffset() {
  playback_.lyricsOffset = 0;
}

void LyricsController::SaveLrcOffset() {
  const QString path = state_.lrcPath;
  if (path.trimmed().isEmpty() || !QFileInfo(path).isFile()) {
    prompter_.Inform(kNoFile, QStringLiteral("Error"), PromptIcon::Exclamation);
    return;
  }
  QFile file(path);
  if (QFileInfo(path).size() > lyrics::kMaxLrcBytes || !file.open(QIODevice::ReadOnly)) {
    prompter_.Inform(kWriteFailed, QStringLiteral("Error"), PromptIcon::Exclamation);
    return;
  }
  const QByteArray before = file.readAll();
  file.close();
  // The edit touches the offset tag's bytes only: lines in other encodings, or bytes that are
  // not valid text at all, come back exactly as they were.
  const QString tag = QStringLiteral("[offset:") + OffsetText(playback_.lyricsOffset);
  const QByteArray after = lyrics::WithOffsetTag(before, tag.toLatin1());
  if (after != before && !common::WriteBytesAtomically(path, after)) {
    prompter_.Inform(kWriteFailed, QStringLiteral("Error"), PromptIcon::Exclamation);
    return;
  }
  prompter_.Inform(kSaved, QStringLiteral("操作已成功"), PromptIcon::Information);
}

bool LyricsController::SetMusicPos(int positionMs) {
  player_.SetCurrentPosition(positionMs / 1000.0);
  return true;
}

void LyricsController::OnPositionPicked(double seconds) {
  if (player_.playState() != PlayState::Playing || !std::isfinite(seconds)) return;
  const double target = seconds * 1000 - playback_.lyricsOffset;
  // Milliseconds of the song that have arrived; a seek beyond them would stall a stream.
  const double limit = common::Int(player_.downloadProgress() * player_.duration() * 10);
  if (target > limit) return;
  SetMusicPos(static_cast<int>(std::clamp<int64_t>(common::RoundHalfEven(target), 0, INT32_MAX)));
}

void LyricsController::ApplyColors() {
  display_.SetForeColor(common::ColorFromVb(config_.EffectiveLrcColor(0)));
  display_.SetBackColor(common::ColorFromVb(config_.EffectiveLrcColor(1)));
  display_.SetHighlightColor(common::ColorFromVb(config_.EffectiveLrcColor(2)));
}

void LyricsController::SetIndicator(bool visible, const QString& caption) {
  if (visible == indicatorVisible_ && caption == indicatorCaption_) return;
  indicatorVisible_ = visible;
  indicatorCaption_ = caption;
  emit OffsetIndicatorChanged(visible, caption);
}

void LyricsController::SetNotice(bool visible) {
  if (visible == noticeVisible_) return;
  noticeVisible_ = visible;
  emit LengthNoticeChanged(visible);
}
