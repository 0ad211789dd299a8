// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A search, result or listen page as the fetcher hands it to the scanners: every scanner runs
// on it, and none may return more rows than a page can hold.
#include <QUrl>

#include "fuzz/fuzzcheck.h"
#include "web/pagefetcher.h"
#include "web/songscan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = web::BytesToText(fuzz::Bytes(data, size), QStringLiteral("GB2312"));
  const QString page = web::JoinLines(text);
  const QString prefix = QStringLiteral("http://127.0.0.1:8460/listenV2.jsp?");

  fuzz::Check(web::ScanSogouResults(page).size() <= 30, "at most 30 hits a page");
  web::ScanBaiduResults(page);
  fuzz::Check(web::CollectSogouCandidates(page, prefix).size() <= web::kSogouCandidateLimit,
              "sogou candidates within the limit");
  fuzz::Check(web::CollectBaiduCandidates(page).size() <= web::kBaiduCandidateLimit,
              "baidu candidates within the limit");
  const QList<web::Candidate> soso = web::CollectSosoCandidates(page);
  web::ParseSogouListen(text.split(u'\n'));
  web::FindUrlaAnchor(page, QUrl(QStringLiteral("http://127.0.0.1:8460/a/b.htm")));
  web::StripTags(page);
  web::NormaliseTitle(page, true);
  QStringList slotTexts;
  for (const web::Candidate& c : soso) slotTexts << c.slot;
  web::MonitorCandidateTexts(slotTexts, prefix);
  return 0;
}
