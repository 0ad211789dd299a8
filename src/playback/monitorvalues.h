// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QStringList>

struct AppConfig;
struct PlaybackState;

// The value column of the monitor window's first 16 rows, as the status timer refreshes it.
namespace playback {

// "SearchEngine", "SongName", ... "ReUrl": the item names of rows 1..16.
QStringList MonitorRowNames();

// 16 values for rows 1..16. A null QString marks a row other parts fill (song search,
// singer, album, online notice); the monitor leaves that cell as it is.
QStringList MonitorValues(const AppConfig& config, const PlaybackState& state);

}  // namespace playback
