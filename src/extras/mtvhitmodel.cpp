// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/mtvhitmodel.h"

#include "common/numparse.h"

MtvHitModel::MtvHitModel(QObject* parent) : QAbstractTableModel(parent) {
  Reset();
}

void MtvHitModel::Reset() {
  beginResetModel();
  rows_ = QList<extras::MtvHit>(kMinRows - 1);
  listed_ = 0;
  endResetModel();
}

void MtvHitModel::Append(const extras::MtvHit& hit) {
  if (listed_ < rows_.size()) {
    rows_[listed_] = hit;
    ++listed_;
    emit dataChanged(index(listed_ - 1, 0), index(listed_ - 1, columnCount() - 1));
    return;
  }
  beginInsertRows({}, listed_, listed_);
  rows_.append(hit);
  ++listed_;
  endInsertRows();
}

extras::MtvHit MtvHitModel::hit(int row) const {
  return row >= 1 && row <= listed_ ? rows_[row - 1] : extras::MtvHit{};
}

int MtvHitModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int MtvHitModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant MtvHitModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  const int row = index.row() + 1;
  if (row > listed_) return QString();
  const extras::MtvHit& h = rows_[index.row()];
  switch (index.column()) {
    case 0:
      return common::ThreeDigits(row);
    case 1:
      return h.title;
    case 2:
      return h.singer;
    default:
      return h.link;
  }
}

QVariant MtvHitModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const QString kHeader[] = {QStringLiteral("No."), QStringLiteral("歌曲名"),
                                    QStringLiteral("歌手"), QStringLiteral(" ")};
  return section >= 0 && section < 4 ? kHeader[section] : QVariant();
}
