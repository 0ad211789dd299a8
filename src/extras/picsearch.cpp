// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/picsearch.h"

#include <QDir>
#include <QFileInfo>

#include "config/menuform.h"
#include "download/downloader.h"
#include "extras/picturecache.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {

const QString kBiZhi = QStringLiteral("BiZhi");
const QString kPicFormat = QStringLiteral("PicFormat");

struct KindItem {
  const char16_t* caption;
  extras::PicKind kind;
};
constexpr KindItem kBiZhiItems[] = {
    {u"壁纸 1600X1200", {4, 5}}, {u"壁纸 1280X960", {3, 5}},  {u"壁纸 1024X768", {2, 5}},
    {u"壁纸 800X600", {1, 5}},   {u"壁纸 1280X800", {5, 5}},  {u"壁纸 1440X900", {6, 5}},
    {u"壁纸 1600X1000", {7, 5}}, {u"壁纸 1920X1200", {8, 5}},
};
constexpr KindItem kPicFormatItems[] = {
    {u"全部图片", {2, 1}}, {u"大图", {2, 2}}, {u"QQ头像", {2, 9}}, {u"套图", {2, 8}}};

// Scratch files of the four kinds of page, so a newer fetch of a kind supersedes the older.
const QString kFirstScratch = QStringLiteral("tempic.html2");
const QString kWalkScratch = QStringLiteral("tempic.html");
const QString kThumbScratch = QStringLiteral("tempic2.html");
const QString kSetScratch = QStringLiteral("tempic3.html");

}  // namespace

PicSearch::PicSearch(PageFetcher& fetcher, Downloader& pictures, const ServiceHosts& hosts,
                     MenuForm& menus, const AppPaths& paths, QObject* parent)
    : QObject(parent),
      fetcher_(fetcher),
      pictures_(pictures),
      hosts_(hosts),
      menus_(menus),
      paths_(paths) {
  connect(&pictures_, &Downloader::DownloadComplete, this, &PicSearch::OnDownload);
}

void PicSearch::AddKindMenus(MenuForm& menus) {
  for (int i = 0; i < 8; ++i)
    menus.AddItem(kBiZhi, i, QString::fromUtf16(kBiZhiItems[i].caption), true);
  for (int i = 0; i < 4; ++i)
    menus.AddItem(kPicFormat, i, QString::fromUtf16(kPicFormatItems[i].caption), true);
  menus.Item(kBiZhi, 2)->setChecked(true);
}

void PicSearch::BiZhi_Click(int index) {
  if (index < 0 || index >= 8) return;
  menus_.CheckOnly(kPicFormat, -1);
  menus_.CheckOnly(kBiZhi, index);
}

void PicSearch::PicFormat_Click(int index) {
  if (index < 0 || index >= 4) return;
  menus_.CheckOnly(kBiZhi, -1);
  menus_.CheckOnly(kPicFormat, index);
}

extras::PicKind PicSearch::kind() const {
  if (const int b = menus_.FirstChecked(kBiZhi); b >= 0 && b < 8) return kBiZhiItems[b].kind;
  if (const int f = menus_.FirstChecked(kPicFormat); f >= 0 && f < 4)
    return kPicFormatItems[f].kind;
  return {};
}

QString PicSearch::slotPage(int slot) const {
  return slot >= 0 && slot < extras::kThumbnailSlots ? slots_[slot] : QString();
}

QString PicSearch::thumbFolder() const {
  return extras::CacheFolder(paths_.picTmpDir(), words_).value_or(QString());
}

QString PicSearch::starShowFolder() const {
  const QString base = thumbFolder();
  if (base.isEmpty()) return base;
  const QString folder = base + QStringLiteral("StarShow/");
  return QDir().mkpath(folder) ? folder : QString();
}

QString PicSearch::SearchUrl(const QString& query) const {
  return hosts_.Host(kServiceKey) + QStringLiteral("/pics?") + query;
}

void PicSearch::SetTitle(const QString& text) {
  title_ = text;
  emit TitleChanged(text);
}

bool PicSearch::Image8_Click(const QString& boxText) {
  retrying_ = false;
  return Search(boxText);
}

bool PicSearch::Search(const QString& boxText) {
  const QString words = boxText.trimmed();
  if (words.isEmpty() || words == kHint) return false;
  slots_.fill(QString());
  pendingThumbs_.clear();
  emit SlotsCleared();
  page_ = count_ = 1;
  emit PagesChanged(page_, count_);
  SetTitle(words + QStringLiteral("-写真集(请稍候...)"));
  words_ = words;
  RunSearch();
  return true;
}

void PicSearch::RunSearch() {
  const int search = ++search_;
  ++thumbs_;
  fetcher_.Cancel(kWalkScratch);
  const QString host = hosts_.HostName(kServiceKey);
  fetcher_.Fetch(SearchUrl(extras::FirstPageQuery(words_, kind(), host)), kFirstScratch, this,
                 [this, search](const web::FetchResult& r) {
                   // A failed first page leaves the title waiting.
                   if (search == search_ && r.ok) OnFirstPage(r.Joined());
                 });
}

