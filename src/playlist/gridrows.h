// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class SongGridModel;

// Row-append rules of the result and chart grids, called by search, charts, radio and the
// singer and album windows.
namespace playlist {

// Appends a blank row, then writes number (three digits of rows - 2) and the four fields into
// the row before it, and selects that row: the grid always ends in one blank row.
void AddResultRow(SongGridModel& grid, const QString& title, const QString& singer,
                  const QString& duration, const QString& path);
// The same on the chart grid, writing the number and the chart name (column 1) only.
void AddChartRow(SongGridModel& grid, const QString& name);

}  // namespace playlist
