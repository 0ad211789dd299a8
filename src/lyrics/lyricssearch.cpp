// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lyricssearch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/backup.h"
#include "common/gbk.h"
#include "common/safefilename.h"
#include "common/textfile.h"
#include "components/mediaplayer.h"
#include "config/appconfig.h"
#include "lyrics/lrcformat.h"
#include "lyrics/lrchitmodel.h"
#include "lyrics/lyricscontroller.h"
#include "lyrics/lyricsscan.h"
#include "playback/playbackstate.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"
#include "web/songscan.h"

namespace {
const QString kScratch = QStringLiteral("Lrc.html");
const QString kUnknownSingerName = QStringLiteral("未知");
const QString kDownloaded = QStringLiteral("歌词下载成功!");
const QString kNoMatch = QStringLiteral("暂无匹配歌词!");
const QString kDownloadFailed = QStringLiteral("歌词下载失败!");
const QString kUnreadable = QStringLiteral("格式无法解析<缺必要标签>!");

bool IsValidLrcBytes(const QByteArray& bytes) {
  return lyrics::IsValidLrcLines(common::SplitLines(common::DecodeFileText(bytes)));
}

web::FetchLimits DownloadLimits() {
  web::FetchLimits limits;
  limits.maxBytes = web::kLyricsMaxBytes;
  limits.keepBytes = true;
  return limits;
}
}  // namespace

LyricsSearch::LyricsSearch(PageFetcher& fetcher, const ServiceHosts& hosts, const AppConfig& config,
                           const AppPaths& paths, const PlaybackState& playback,
                           MediaPlayer& player, LyricsController& lyrics, LrcHitModel& hits,
                           QObject* parent)
    : QObject(parent),
      fetcher_(fetcher),
      hosts_(hosts),
      config_(config),
      paths_(paths),
      playback_(playback),
      player_(player),
      lyrics_(lyrics),
      hits_(hits) {}

QString LyricsSearch::Words(const QString& title) const {
  return web::NormaliseTitle(title, config_.sets[4]);
}

void LyricsSearch::SearchForPlayingSong() {
  const QString title = playback_.titleText.trimmed();
  if (player_.playState() != PlayState::Playing || title.isEmpty() ||
      playback_.playingGrid == PlayingGrid::None || playback_.listKind == ListKind::Radio)
    return;
  SearchLyrics(QString(), title);
}

void LyricsSearch::SearchLyrics(const QString& /*lrcPath*/, const QString& songTitle) {
  if (!lyrics_.windowVisible()) return;
  Cancel();
  hits_.Reset();
  title_ = songTitle;
  target_ = lyrics_.LrcFileFor(songTitle);
  words_ = Words(songTitle);
  running_ = true;
  if (config_.lyricsEngine == 0) {
    const quint64 generation = generation_;
    fetcher_.FetchPlain(
        hosts_.Host(ServiceHosts::kLyricsSite) + QStringLiteral("/?p=1&st=all&k=") + words_,
        kScratch, this, [this, generation](const web::FetchResult& result) {
          if (generation != generation_) return;
          sitePages_ = lyrics::SitePages(lyrics::ParseSiteCount(result.Joined()));
          FetchSitePage(1);
        });
  } else {
    FetchBaiduPage(0);
  }
}

void LyricsSearch::FetchSitePage(int page) {
  const quint64 generation = generation_;
  fetcher_.FetchPlain(hosts_.Host(ServiceHosts::kLyricsSite) + QStringLiteral("/?p=") +
                          QString::number(page) + QStringLiteral("&st=all&k=") + words_,
                      kScratch, this, [this, generation, page](const web::FetchResult& result) {
                        OnPage(generation, result, true, page);
                      });
}

void LyricsSearch::FetchBaiduPage(int page) {
  const quint64 generation = generation_;
  fetcher_.FetchPlain(
      hosts_.Host(ServiceHosts::kBaiduLyrics) +
          QStringLiteral("/m?z=0&cl=3&ct=150994944&sn=&lm=-1&cm=1&sc=1&bu=&rn=10&tn=baidump3lyric"
                         "&word=") +
          words_ + QStringLiteral("&pn=") + QString::number(page * 10),
      kScratch, this, [this, generation, page](const web::FetchResult& result) {
        OnPage(generation, result, false, page);
      });
}

void LyricsSearch::OnPage(quint64 generation, const web::FetchResult& result, bool site, int page) {
  if (generation != generation_) return;
  if (!result.ok) return Choose();
  const lyrics::LyricsPageScan scan =
      site ? lyrics::ScanSitePage(result.Joined(), hosts_.Host(ServiceHosts::kLyricsSite))
           : lyrics::ScanBaiduPage(result.Joined());
  for (const lyrics::LyricsHit& hit : scan.rows) hits_.Append(hit);
  hitCount_ += scan.hits;
  // A missing marker ends the whole search, not just the page.
  if (scan.stopped) return Choose();
  if (site && page < sitePages_) return FetchSitePage(page + 1);
  if (!site && page + 1 < kBaiduPages) return FetchBaiduPage(page + 1);
  Choose();
}

bool LyricsSearch::TargetIsValid() const {
  return !target_.isEmpty() && QFileInfo(target_).isFile() && lyrics::IsValidLrc(target_);
}

