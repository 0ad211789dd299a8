// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lrchitmodel.h"

LrcHitModel::LrcHitModel(QObject* parent) : QAbstractTableModel(parent) {
  Reset();
  PadTo(kMinRows);
}

void LrcHitModel::Reset() {
  beginResetModel();
  rows_ = {lyrics::LyricsHit{}};
  listed_ = 0;
  endResetModel();
}

void LrcHitModel::Append(const lyrics::LyricsHit& hit) {
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

void LrcHitModel::PadTo(int rows) {
  const int have = static_cast<int>(rows_.size());
  if (rows - 1 <= have) return;
  beginInsertRows({}, have, rows - 2);
  while (rows_.size() < rows - 1) rows_.append(lyrics::LyricsHit{});
  endInsertRows();
}

lyrics::LyricsHit LrcHitModel::hit(int row) const {
  return row >= 1 && row <= rows_.size() ? rows_[row - 1] : lyrics::LyricsHit{};
}

QString LrcHitModel::number(int row) const {
  return QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

int LrcHitModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int LrcHitModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant LrcHitModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  const int row = index.row() + 1;
  // Padding rows stay blank; a listed row is numbered.
  if (row > listed_) return QString();
  const lyrics::LyricsHit& h = rows_[index.row()];
  switch (index.column()) {
    case 0:
      return number(row);
    case 1:
      return h.title;
    case 2:
      return h.singer;
    case 3:
      return h.link;
  }
  return {};
}

QVariant LrcHitModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const QString kTitles[] = {QStringLiteral("No."), QStringLiteral("歌曲名"),
                                    QStringLiteral("歌手"), QStringLiteral(" ")};
  return section >= 0 && section < 4 ? kTitles[section] : QVariant();
}
