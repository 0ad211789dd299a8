// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "web/songscan.h"

class ServiceHosts;

// What one scraper of the command gets: the page read back as the program reads it, the
// hosts, the --arg value, and a place for the scraper's other values (printed with --json).
struct ScrapePage {
  QString joined;     // the read-back text the scanners take
  QStringList lines;  // for scrapers that read the page line by line
  web::EngineHosts hosts;
  int arg = 0;
  QJsonObject* values = nullptr;
  const ServiceHosts* services = nullptr;  // every host, for kinds beyond the song engines
};
using ScrapeRows = QList<QStringList>;

struct ScrapeKind {
  const char* name;
  QStringList fields;
  std::function<ScrapeRows(const ScrapePage&)> run;
  const char* help = "";  // what FILE and --arg are, for --help
};

inline const QStringList kHitFields{"number", "title", "singer", "duration", "path"};

// Hits as grid rows numbered from 001.
ScrapeRows HitRows(const QList<web::SearchHit>& hits, const QString& path = QString());

// The chart and radio kinds: chart-site-a .. chart-site-e, chart-baidu, chart-sogou,
// chart-soso, chart-wow and radio-category.
const QList<ScrapeKind>& ChartKinds();

// The singer profile's kinds: singer-search and singer-page.
const QList<ScrapeKind>& SingerKinds();
// The picture search kinds: picture-search (the page count a first page shows), picture-thumbs
// (the thumbnails of a result page) and picture-set (the pictures of a set page).
const QList<ScrapeKind>& PictureKinds();
