// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include "web/songscan.h"

// The song charts as pure functions: which page each chart menu entry reads, and the scrapers
// that turn a chart page (lines joined as the fetcher reads them back) into rows.
namespace web {

enum class ChartSource { SiteA, SiteB, Baidu, Sogou, SiteC, WowFile, SiteD, Soso, SiteE };

// One entry of the chart menu BList.
struct ChartEntry {
  QString caption;  // "07. 百度歌曲TOP500"; the chart name is the caption without 4 characters
  ChartSource source;
  int arg;  // the scraper's argument (-1 for the local list)
};

inline constexpr int kChartCount = 47;

// The 47 entries in menu order. siteBName and siteDName go into captions 02 and 23.
QList<ChartEntry> ChartMenuEntries(const QString& siteBName, const QString& siteDName);

// (SiteB, 3) -> "/top/top-7.htm"; "" for an argument the source does not have.
QString ChartPagePath(ChartSource source, int arg);
// The most items a scraper examines on one page: (Baidu, 1) -> 1000; 0 when unknown.
int ChartRoundLimit(ChartSource source, int arg);
// The services.ini key of the source's host ("ChartSiteA"); "" for the local list.
QString ChartHostKey(ChartSource source);
// "chart-site-a", "chart-baidu", "chart-wow", ...: the scraper command's kind names.
QString ChartKindName(ChartSource source);

// Scans a chart page with the source's markers, at most the round limit of items.
// (SiteA) ...<input name=x1 ..title='点击试听'>海风-林</a></li>  =>  {"海风", "林", "00:00"}
QList<SearchHit> ScanChart(ChartSource source, int arg, const QString& page);

// Lines of the local list: "1,Singer_Name-Song_Title"  =>  {"Song Title", "Singer Name"};
// "2,Bare_Title" => {"Bare Title", "wow玩家必听"}; lines without a comma are skipped.
QList<SearchHit> ScanWowList(const QStringList& lines);

}  // namespace web
