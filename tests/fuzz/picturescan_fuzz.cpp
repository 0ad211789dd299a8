// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Picture search pages as fetched (GBK bytes, read back with their lines joined): the page bar,
// the thumbnails and the picture set scanned from the same text.
#include <cstddef>
#include <cstdint>

#include "common/textfile.h"
#include "extras/picturecache.h"
#include "extras/picturescan.h"
#include "fuzz/fuzzcheck.h"
#include "web/pagefetcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString page =
      common::SplitLines(web::BytesToText(fuzz::Bytes(data, size), QStringLiteral("GB2312")))
          .join(QString());
  const QString root = QStringLiteral("http://pics.test");
  const extras::PageBar bar = extras::ScanPageBar(extras::ResultPart(page), root);
  fuzz::Check(!bar.found || (bar.lastPage >= 1 && bar.lastPage <= extras::kMaxPicturePages),
              "page count within 1..cap");
  const auto thumbs = extras::ScanThumbnails(page, root);
  fuzz::Check(thumbs.size() <= extras::kThumbnailSlots, "at most 20 thumbnails");
  for (const auto& t : thumbs)
    fuzz::Check(extras::IsWebAddress(t.pageUrl) && extras::IsWebAddress(t.thumbUrl),
                "thumbnails only from the web");
  for (const QString& url : extras::ScanPictureSet(page))
    fuzz::Check(extras::IsWebAddress(url), "pictures only from the web");
  return 0;
}
