// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "albumkinds.h"

#include <QJsonArray>

#include "common/numparse.h"
#include "extras/albumscan.h"
#include "extras/singerscan.h"
#include "scrapekind.h"

namespace {

const QStringList kAlbumFields{"number", "link", "cover", "title", "singer", "date", "hit_song"};

ScrapeRows AlbumRows(const QList<extras::AlbumItem>& albums) {
  ScrapeRows rows;
  int n = 1;
  for (const auto& a : albums)
    rows << QStringList{
        common::ThreeDigits(n++), a.link, a.cover, a.title, a.singer, a.date, a.hitSong};
  return rows;
}

}  // namespace

const QList<ScrapeKind>& AlbumKinds() {
  static const QList<ScrapeKind> kinds{
      {"album-list", kAlbumFields,
       [](const ScrapePage& p) {
         return AlbumRows(extras::ScanAlbumList(p.joined, p.hosts.sogouSearch));
       },
       "an album list page"},
      {"album-page", QStringList{"number", "track"},
       [](const ScrapePage& p) {
         const extras::AlbumPage album = extras::ScanAlbumPage(p.joined, p.hosts.sogouSearch);
         if (p.values) {
           p.values->insert("cover", album.cover);
           p.values->insert("title", album.title);
           p.values->insert("singer", album.singer);
           p.values->insert("style", album.style);
           p.values->insert("company", album.company);
           p.values->insert("date", album.date);
           p.values->insert("language", album.language);
           p.values->insert("region", album.region);
           p.values->insert("intro", album.intro);
         }
         ScrapeRows rows;
         int n = 1;
         for (const QString& t : album.tracks) rows << QStringList{common::ThreeDigits(n++), t};
         return rows;
       },
       "an album's page"},
      {"singer-albums", kAlbumFields,
       [](const ScrapePage& p) {
         const extras::SingerAlbums found = extras::ScanSingerAlbums(p.joined, p.hosts.sogouSearch);
         if (p.values) {
           p.values->insert("album_count", found.count);
           p.values->insert("singer_link", extras::ScanSingerLink(p.joined, p.hosts.sogouSearch));
         }
         return AlbumRows(found.albums);
       },
       "a singer's page (or a singer search page for singer_link)"},
  };
  return kinds;
}
