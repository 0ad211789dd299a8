// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The lyrics kinds of tunewharf-scrape: lyrics-site-count, lyrics-site-page, lyrics-baidu-page
// (FILE a saved result page) and lrc-check (FILE a lyrics file). Prints TSV, or one JSON
// object with `rows` and the scan's other values when json is set. Returns the exit code, or
// -1 when `kind` is not one of these.
int RunLyricsKind(const QString& kind, const QString& file, const QString& servicesFile, bool json);
// "lyrics-site-count lyrics-site-page lyrics-baidu-page lrc-check"
QString LyricsKindNames();
