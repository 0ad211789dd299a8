// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/albumbrowser.h"

#include <QAction>
#include <QFileInfo>
#include <algorithm>

#include "config/menuform.h"
#include "download/downloader.h"
#include "extras/albumcatalog.h"
#include "extras/picturecache.h"
#include "extras/singerscan.h"
#include "playlist/gridrows.h"
#include "playlist/songgridmodel.h"
#include "shell/prompter.h"
#include "web/chartloader.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {
const QString kFailText = QStringLiteral("信息获取失败,您可能遇到网络故障,请稍候再试.");
}  // namespace

AlbumBrowser::AlbumBrowser(PageFetcher& fetcher, Downloader& pictures, const ServiceHosts& hosts,
                           const AppPaths& paths, MenuForm& menus, SongGridModel& results,
                           Prompter& prompter, QObject* parent)
    : QObject(parent),
      fetcher_(fetcher),
      pictures_(pictures),
      hosts_(hosts),
      paths_(paths),
      menus_(menus),
      results_(results),
      prompter_(prompter) {
  connect(&pictures_, &Downloader::DownloadComplete, this,
          [this](qint64, const QString& path, bool ok) { OnPictureDone(path, ok); });
}

QString AlbumBrowser::Host() const {
  return hosts_.Host(ServiceHosts::kSogouSearch);
}

void AlbumBrowser::CreateMenus() {
  for (int g = 0; g < extras::kAlbumGroups; ++g)
    menus_.AddItem(kGroupMenu, g, extras::AlbumGroupCaption(g), true);
  for (int s = 0; s < extras::kAlbumStyles; ++s)
    menus_.AddItem(kStyleMenu, s, extras::AlbumStyleCaption(group_, s), true);
  menus_.CheckOnly(kGroupMenu, group_);
  menus_.CheckOnly(kStyleMenu, style_);
  RebuildPageMenu(extras::AlbumPageCount(group_, style_));
  menus_.Connect(kGroupMenu, this, &AlbumBrowser::mnuIcos_Click);
  menus_.Connect(kStyleMenu, this, &AlbumBrowser::Ztype_Click);
  menus_.Connect(kPageMenu, this, &AlbumBrowser::Zpage_Click);
}

void AlbumBrowser::RebuildPageMenu(int pages) {
  while (menus_.Count(kPageMenu) > pages) menus_.RemoveLast(kPageMenu);
  for (int i = 0; i < pages; ++i)
    menus_.AddItem(kPageMenu, i, extras::AlbumPageCaption(i + 1), true);
  menus_.CheckOnly(kPageMenu, pages > 0 ? 0 : -1);
}

void AlbumBrowser::mnuIcos_Click(int group) {
  if (group < 0 || group >= extras::kAlbumGroups) return;
  menus_.CheckOnly(kGroupMenu, group);
  group_ = group;
  // Four styles are named and coded differently for Chinese albums.
  for (int s : {5, 6, 8, 9})
    if (QAction* item = menus_.Item(kStyleMenu, s))
      item->setText(extras::AlbumStyleCaption(group, s));
  page_ = 1;
  if (group != 0) RebuildPageMenu(extras::AlbumPageCount(group, style_));
  LoadAlbumList(group_, page_, style_);
}

void AlbumBrowser::Ztype_Click(int style) {
  if (style < 0 || style >= extras::kAlbumStyles) return;
  menus_.CheckOnly(kStyleMenu, style);
  style_ = style;
  page_ = 1;
  RebuildPageMenu(extras::AlbumPageCount(group_, style_));
  LoadAlbumList(group_, page_, style_);
}

void AlbumBrowser::Zpage_Click(int index) {
  if (index < 0 || index >= menus_.Count(kPageMenu)) return;
  menus_.CheckOnly(kPageMenu, index);
  page_ = index + 1;
  LoadAlbumList(group_, page_, style_);
}

void AlbumBrowser::ShowFirstList() {
  if (view_ == View::None && !busy_) LoadAlbumList(group_, page_, style_);
}

void AlbumBrowser::Begin() {
  busy_ = true;
  emit BusyChanged(true);
}

bool AlbumBrowser::End(int generation) {
  if (generation != generation_) return false;
  busy_ = false;
  emit BusyChanged(false);
  return true;
}

void AlbumBrowser::LoadAlbumList(int group, int page, int style) {
  const QString path = extras::AlbumListPath(group, page, style);
  if (path.isEmpty()) return;
  const int generation = ++generation_;
  Begin();
  fetcher_.Fetch(Host() + path, kListScratch, this,
                 [this, generation](const web::FetchResult& result) {
                   if (!End(generation)) return;
                   if (!result.ok) return emit Failed(kFailText);
                   ShowAlbums(extras::ScanAlbumList(result.Joined(), Host()), View::List);
                 });
}

