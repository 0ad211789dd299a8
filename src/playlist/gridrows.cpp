// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/gridrows.h"

#include "common/numparse.h"
#include "playlist/songgridmodel.h"

namespace playlist {

void AddResultRow(SongGridModel& grid, const QString& title, const QString& singer,
                  const QString& duration, const QString& path) {
  grid.AppendRow();
  const int row = grid.rows() - 2;
  grid.SetSelectedRow(row);
  if (row < 1) return;
  grid.SetEntry(row, {common::ThreeDigits(row), title, singer, duration, path});
}

void AddChartRow(SongGridModel& grid, const QString& name) {
  grid.AppendRow();
  const int row = grid.rows() - 2;
  grid.SetSelectedRow(row);
  if (row < 1) return;
  grid.SetCell(row, 0, common::ThreeDigits(row));
  grid.SetCell(row, 1, name);
}

}  // namespace playlist
