// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QJsonValue>

#include "common/numparse.h"
#include "scrapekind.h"
#include "web/chartloader.h"
#include "web/chartscan.h"
#include "web/radiolist.h"

ScrapeRows HitRows(const QList<web::SearchHit>& hits, const QString& path) {
  ScrapeRows rows;
  int n = 1;
  for (const auto& h : hits)
    rows << QStringList{common::ThreeDigits(n++), h.title, h.singer, h.duration, path};
  return rows;
}

namespace {

ScrapeKind ChartKind(web::ChartSource source, const char* help) {
  return {qstrdup(web::ChartKindName(source).toLatin1().constData()), kHitFields,
          [source](const ScrapePage& p) {
            const QString path = web::ChartPagePath(source, p.arg);
            if (p.values) {
              p.values->insert("page_path", path);
              p.values->insert("round_limit", web::ChartRoundLimit(source, p.arg));
              p.values->insert("short_page", p.joined.size() < ChartLoader::kShortPage);
            }
            return HitRows(web::ScanChart(source, p.arg, p.joined));
          },
          help};
}

}  // namespace

const QList<ScrapeKind>& ChartKinds() {
  using S = web::ChartSource;
  static const QList<ScrapeKind> kinds{
      ChartKind(S::SiteA, "chart page; --arg 0..10"),
      ChartKind(S::SiteB, "chart page; --arg 0..10"),
      ChartKind(S::SiteC, "chart page; --arg 0..2"),
      ChartKind(S::SiteD, "chart page; --arg 0..3"),
      ChartKind(S::SiteE, "chart page; --arg 0..4"),
      ChartKind(S::Baidu, "chart page; --arg 0..2"),
      ChartKind(S::Sogou, "chart page; --arg 0..3"),
      ChartKind(S::Soso, "chart page; --arg 0..4"),
      {"chart-wow", kHitFields,
       [](const ScrapePage& p) { return HitRows(web::ScanWowList(p.lines)); },
       "FILE is a wowlist file"},
      {"radio-category", kHitFields,
       [](const ScrapePage& p) {
         const auto& categories = web::RadioCategories();
         if (p.arg < 0 || p.arg >= categories.size()) return ScrapeRows();
         const QString label = web::RadioCategoryLabel(categories.at(p.arg).caption);
         if (p.values) {
           p.values->insert("label", label);
           p.values->insert("list_title", categories.at(p.arg).caption.mid(4));
           p.values->insert("section", categories.at(p.arg).section);
         }
         ScrapeRows rows;
         int n = 1;
         const QString text = web::JoinRadioText(p.lines);
         for (const auto& s : web::RadioSectionStations(text, categories.at(p.arg).section))
           rows << QStringList{common::ThreeDigits(n++), s.name, label, "00:00", s.address};
         return rows;
       },
       "FILE is a radiolist file; --arg 0..24, the category"},
  };
  return kinds;
}