void AlbumBrowser::LoadSingerAlbums(const QString& singer) {
  const QString name = singer.trimmed();
  if (name.isEmpty()) return;
  const int generation = ++generation_;
  Begin();
  auto singerPage = [this, generation, name](const web::FetchResult& result) {
    if (!End(generation)) return;
    if (!result.ok) return emit Failed(kFailText);
    extras::SingerAlbums found = extras::ScanSingerAlbums(result.Joined(), Host());
    for (extras::AlbumItem& a : found.albums) a.singer = name;
    ShowAlbums(found.albums, View::SingerAlbums);
  };
  fetcher_.Fetch(extras::SingerSearchAddress(Host(), name), kSingerScratch, this,
                 [this, generation, singerPage](const web::FetchResult& result) {
                   if (generation != generation_) return;
                   const QString link =
                       result.ok ? extras::ScanSingerLink(result.Joined(), Host()) : QString();
                   if (link.isEmpty()) {
                     End(generation);
                     return emit Failed(kFailText);
                   }
                   fetcher_.Fetch(link, kSingerScratch, this, singerPage);
                 });
}

void AlbumBrowser::ShowAlbums(QList<extras::AlbumItem> albums, View view) {
  albums_ = std::move(albums);
  view_ = view;
  coverPaths_.clear();
  waiting_.clear();  // covers of the last list still arrive, into the cache only
  emit AlbumsShown();
  for (int i = 0; i < albums_.size(); ++i) ShowCover(i, albums_.at(i).cover);
}

void AlbumBrowser::LoadAlbumPage(int slot) {
  if (slot < 0 || slot >= albums_.size() || albums_.at(slot).link.isEmpty()) return;
  const int generation = ++generation_;
  Begin();
  fetcher_.Fetch(albums_.at(slot).link, kPageScratch, this,
                 [this, generation](const web::FetchResult& result) {
                   if (!End(generation)) return;
                   if (!result.ok) return emit Failed(kFailText);
                   albumPage_ = extras::ScanAlbumPage(result.Joined(), Host());
                   coverPaths_.remove(kPageCoverSlot);
                   for (auto it = waiting_.begin(); it != waiting_.end();)
                     it = it.value() == kPageCoverSlot ? waiting_.erase(it) : std::next(it);
                   emit AlbumPageShown();
                   ShowCover(kPageCoverSlot, albumPage_.cover);
                 });
}

void AlbumBrowser::ShowCover(int slot, const QString& url) {
  if (!extras::IsWebAddress(url)) return;
  const auto folder = extras::CacheFolder(paths_.picTmpDir(), QStringLiteral("Album"));
  if (!folder) return;
  const auto path = extras::CachedPicturePath(*folder, url);
  if (!path) return;
  coverPaths_.insert(slot, *path);
  if (QFileInfo(*path).isFile()) return emit CoverReady(slot, *path);
  const bool requested = waiting_.contains(*path);
  waiting_.insert(*path, slot);
  if (!requested) pictures_.BeginDownload(url, *path);
}

void AlbumBrowser::OnPictureDone(const QString& path, bool ok) {
  const QList<int> targets = waiting_.values(path);
  waiting_.remove(path);
  // A cover that could not be fetched leaves its slot empty.
  if (!ok) return;
  for (int slot : targets) emit CoverReady(slot, path);
}

void AlbumBrowser::PlaySelected(QList<int> rows) {
  if (albumPage_.tracks.isEmpty())
    return prompter_.Inform(QStringLiteral("歌曲列表为空!"), QStringLiteral("Error"));
  rows.erase(std::remove_if(rows.begin(), rows.end(),
                            [this](int r) { return r < 0 || r >= albumPage_.tracks.size(); }),
             rows.end());
  if (rows.isEmpty())
    return prompter_.Inform(QStringLiteral("未选取任何歌曲!"), QStringLiteral("Error"));
  std::sort(rows.begin(), rows.end());
  emit ResultGridReplaced();
  results_.Setup();
  listTitle_ = albumPage_.singer + QStringLiteral("的专辑[") + albumPage_.title +
               QStringLiteral("]-----选中播放");
  emit ListTitleChanged(listTitle_);
  results_.BeginBulk();
  for (int r : rows)
    playlist::AddResultRow(results_, albumPage_.tracks.at(r), albumPage_.singer,
                           QStringLiteral("00:00"), QString());
  results_.EndBulk();
  web::TidyResultGrid(results_);
  results_.SetSelectedRow(1);
  emit PlayRowWanted(1);
}
