// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QObject>
#include <QString>

#include "config/apppaths.h"
#include "web/chartscan.h"

class MenuForm;
class PageFetcher;
class ServiceHosts;
class SongGridModel;
struct AppConfig;

namespace web {
// The end of every chart and radio load: a blank row before the last goes with the last, a
// blank last row goes, then the grid is padded to 20 rows.
void TidyResultGrid(SongGridModel& grid);
// Clears the check marks of every chart (BList) and radio category (DList) item.
void ClearCheck(MenuForm& menus);
}  // namespace web

// Opens a chart of the BList menu: fetches its page (retried once, fetched again without the
// cache-buster when it came back short), scrapes it and fills the result grid. Loads use
// their own scratch file, so a search never shares or cancels one; a newer chart replaces a
// chart still loading, and the grid only ever holds one list.
class ChartLoader : public QObject {
  Q_OBJECT

 public:
  static inline const QString kScratch = QStringLiteral("chart.html");
  static constexpr int kShortPage = 1000;  // characters; fewer means an error or cut page

  ChartLoader(PageFetcher& fetcher, const ServiceHosts& hosts, const AppConfig& config,
              const AppPaths& paths, MenuForm& menus, SongGridModel& results,
              SongGridModel& chartNames, QObject* parent = nullptr);

  // Creates the 47 items of the chart menu BList (checkable, unchecked) and the two of the
  // chart-name grid's loader LoadBL ("加载榜单列表", "加载电台列表").
  void CreateMenu();
  const QList<web::ChartEntry>& entries() const { return entries_; }

  // Runs chart menu entry index (0..46); other indices are ignored.
  void BList_Click(int index);
  // Fills the chart-name grid with the chart names (0) or the radio categories (1); choosing
  // the list already shown does nothing.
  void LoadBL_Click(int index);
  // The list the chart-name grid shows: 0 charts (as the window loads it), 1 radio.
  int shownList() const { return shownList_; }
  // Drops a load still under way, leaving the grid to the action that replaces it; the busy
  // label is hidden unless quiet (the replacing action shows its own).
  void Cancel(bool quiet = false);
  bool running() const { return running_; }
  const QString& listTitle() const { return listTitle_; }

 signals:
  // The result grid is about to be replaced by a chart: the list window shows it, and it
  // holds songs, not stations.
  void ResultGridReplaced();
  // The busy label Loads, shown with its caption while a page loads.
  void BusyChanged(bool visible, const QString& caption);
  // The chart name now shown in the result grid (the monitor shows it).
  void ListTitleChanged(const QString& title);
  // A load ended (with or without rows); songs = the rows it added.
  void Finished(int index, int songs);

 private:
  void FetchPage(int generation, bool firstTry);
  void Scan(int generation, const QString& page);
  void End(int generation, int songs);

  PageFetcher& fetcher_;
  const ServiceHosts& hosts_;
  const AppConfig& config_;
  AppPaths paths_;
  MenuForm& menus_;
  SongGridModel& results_;
  SongGridModel& chartNames_;
  int shownList_ = 0;
  QList<web::ChartEntry> entries_;
  int generation_ = 0;
  bool running_ = false;
  bool refetched_ = false;
  int index_ = -1;
  QString address_;
  QString listTitle_;
};
