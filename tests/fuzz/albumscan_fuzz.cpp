// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Album list, album page, singer search and singer album pages: the page as fetched (GBK
// bytes, read back with its lines joined) through every album scanner.
#include <cstddef>
#include <cstdint>

#include "common/textfile.h"
#include "extras/albumcatalog.h"
#include "extras/albumscan.h"
#include "extras/singerscan.h"
#include "fuzz/fuzzcheck.h"
#include "web/pagefetcher.h"

namespace {
const QString kHost = QStringLiteral("http://music.test");

bool Fetchable(const QString& link) {
  return link.isEmpty() || link.startsWith(QStringLiteral("http://")) ||
         link.startsWith(QStringLiteral("https://"));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString page =
      common::SplitLines(web::BytesToText(fuzz::Bytes(data, size), QStringLiteral("GB2312")))
          .join(QString());
  const auto albums = extras::ScanAlbumList(page, kHost);
  fuzz::Check(albums.size() <= extras::kMaxAlbums, "at most 30 albums");
  for (const auto& a : albums)
    fuzz::Check(Fetchable(a.link) && Fetchable(a.cover), "only web links from a list");
  const extras::AlbumPage album = extras::ScanAlbumPage(page, kHost);
  fuzz::Check(Fetchable(album.cover), "only a web cover");
  fuzz::Check(!album.intro.contains(QStringLiteral("<br>")), "no line-break tag left");
  fuzz::Check(Fetchable(extras::ScanSingerLink(page, kHost)), "only a web singer link");
  const extras::SingerAlbums singer = extras::ScanSingerAlbums(page, kHost);
  fuzz::Check(singer.albums.size() <= extras::kMaxAlbums, "at most 30 singer albums");
  return 0;
}
