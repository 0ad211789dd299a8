// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "web/chartscan.h"

class DemoCatalogue;
class DemoServer;

// The chart pages of every source and argument, in the markup each source's scraper reads.
// Chart site A's first chart answers its first request with a short error page, and chart
// site C's third chart has no hits.
void RegisterChartPages(DemoServer& server, const DemoCatalogue& catalogue);

// One chart page listing songs `first`.. of the catalogue (at most `count`).
QString DemoChartPage(web::ChartSource source, int arg, const DemoCatalogue& catalogue, int first,
                      int count);