void LyricsSearch::Choose() {
  hits_.PadTo(LrcHitModel::kMinRows);
  if (TargetIsValid()) {
    // Someone else's file is in place: it stays, and the display is left as it is.
    running_ = false;
    emit SearchFinished(true);
    return;
  }
  if (hitCount_ == 0 || target_.isEmpty()) return Finish(false);
  singer_ = playback_.artistText.trimmed();
  author_ = player_.GetItemInfo(QStringLiteral("Author")).trimmed();
  pass_ = 1;
  nextRow_ = 1;
  NextAttempt();
}

void LyricsSearch::NextAttempt() {
  // Pass 1 matches the row's singer, pass 2 the media's author; pass 3 takes the first hit once.
  while (pass_ <= 2) {
    const QString wanted = pass_ == 1 ? singer_ : author_;
    const bool usable = pass_ == 1 ? (!wanted.isEmpty() && wanted != kUnknownSingerName)
                                   : (!wanted.isEmpty() && !TargetIsValid());
    if (usable) {
      while (nextRow_ <= hitCount_) {
        const int row = nextRow_++;
        const lyrics::LyricsHit hit = hits_.hit(row);
        if (!hit.link.isEmpty() && hit.singer.contains(wanted)) return Download(row);
      }
    }
    ++pass_;
    nextRow_ = 1;
  }
  if (pass_ == 3) {
    ++pass_;
    if (!TargetIsValid() && !hits_.hit(1).link.isEmpty()) return Download(1);
  }
  Finish(TargetIsValid());
}

void LyricsSearch::Download(int row) {
  const quint64 generation = generation_;
  fetcher_.HttpGetBody(
      hits_.hit(row).link, QStringLiteral("GB2312"), this,
      [this, generation](const web::FetchResult& result) { OnDownloaded(generation, result); },
      DownloadLimits());
}

void LyricsSearch::OnDownloaded(quint64 generation, const web::FetchResult& result) {
  if (generation != generation_) return;
  const bool fetched = result.error == web::FetchError::None && !result.bytes.isEmpty();
  if (fetched && IsValidLrcBytes(result.bytes)) {
    // A valid file that appeared meanwhile is never replaced by an automatic search.
    if (TargetIsValid()) return Finish(true);
    QDir().mkpath(paths_.lrcDir());
    if (QFileInfo::exists(target_))
      common::MoveToBackup(target_, paths_.backupDir() + QStringLiteral("lrc/"));
    if (!QFileInfo::exists(target_) && common::WriteBytesAtomically(target_, result.bytes))
      return Finish(true);
  }
  lyrics_.SetLrcPath(QString());
  NextAttempt();
}

void LyricsSearch::Finish(bool success) {
  running_ = false;
  lyrics_.ShowSearchOutcome(success ? kDownloaded : kNoMatch);
  lyrics_.SetLrcPath(success ? target_ : QString());
  emit SearchFinished(success);
}

void LyricsSearch::Cancel() {
  ++generation_;
  fetcher_.Cancel(kScratch);
  running_ = false;
  hitCount_ = 0;
}

bool LyricsSearch::DownloadRow(int row) {
  const lyrics::LyricsHit hit = hits_.hit(row);
  if (row < 1 || hit.title.trimmed().isEmpty()) return false;
  if (hit.link.trimmed().isEmpty()) {
    lyrics_.ShowSearchOutcome(kDownloadFailed);
    emit DownloadFinished(kDownloadFailed);
    return true;
  }
  DownloadLyrics(playback_.titleText.trimmed(), hit.link.trimmed());
  return true;
}

void LyricsSearch::DownloadLyrics(const QString& songTitle, const QString& url) {
  const QString target = lyrics_.LrcFileFor(songTitle);
  const QString temp =
      common::FileInFolder(paths_.lrcDir(), songTitle, QStringLiteral("2.lrc")).value_or(QString());
  auto done = [this](const QString& message) {
    lyrics_.ShowSearchOutcome(message);
    emit DownloadFinished(message);
  };
  if (target.isEmpty() || temp.isEmpty() || !lyrics::IsLyricsLink(url))
    return done(kDownloadFailed);
  const quint64 generation = generation_;
  fetcher_.HttpGetBody(
      url, QStringLiteral("GB2312"), this,
      [this, generation, target, temp, done](const web::FetchResult& result) {
        if (generation != generation_) return;
        if (result.error != web::FetchError::None || result.bytes.isEmpty())
          return done(kDownloadFailed);
        QDir().mkpath(paths_.lrcDir());
        // The temporary's name may belong to another song's lyrics: then it is not used.
        const bool useTemp = !QFileInfo::exists(temp);
        const bool valid =
            useTemp ? common::WriteBytesAtomically(temp, result.bytes) && lyrics::IsValidLrc(temp)
                    : IsValidLrcBytes(result.bytes);
        if (!valid) {
          if (useTemp) QFile::remove(temp);
          return done(kUnreadable);
        }
        const bool kept = !QFileInfo::exists(target) ||
                          common::MoveToBackup(target, paths_.backupDir() + QStringLiteral("lrc/"));
        const bool placed = kept && (useTemp ? QFile::rename(temp, target)
                                             : common::WriteBytesAtomically(target, result.bytes));
        if (!placed) {
          if (useTemp) QFile::remove(temp);
          return done(kDownloadFailed);
        }
        done(kDownloaded);
        lyrics_.LoadSongLyrics();
      },
      DownloadLimits());
}
