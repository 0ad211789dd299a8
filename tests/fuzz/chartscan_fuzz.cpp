// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Chart pages from any source: the first byte picks the scraper and its argument, the rest is
// the page as fetched (GBK bytes, read back with its lines joined).
#include <cstddef>
#include <cstdint>

#include "common/textfile.h"
#include "web/chartscan.h"
#include "web/pagefetcher.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const web::ChartSource kSources[] = {web::ChartSource::SiteA, web::ChartSource::SiteB,
                                              web::ChartSource::Baidu, web::ChartSource::Sogou,
                                              web::ChartSource::SiteC, web::ChartSource::SiteD,
                                              web::ChartSource::Soso,  web::ChartSource::SiteE};
  const web::ChartSource source = kSources[data[0] % 8];
  const int arg = (data[0] >> 3) % 12;
  const QByteArray body(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  const QString page =
      common::SplitLines(web::BytesToText(body, QStringLiteral("GB2312"))).join(QString());
  const auto hits = web::ScanChart(source, arg, page);
  // No scan may take more items than its round limit allows.
  if (hits.size() > web::ChartRoundLimit(source, arg)) __builtin_trap();
  return 0;
}
