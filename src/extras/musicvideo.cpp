// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/musicvideo.h"

#include "components/mediaplayer.h"
#include "config/menuform.h"
#include "extras/mtvhitmodel.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {
const QString kBusy = QStringLiteral("信息获取中,请稍候...");
const QString kSearchFailed = QStringLiteral("信息获取失败,无此MTV或者您可能遇到网络故障.");
const QString kResolveFailed = QStringLiteral("对不起,MTV地址查询失败");
const QString kSearchScratch = QStringLiteral("temMTV.html");
const QString kPathScratch = QStringLiteral("tempath.html");
const QString kPageScratch = QStringLiteral("temAdr.html");

QString CountLine(int total) {
  return QStringLiteral("共找到 ") + QString::number(total) + QStringLiteral(" 条相关信息");
}
}  // namespace

void MusicVideo::AddMenus(MenuForm& menus) {
  menus.AddItem(kHitMenu, static_cast<int>(HitItem::Play), QStringLiteral("播放"));
  menus.AddItem(kHitMenu, static_cast<int>(HitItem::Download), QStringLiteral("下载"));
  const char* player[] = {"播放/暂停", "停止", "全屏", "下载"};
  for (int k = 0; k < 4; ++k) menus.AddItem(kPlayerMenu, k, QString::fromUtf8(player[k]));
  menus.AddItem(kSearchByMenu, static_cast<int>(SearchByItem::Title), QStringLiteral("按歌名"));
  menus.AddItem(kSearchByMenu, static_cast<int>(SearchByItem::Singer), QStringLiteral("按歌手"));
}

MusicVideo::MusicVideo(PageFetcher& fetcher, const ServiceHosts& hosts, MediaPlayer& player,
                       MtvHitModel& hits, QObject* parent)
    : QObject(parent), fetcher_(fetcher), hosts_(hosts), player_(player), hits_(hits) {
  bufferTimer_.setInterval(kBufferTickMs);
  connect(&bufferTimer_, &QTimer::timeout, this, &MusicVideo::OnBufferTick);
  connect(&player_, &MediaPlayer::PlayStateChanged, this, &MusicVideo::OnPlayStateChanged);
}

bool MusicVideo::SearchFromBox(const QString& text) {
  const QString words = text.trimmed();
  if (words.isEmpty() || words == kPlaceholder) return false;
  player_.Stop();
  SearchMTV(words);
  return true;
}

void MusicVideo::SearchMTV(const QString& words) {
  ++searchGeneration_;
  searching_ = true;
  words_ = words;
  SetStatus(kBusy);
  emit LoadingChanged(true);
  FetchPage(1);
}

void MusicVideo::FetchPage(int page) {
  const QString url = hosts_.Host(ServiceHosts::kMtvSite) +
                      QStringLiteral("/mtv/search.php?search=1&keywords=") + words_ +
                      QStringLiteral("&page=") + QString::number(page);
  const quint64 generation = searchGeneration_;
  fetcher_.Fetch(url, kSearchScratch, this,
                 [this, generation, page](const web::FetchResult& result) {
                   OnPage(generation, page, result);
                 });
}

void MusicVideo::OnPage(quint64 generation, int page, const web::FetchResult& result) {
  if (generation != searchGeneration_) return;
  const QString root = hosts_.Host(ServiceHosts::kMtvSite);
  if (page == 1) {
    const auto total = result.ok ? extras::ScanMtvTotal(result.Joined()) : std::nullopt;
    if (!total || *total == 0) return FailSearch();
    total_ = *total;
    pages_ = extras::MtvPages(total_);
    hits_.Reset();
  } else if (!result.ok) {
    return FinishSearch();  // a page that fails ends the paging, keeping what came
  }
  for (const extras::MtvHit& hit : extras::ScanMtvHits(result.Joined(), root)) hits_.Append(hit);
  if (page < pages_) return FetchPage(page + 1);
  FinishSearch();
}

void MusicVideo::FinishSearch() {
  searching_ = false;
  SetCount(CountLine(total_));
  emit LoadingChanged(false);
}

void MusicVideo::FailSearch() {
  searching_ = false;
  SetStatus(kSearchFailed);
  SetCount(CountLine(0));
  emit LoadingChanged(false);
}