void PicSearch::OnFirstPage(const QString& page) {
  const QString part = extras::ResultPart(page);
  const extras::PageBar bar = extras::ScanPageBar(part, hosts_.Host(kServiceKey));
  if (!bar.found) {
    const QString other = !retrying_ && author ? author().trimmed() : QString();
    if (!other.isEmpty()) {
      retrying_ = true;
      emit SearchBoxChanged(other);
      Search(other);
      return;
    }
    retrying_ = false;
    SetTitle(QStringLiteral("很抱歉,未发现此类写真!"));
    return;
  }
  retrying_ = false;
  count_ = bar.lastPage;
  if (count_ < 10) return Counted();
  walk_ = extras::WalkPages();
  WalkOn(0);
}

void PicSearch::WalkOn(int step) {
  if (step >= walk_.size()) return Counted();
  const int search = search_;
  const int page = walk_.at(step);
  const QString host = hosts_.HostName(kServiceKey);
  fetcher_.Fetch(SearchUrl(extras::WalkPageQuery(words_, page, kind(), host)), kWalkScratch, this,
                 [this, search, step, page](const web::FetchResult& r) {
                   if (search != search_) return;
                   const extras::PageBar bar = extras::ScanPageBar(extras::ResultPart(r.Joined()),
                                                                   hosts_.Host(kServiceKey));
                   if (!r.ok || !bar.found) return Counted();
                   count_ = qMax(count_, bar.lastPage);
                   // A bar with no next page, or one that ends before the page asked for,
                   // shows the last page.
                   if (!bar.hasNext || bar.lastPage < page) return Counted();
                   WalkOn(step + 1);
                 });
}

void PicSearch::Counted() {
  emit PagesChanged(page_, count_);
  SetTitle(words_ + QStringLiteral("-写真集(共%1页)").arg(count_));
  LoadThumbnails(1);
}

void PicSearch::Image2_Click() {
  if (page_ <= 1) return;
  LoadThumbnails(page_ - 1);
}

void PicSearch::Image3_Click() {
  if (page_ >= count_) return;
  LoadThumbnails(page_ + 1);
}

void PicSearch::LoadThumbnails(int page) {
  page_ = page;
  emit PagesChanged(page_, count_);
  const int load = ++thumbs_;
  pendingThumbs_.clear();
  const QString host = hosts_.HostName(kServiceKey);
  fetcher_.Fetch(SearchUrl(extras::ThumbPageQuery(words_, page, kind(), host)), kThumbScratch, this,
                 [this, load](const web::FetchResult& r) {
                   if (load != thumbs_ || !r.ok) return;
                   slots_.fill(QString());
                   emit SlotsCleared();
                   const QString folder = thumbFolder();
                   if (folder.isEmpty()) return;
                   const auto items = extras::ScanThumbnails(r.Joined(), hosts_.Host(kServiceKey));
                   for (int slot = 0; slot < items.size(); ++slot) {
                     slots_[slot] = items.at(slot).pageUrl;
                     const auto path = extras::CachedPicturePath(folder, items.at(slot).thumbUrl);
                     if (!path) continue;
                     pendingThumbs_.insert(*path, slot);
                     pictures_.BeginDownload(items.at(slot).thumbUrl, *path);
                   }
                 });
}

void PicSearch::Image1_Click(int slot) {
  const QString page = slotPage(slot);
  if (page.isEmpty()) return;
  const int set = ++set_;
  fetcher_.Fetch(page, kSetScratch, this, [this, set](const web::FetchResult& r) {
    if (set != set_ || !r.ok) return;
    const QString folder = starShowFolder();
    if (folder.isEmpty()) return;
    const QStringList urls = extras::ScanPictureSet(r.Joined());
    if (urls.isEmpty()) return;
    // The viewer lists the whole folder: the pictures of an earlier set go first.
    QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
      dir.remove(name);
    pendingSet_.clear();
    setSize_ = static_cast<int>(urls.size());
    QList<QPair<QString, QString>> jobs;  // address, file
    for (const QString& url : urls) {
      const auto path = extras::CachedPicturePath(folder, url);
      if (!path || pendingSet_.contains(*path)) continue;
      pendingSet_.insert(*path, set);
      jobs.append({url, *path});
    }
    // Counted before the first start: a refused address completes at once.
    setLeft_ = static_cast<int>(jobs.size());
    for (const auto& [url, path] : jobs) pictures_.BeginDownload(url, path);
  });
}

void PicSearch::OnDownload(qint64, const QString& path, bool ok) {
  if (const auto it = pendingThumbs_.find(path); it != pendingThumbs_.end()) {
    const int slot = it.value();
    pendingThumbs_.erase(it);
    // A failed download keeps its slot empty.
    if (ok) emit ThumbnailReady(slot, path);
    return;
  }
  const auto it = pendingSet_.find(path);
  if (it == pendingSet_.end() || it.value() != set_) return;
  pendingSet_.erase(it);
  if (--setLeft_ == 0)
    emit ViewerWanted(QFileInfo(path).absolutePath() + u'/', extras::SetCaption(setSize_));
}
