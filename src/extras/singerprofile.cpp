// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/singerprofile.h"

#include <QFileInfo>

#include "download/downloader.h"
#include "extras/picturecache.h"
#include "extras/singerscan.h"
#include "shell/prompter.h"
#include "web/pagefetcher.h"

SingerProfile::SingerProfile(PageFetcher& fetcher, Downloader& pictures, Prompter& prompter,
                             std::function<QString()> musicHost, QString picTmpDir, QObject* parent)
    : QObject(parent),
      fetcher_(fetcher),
      pictures_(pictures),
      prompter_(prompter),
      musicHost_(std::move(musicHost)),
      picTmpDir_(std::move(picTmpDir)) {
  connect(&pictures_, &Downloader::DownloadComplete, this, &SingerProfile::OnPictureDownloaded);
}

void SingerProfile::SetNameSources(std::function<QString()> rowSinger,
                                   std::function<QString()> mediaAuthor) {
  rowSinger_ = std::move(rowSinger);
  mediaAuthor_ = std::move(mediaAuthor);
}

QString SingerProfile::SongSinger() const {
  const QString row = rowSinger_ ? rowSinger_().trimmed() : QString();
  if (mode_ == 1) return row;
  const QString author = mediaAuthor_ ? mediaAuthor_().trimmed() : QString();
  return author.isEmpty() ? row : author;
}

void SingerProfile::ShowSingerProfile(bool fromSearchBox) {
  const QString name = fromSearchBox ? boxText_.trimmed() : SongSinger();
  // A shown singer is not fetched again, nor one whose lookup failed; a lookup that failed
  // only partly (some facts missing) may be tried again.
  if (view_.name == name) {
    const int failed = int(view_.englishName == kFailed) + int(view_.region == kFailed) +
                       int(view_.albums == kFailed) + int(view_.singles == kFailed);
    if (failed == 0 || failed == 4) return;
  }
  current_ = name;
  fromBox_ = fromSearchBox;
  retried_ = false;
  PrepareSingerWindow(name);
  FetchSearchPage(++generation_);
}

void SingerProfile::PrepareSingerWindow(const QString& name) {
  view_.busy = true;
  view_.picturePath.clear();
  pendingPicture_.clear();
  view_.name = name.isEmpty() && !fromBox_ ? kWait : name;
  view_.linkName = view_.name;
  view_.englishName = view_.region = view_.albums = view_.singles = kWait;
  view_.intro.clear();
  view_.songs.clear();
  view_.status = QStringLiteral("正在获取歌手小档案,请稍候...");
  pageText_.clear();
  emit ViewChanged();
}

void SingerProfile::FetchSearchPage(int generation) {
  const QString host = musicHost_();
  fetcher_.Fetch(extras::SingerSearchAddress(host, current_), kScratch, this,
                 [this, generation, host](const web::FetchResult& page) {
                   if (generation != generation_) return;
                   const QString link =
                       page.ok ? extras::ScanSingerLink(page.Joined(), host) : QString();
                   if (link.isEmpty()) return Fail(generation);
                   FetchSingerPage(generation, link);
                 });
}

void SingerProfile::FetchSingerPage(int generation, const QString& link) {
  fetcher_.Fetch(link, kScratch, this, [this, generation](const web::FetchResult& page) {
    if (generation != generation_) return;
    if (!page.ok) return Fail(generation);
    pageText_ = page.Joined();
    ShowFacts(pageText_);
    ShowSingerIntro();
  });
}

void SingerProfile::ShowFacts(const QString& page) {
  const extras::SingerFacts facts = extras::ScanSingerFacts(page);
  ShowPicture(facts.picture);
  if (!facts.name.isEmpty()) view_.name = facts.name;
  view_.englishName = facts.englishName;
  view_.region = facts.region;
  view_.albums = facts.albums;
  view_.singles = facts.singles;
  emit ViewChanged();
}