bool MusicVideo::PlayRow(int row) {
  const extras::MtvHit hit = hits_.hit(row);
  if (row < 1 || hit.title.trimmed().isEmpty()) return false;
  SetStatus(kBusy);
  nowPlaying_ = QStringLiteral("正在播放: ") + hit.title + QStringLiteral(" --- ") + hit.singer;
  playingTitle_ = hit.title;
  currentRow_ = row;
  if (!hit.link.trimmed().isEmpty()) ResolveMTVAddress(hit.link);
  return true;
}

void MusicVideo::ResolveMTVAddress(const QString& pageUrl) {
  const quint64 generation = ++resolveGeneration_;
  const QString script = hosts_.Host(ServiceHosts::kMtvVideoHost) + QStringLiteral("/v/js/path.js");
  fetcher_.Fetch(
      script, kPathScratch, this, [this, generation, pageUrl](const web::FetchResult& result) {
        if (generation != resolveGeneration_) return;
        // Without the script every video comes from the fallback server.
        pathTable_ = result.ok ? extras::ParsePathScript(result.Lines()) : extras::MtvPathTable();
        fetcher_.Fetch(
            pageUrl, kPageScratch, this,
            [this, generation](const web::FetchResult& page) { OnVideoPage(generation, page); });
      });
}

void MusicVideo::OnVideoPage(quint64 generation, const web::FetchResult& result) {
  if (generation != resolveGeneration_) return;
  const auto ref = result.ok ? extras::ScanVideoPage(result.Joined()) : std::nullopt;
  if (!ref) return FailResolve();
  const QString fallback = hosts_.Host(ServiceHosts::kMtvFallback) + QStringLiteral("/mtv/");
  const auto address = extras::MtvVideoAddress(pathTable_, *ref, fallback);
  if (!address) return FailResolve();
  switching_ = true;
  player_.Stop();
  switching_ = false;
  player_.SetUrl(*address, UrlOrigin::Web);
  emit VideoAboutToPlay();
  player_.Play();
}

void MusicVideo::FailResolve() {
  if (player_.playState() != PlayState::Stopped) player_.Stop();
  SetStatus(kResolveFailed);
}

void MusicVideo::MTV001_Click(HitItem item) {
  if (item == HitItem::Play) {
    PlayRow(pickedRow_);
  } else {
    emit DownloadWanted(playingTitle_, player_.url());
  }
}

void MusicVideo::abc1_Click(PlayerItem item) {
  switch (item) {
    case PlayerItem::PlayPause:
      if (player_.playState() == PlayState::Playing)
        player_.Pause();
      else if (!player_.url().isEmpty())
        player_.Play();
      break;
    case PlayerItem::Stop:
      player_.Stop();
      break;
    case PlayerItem::FullScreen:
      if (player_.playState() == PlayState::Playing) emit FullScreenWanted();
      break;
    case PlayerItem::Download:
      emit DownloadWanted(playingTitle_, player_.url());
      break;
  }
}

void MusicVideo::Close() {
  if (player_.playState() != PlayState::Stopped) player_.Stop();
}

void MusicVideo::OnPlayStateChanged(int state) {
  const auto s = static_cast<PlayState>(state);
  if (s != PlayState::Buffering) bufferTimer_.stop();
  switch (s) {
    case PlayState::Stopped:
      SetStatus(QStringLiteral("播放已停止"));
      break;
    case PlayState::Paused:
      SetStatus(QStringLiteral("播放已暂停"));
      break;
    case PlayState::Playing:
      SetStatus(nowPlaying_);
      emit VideoStarted();
      break;
    case PlayState::Buffering:
      if (!bufferTimer_.isActive()) bufferTimer_.start();
      break;
    case PlayState::Transitioning:
      SetStatus(QStringLiteral("连接媒体..."));
      break;
    case PlayState::Ready:
      SetStatus(QStringLiteral("媒体错误"));
      break;
    default:
      return;
  }
  if ((s == PlayState::Stopped || s == PlayState::Ready) && !switching_) emit VideoFinished();
}

void MusicVideo::OnBufferTick() {
  SetStatus(QStringLiteral("缓冲处理: ") + QString::number(player_.bufferingProgress()) +
            QStringLiteral("%"));
}

void MusicVideo::SetStatus(const QString& text) {
  status_ = text;
  emit StatusChanged(text);
}

void MusicVideo::SetCount(const QString& text) {
  count_ = text;
  emit CountChanged(text);
}
