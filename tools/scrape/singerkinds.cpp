// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numparse.h"
#include "extras/picturecache.h"
#include "extras/singerscan.h"
#include "scrapekind.h"

const QList<ScrapeKind>& SingerKinds() {
  static const QList<ScrapeKind> kinds{
      {"singer-search",
       {"link"},
       [](const ScrapePage& p) {
         const QString link = extras::ScanSingerLink(p.joined, p.hosts.sogouSearch);
         return link.isEmpty() ? ScrapeRows() : ScrapeRows{QStringList{link}};
       },
       "FILE is a singer search page; the link is made absolute on the Sogou search host"},
      {"singer-page",
       {"number", "song"},
       [](const ScrapePage& p) {
         const extras::SingerFacts facts = extras::ScanSingerFacts(p.joined);
         const auto intro = extras::ScanSingerIntro(p.joined);
         const auto songs = extras::ScanSingerSongs(p.joined);
         if (p.values) {
           p.values->insert("picture", facts.picture);
           p.values->insert("picture_file", extras::PictureFileName(facts.picture));
           p.values->insert("name", facts.name);
           p.values->insert("english_name", facts.englishName);
           p.values->insert("region", facts.region);
           p.values->insert("albums", facts.albums);
           p.values->insert("singles", facts.singles);
           p.values->insert("intro", intro.value_or(QString()));
           p.values->insert("has_intro", intro.has_value());
           p.values->insert("has_song_table", songs.has_value());
         }
         ScrapeRows rows;
         int n = 1;
         for (const QString& title : songs.value_or(QStringList()))
           rows << QStringList{common::ThreeDigits(n++), title};
         return rows;
       },
       "FILE is a singer page; --json adds the picture, the facts and the introduction"},
  };
  return kinds;
}
