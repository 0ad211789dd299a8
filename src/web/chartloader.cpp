// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/chartloader.h"

#include "common/textfile.h"
#include "config/appconfig.h"
#include "config/menuform.h"
#include "playlist/gridrows.h"
#include "playlist/songgridmodel.h"
#include "web/pagefetcher.h"
#include "web/radiolist.h"
#include "web/servicehosts.h"

namespace {
const QString kBusy = QStringLiteral("Please wait while downloading...");
const QString kChartMenu = QStringLiteral("BList");
const QString kLoaderMenu = QStringLiteral("LoadBL");
const QString kWowList = QStringLiteral("wowlist.jc");
}  // namespace

namespace web {

void TidyResultGrid(SongGridModel& grid) {
  int rows = grid.rows();
  if (rows >= 2 && grid.title(rows - 2).trimmed().isEmpty()) rows -= 2;
  if (rows >= 1 && grid.title(rows - 1).trimmed().isEmpty()) rows -= 1;
  grid.SetRows(qMax(rows, SongGridModel::kMinRows));
}

void ClearCheck(MenuForm& menus) {
  menus.CheckOnly(QStringLiteral("BList"), -1);
  menus.CheckOnly(QStringLiteral("DList"), -1);
}

}  // namespace web

ChartLoader::ChartLoader(PageFetcher& fetcher, const ServiceHosts& hosts, const AppConfig& config,
                         const AppPaths& paths, MenuForm& menus, SongGridModel& results,
                         SongGridModel& chartNames, QObject* parent)
    : QObject(parent),
      fetcher_(fetcher),
      hosts_(hosts),
      config_(config),
      paths_(paths),
      menus_(menus),
      results_(results),
      chartNames_(chartNames) {
  entries_ = web::ChartMenuEntries(hosts_.HostName(web::ChartHostKey(web::ChartSource::SiteB)),
                                   hosts_.HostName(web::ChartHostKey(web::ChartSource::SiteD)));
}

void ChartLoader::CreateMenu() {
  for (int i = 0; i < entries_.size(); ++i)
    menus_.AddItem(kChartMenu, i, entries_.at(i).caption, true);
  menus_.AddItem(kLoaderMenu, 0, QStringLiteral("加载榜单列表"), true)->setChecked(true);
  menus_.AddItem(kLoaderMenu, 1, QStringLiteral("加载电台列表"), true);
}

void ChartLoader::LoadBL_Click(int index) {
  if (index < 0 || index > 1) return;
  menus_.CheckOnly(kLoaderMenu, shownList_);
  if (index == shownList_) return;
  chartNames_.Setup();
  results_.Setup();
  results_.PadToMinRows();
  chartNames_.BeginBulk();
  for (QAction* item : menus_.Items(index == 0 ? kChartMenu : QStringLiteral("DList"))) {
    if (item->isSeparator() || !item->isVisible()) continue;
    playlist::AddChartRow(chartNames_, item->text().mid(4));
  }
  chartNames_.EndBulk();
  shownList_ = index;
  menus_.CheckOnly(kLoaderMenu, index);
}

void ChartLoader::Cancel(bool quiet) {
  if (!running_) return;
  ++generation_;
  running_ = false;
  fetcher_.Cancel(kScratch);
  if (!quiet) emit BusyChanged(false, kBusy);
}

void ChartLoader::BList_Click(int index) {
  if (index < 0 || index >= entries_.size()) return;
  Cancel(true);
  const int generation = ++generation_;
  index_ = index;
  emit ResultGridReplaced();
  web::ClearCheck(menus_);
  if (QAction* item = menus_.Item(kChartMenu, index)) item->setChecked(true);
  results_.Setup();
  listTitle_ = entries_.at(index).caption.mid(4);
  emit ListTitleChanged(listTitle_);

  const web::ChartEntry& entry = entries_.at(index);
  running_ = true;
  emit BusyChanged(true, kBusy);
  if (entry.source == web::ChartSource::WowFile) {
    const auto file = common::ReadTextFile(paths_.bin() + kWowList, 1 << 20);
    return Scan(generation, file ? file->lines.join(u'\n') : QString());
  }
  address_ =
      hosts_.Host(web::ChartHostKey(entry.source)) + web::ChartPagePath(entry.source, entry.arg);
  refetched_ = false;
  fetcher_.SetCacheBust(config_.forceUpdate);
  FetchPage(generation, true);
}

void ChartLoader::FetchPage(int generation, bool firstTry) {
  auto done = [this, generation, firstTry](const web::FetchResult& result) {
    if (generation != generation_) return;
    // An error page (5xx) is no chart: it gets the retry like a failed fetch.
    if (!result.ok || result.error == web::FetchError::ServerError) {
      if (!firstTry || refetched_) return End(generation, 0);
      fetcher_.SetCacheBust(false);
      return FetchPage(generation, false);
    }
    const QString page = result.Joined();
    // A short page is an error or a cut page: once more, without the cache-buster.
    if (page.size() < kShortPage && !refetched_) {
      refetched_ = true;
      fetcher_.SetCacheBust(false);
      return FetchPage(generation, false);
    }
    Scan(generation, page);
  };
  if (firstTry)
    fetcher_.Fetch(address_, kScratch, this, done);
  else
    fetcher_.FetchPlain(address_, kScratch, this, done);
}

void ChartLoader::Scan(int generation, const QString& page) {
  const web::ChartEntry& entry = entries_.at(index_);
  const QList<web::SearchHit> hits = entry.source == web::ChartSource::WowFile
                                         ? web::ScanWowList(page.split(u'\n'))
                                         : web::ScanChart(entry.source, entry.arg, page);
  results_.BeginBulk();
  for (const web::SearchHit& hit : hits)
    playlist::AddResultRow(results_, hit.title, hit.singer, hit.duration, QString());
  results_.EndBulk();
  End(generation, static_cast<int>(hits.size()));
}

void ChartLoader::End(int generation, int songs) {
  if (generation != generation_) return;
  running_ = false;
  emit BusyChanged(false, kBusy);
  web::TidyResultGrid(results_);
  emit Finished(index_, songs);
}