void SingerProfile::ShowPicture(const QString& url) {
  if (url.isEmpty()) return;
  // The folder is named after the singer looked up; both names may come from a page or a
  // tag, so both stay inside bin/PicTmp.
  const auto folder = extras::CacheFolder(picTmpDir_, current_);
  if (!folder) return;
  const auto path = extras::CachedPicturePath(*folder, url);
  if (!path) return;
  if (QFileInfo(*path).isFile()) {
    view_.picturePath = *path;
    return;
  }
  if (!extras::IsWebAddress(url)) return;
  pendingPicture_ = *path;
  pictures_.BeginDownload(url, *path);
}

void SingerProfile::OnPictureDownloaded(qint64, const QString& path, bool ok) {
  if (pendingPicture_.isEmpty() || path != pendingPicture_) return;
  pendingPicture_.clear();
  if (!ok) return;
  view_.picturePath = path;
  emit ViewChanged();
}

void SingerProfile::Fail(int generation) {
  // The playing song's singer gets one more try before the failure shows.
  if (!fromBox_ && !retried_) {
    retried_ = true;
    FetchSearchPage(generation);
    return;
  }
  retried_ = false;
  view_.name = current_;
  view_.linkName = current_;
  view_.englishName = view_.region = view_.albums = view_.singles = kFailed;
  view_.intro.clear();
  view_.songs.clear();
  pageText_.clear();
  ShowSingerIntro();
}

void SingerProfile::ShowSingerIntro() {
  view_.status = QStringLiteral("正在获取歌手详细信息,请稍候...");
  view_.intro = extras::ScanSingerIntro(pageText_).value_or(QString());
  view_.status = QStringLiteral("正在获取所有歌曲列表,请稍候...");
  ShowSingerSongs();
}

void SingerProfile::ShowSingerSongs() {
  const auto songs = extras::ScanSingerSongs(pageText_);
  view_.busy = false;
  if (!songs) {
    view_.status = QStringLiteral("歌曲列表获取失败!");
  } else {
    view_.songs = *songs;
    view_.status = QStringLiteral("成功获取%1首歌曲").arg(songs->size());
  }
  emit ViewChanged();
}

void SingerProfile::Search(const QString& boxText) {
  if (boxText.isEmpty() || boxText == view_.name || boxText == kHint) return;
  boxText_ = boxText;
  ShowSingerProfile(true);
}

void SingerProfile::SwitchMode(const QString& boxText) {
  mode_ = mode_ == 1 ? 2 : 1;
  emit ModeChanged(mode_);
  // The box's name when it holds one; the hint is never looked up.
  const bool fromBox = !boxText.trimmed().isEmpty() && boxText != kHint;
  if (fromBox) boxText_ = boxText;
  ShowSingerProfile(fromBox);
}

void SingerProfile::PlayAll() {
  if (view_.songs.isEmpty()) {
    prompter_.Inform(QStringLiteral("歌曲列表为空!"), QStringLiteral("Error"));
    return;
  }
  Play(view_.songs, QStringLiteral("的歌曲列表-----全部播放"));
}

void SingerProfile::PlaySelected(const QList<int>& rows) {
  if (view_.songs.isEmpty()) {
    prompter_.Inform(QStringLiteral("歌曲列表为空!"), QStringLiteral("Error"));
    return;
  }
  QStringList chosen;
  for (int row : rows)
    if (row >= 0 && row < view_.songs.size()) chosen << view_.songs.at(row);
  if (chosen.isEmpty()) {
    prompter_.Inform(QStringLiteral("未选取任何歌曲!"), QStringLiteral("Error"));
    return;
  }
  Play(chosen, QStringLiteral("的歌曲列表-----选中播放"));
}

void SingerProfile::Play(const QStringList& songs, const QString& suffix) {
  listTitle_ = view_.name + suffix;
  emit PlayRequested(listTitle_, view_.name, songs);
}
