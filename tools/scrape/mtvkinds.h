// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QStringList>

// The music-video kinds of tunewharf-scrape: mtv-search (a result page: total, pages, hits),
// mtv-path-script (the server table) and mtv-video (a video page; with --path-script FILE the
// address it resolves to). Takes "--path-script FILE" out of args. Prints TSV, or one JSON
// object with `rows` and the scan's other values. Returns the exit code, or -1 when args do
// not name one of these kinds.
int RunMtvKind(QStringList& args, const QString& servicesFile, bool json);
// "mtv-search mtv-path-script mtv-video"
QString MtvKindNames();
