// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/picsearch.h"
#include "extras/picturescan.h"
#include "scrapekind.h"
#include "web/servicehosts.h"

namespace {

QString Root(const ScrapePage& p) {
  return (p.services ? *p.services : ServiceHosts()).Host(PicSearch::kServiceKey);
}

}  // namespace

const QList<ScrapeKind>& PictureKinds() {
  static const QList<ScrapeKind> kinds{
      {"picture-search",
       {"page", "address"},
       [](const ScrapePage& p) {
         const extras::PageBar bar = extras::ScanPageBar(extras::ResultPart(p.joined), Root(p));
         if (p.values) {
           p.values->insert("page_bar", bar.found);
           p.values->insert("last_page", bar.lastPage);
           // A bar of 10 pages or more sends the program walking on.
           p.values->insert("walks", bar.lastPage >= 10);
         }
         ScrapeRows rows;
         for (int i = 0; i < bar.links.size(); ++i)
           rows << QStringList{QString::number(i + 1), bar.links.at(i)};
         return rows;
       },
       "FILE is a first result page; rows are the page bar's links"},
      {"picture-thumbs",
       {"slot", "page", "thumbnail", "title"},
       [](const ScrapePage& p) {
         ScrapeRows rows;
         const auto items = extras::ScanThumbnails(p.joined, Root(p));
         for (int i = 0; i < items.size(); ++i)
           rows << QStringList{QString::number(i), items.at(i).pageUrl, items.at(i).thumbUrl,
                               items.at(i).title};
         return rows;
       },
       "FILE is a result page"},
      {"picture-set",
       {"number", "address"},
       [](const ScrapePage& p) {
         const QStringList pictures = extras::ScanPictureSet(p.joined);
         if (p.values) p.values->insert("caption", extras::SetCaption(pictures.size()));
         ScrapeRows rows;
         for (int i = 0; i < pictures.size(); ++i)
           rows << QStringList{QString::number(i + 1), pictures.at(i)};
         return rows;
       },
       "FILE is a picture set page"},
  };
  return kinds;
}
