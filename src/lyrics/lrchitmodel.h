// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractTableModel>
#include <QList>

#include "lyrics/lyricsscan.h"

// The hits of the last lyrics search as the manual download window lists them: number, title,
// singer and the (practically hidden) link. Row numbers are the grid's: row 0 is the header,
// hits start at row 1.
class LrcHitModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kMinRows = 15;  // with the header

  explicit LrcHitModel(QObject* parent = nullptr);

  // Back to one empty row, before every search.
  void Reset();
  // Fills the first empty row after the listed ones, or appends.
  void Append(const lyrics::LyricsHit& hit);
  // Adds empty rows until the grid (with its header) has `rows` rows.
  void PadTo(int rows);

  int listed() const { return listed_; }
  // Grid rows with the header; a row outside gives an empty hit.
  int gridRows() const { return static_cast<int>(rows_.size()) + 1; }
  lyrics::LyricsHit hit(int row) const;
  QString number(int row) const;  // "01"

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QList<lyrics::LyricsHit> rows_;
  int listed_ = 0;
};
