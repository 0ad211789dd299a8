// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A music-video result page, path script or video page as the fetcher hands it over: every
// scanner runs on it; totals and pages stay in range and no resolved address leaves the
// network schemes.
#include "extras/mtvscan.h"
#include "fuzz/fuzzcheck.h"
#include "web/pagefetcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = web::BytesToText(fuzz::Bytes(data, size), QStringLiteral("GB2312"));
  const QString page = web::JoinLines(text);
  if (const auto total = extras::ScanMtvTotal(page)) {
    fuzz::Check(*total >= 0 && *total <= extras::kMaxMtvTotal, "total within 16 bits");
    const int pages = extras::MtvPages(*total);
    fuzz::Check(pages >= 1 && pages <= extras::kMaxMtvPages, "pages within the cap");
  }
  const QString root = QStringLiteral("http://127.0.0.1:8460");
  for (const extras::MtvHit& hit : extras::ScanMtvHits(page, root)) {
    fuzz::Check(hit.link.startsWith(root + u'/'), "hit links stay on the site");
    fuzz::Check(!hit.title.contains(QStringLiteral("<span class=\"searchhighlight\">")),
                "highlight removed");
  }
  const extras::MtvPathTable table = extras::ParsePathScript(text.split(u'\n'));
  if (const auto ref = extras::ScanVideoPage(page)) {
    const auto address =
        extras::MtvVideoAddress(table, *ref, QStringLiteral("http://127.0.0.1:8080/mtv/"));
    if (address) {
      const QString scheme = address->section(u':', 0, 0).toLower();
      fuzz::Check(scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                      scheme == QLatin1String("mms") || scheme == QLatin1String("mmsh") ||
                      scheme == QLatin1String("rtsp") || scheme == QLatin1String("rtmp"),
                  "only network schemes play");
    }
  }
  return 0;
}
