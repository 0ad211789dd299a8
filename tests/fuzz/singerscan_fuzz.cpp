// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Singer search and singer pages: the bytes are the page as fetched (GBK, read back with its
// lines joined); every scanner runs over it, and the picture name from it must stay a plain
// file name.
#include <cstddef>
#include <cstdint>

#include "common/textfile.h"
#include "extras/picturecache.h"
#include "extras/singerscan.h"
#include "fuzzcheck.h"
#include "web/pagefetcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString page =
      common::SplitLines(web::BytesToText(fuzz::Bytes(data, size), QStringLiteral("GB2312")))
          .join(QString());
  const QString host = QStringLiteral("http://music.test");
  const QString link = extras::ScanSingerLink(page, host);
  fuzz::Check(link.isEmpty() || link.startsWith(host + u'/'), "link leaves the service host");

  const extras::SingerFacts facts = extras::ScanSingerFacts(page);
  const QString file = extras::PictureFileName(facts.picture);
  fuzz::Check(!file.contains(u'/') && file != QLatin1String("..") && file != QLatin1String("."),
              "picture name is not a plain file name");

  if (const auto intro = extras::ScanSingerIntro(page))
    fuzz::Check(!intro->contains(QStringLiteral("</li>")), "intro keeps list markup");
  if (const auto songs = extras::ScanSingerSongs(page)) {
    fuzz::Check(songs->size() <= page.count(QStringLiteral("<td title=\"")), "more songs than rows");
    for (const QString& title : *songs)
      fuzz::Check(!title.contains(QStringLiteral("\"><input")), "title runs past its end");
  }
  return 0;
}
