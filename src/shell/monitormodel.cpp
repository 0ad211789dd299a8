// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/monitormodel.h"

#include "common/numparse.h"

namespace {
const QColor kPlayingGreen(77, 163, 12);
}

MonitorModel::MonitorModel(QObject* parent) : QAbstractTableModel(parent), values_(kRows) {}

const QStringList& MonitorModel::ItemNames() {
  static const QStringList names{
      QStringLiteral("SearchEngine"), QStringLiteral("SongName"),  QStringLiteral("SearchChr."),
      QStringLiteral("ListSinger"),   QStringLiteral("AlbumArts"), QStringLiteral("RealUrl"),
      QStringLiteral("Count"),        QStringLiteral("Entry1"),    QStringLiteral("Online"),
      QStringLiteral("M3UList"),      QStringLiteral("PlayRow"),   QStringLiteral("PlayList"),
      QStringLiteral("DecodeMod"),    QStringLiteral("LrcEngine"), QStringLiteral("PlayMod"),
      QStringLiteral("ReUrl")};
  return names;
}

QString MonitorModel::cell(int row, int col) const {
  if (row < 0 || row >= kRows || col < 0 || col > 2) return {};
  if (row == 0) {
    static const QStringList headers{QStringLiteral("No."), QStringLiteral("Item"),
                                     QStringLiteral("Value")};
    return headers[col];
  }
  switch (col) {
    case 0:
      return common::ThreeDigits(row);
    case 1:
      return row <= ItemNames().size() ? ItemNames()[row - 1] : QString();
    default:
      return values_[row];
  }
}

void MonitorModel::SetValue(int row, const QString& text) {
  if (row < 1 || row >= kRows || values_[row] == text) return;
  values_[row] = text;
  const QModelIndex i = index(row - 1, 2);
  emit dataChanged(i, i, {Qt::DisplayRole});
}

void MonitorModel::SetValues(const QStringList& values) {
  for (int i = 0; i < values.size() && i + 1 < kRows; ++i)
    if (i + 1 != kOnlineRow) SetValue(i + 1, values[i]);
}

void MonitorModel::SetCandidates(const QStringList& candidates) {
  for (int k = 0; k < kCandidates; ++k)
    SetValue(kFirstCandidateRow + k, k < candidates.size() ? candidates[k] : QString());
}

void MonitorModel::MarkCandidate(int k) {
  const int row = k >= 0 && k < kCandidates ? kFirstCandidateRow + k : 0;
  const int old = markedRow_;
  markedRow_ = row;
  for (int r : {old, row})
    if (r > 0) emit dataChanged(index(r - 1, 0), index(r - 1, 2));
}

void MonitorModel::ClearCandidates() {
  SetCandidates({});
  MarkCandidate(-1);
}

void MonitorModel::SetMarkIcon(const QIcon& icon) {
  markIcon_ = icon;
  if (markedRow_ > 0) emit dataChanged(index(markedRow_ - 1, 0), index(markedRow_ - 1, 0));
}

int MonitorModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kRows - 1;
}

int MonitorModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 3;
}

QVariant MonitorModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row() + 1;
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
      return cell(row, index.column());
    case Qt::ForegroundRole:
      if (row == markedRow_ && index.column() == 2) return kPlayingGreen;
      return {};
    case Qt::DecorationRole:
      if (row == markedRow_ && index.column() == 0 && !markIcon_.isNull()) return markIcon_;
      return {};
    default:
      return {};
  }
}

QVariant MonitorModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return cell(0, section);
  return {};
}
