// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractTableModel>
#include <QList>

#include "extras/mtvscan.h"

// The music-video hits as the window's grid MSF lists them: number, title, singer and the
// (practically hidden) page link. Row numbers are the grid's: row 0 is the header.
class MtvHitModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kMinRows = 8;  // with the header

  explicit MtvHitModel(QObject* parent = nullptr);

  // Back to the empty grid of kMinRows rows, before every search.
  void Reset();
  // Fills the first empty row after the listed ones, or appends.
  void Append(const extras::MtvHit& hit);

  int listed() const { return listed_; }
  // An empty hit for the header, a padding row or a row outside the grid.
  extras::MtvHit hit(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QList<extras::MtvHit> rows_;
  int listed_ = 0;
};
