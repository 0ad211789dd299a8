// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/downloadlistmodel.h"

#include <QStringList>

namespace {
const QStringList kHeader = {QStringLiteral("文件名"), QStringLiteral("下载(KB)"),
                             QStringLiteral("总计(KB)"), QStringLiteral("下载路径")};
}

DownloadListModel::DownloadListModel(QObject* parent) : QAbstractTableModel(parent) {
  rows_.append(Row{});
}

QString DownloadListModel::FileNameOf(const QString& path) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  const QString last = path.mid(slash + 1);
  return last.left(last.indexOf(QLatin1Char('.')));  // the whole segment when there is no "."
}

QString DownloadListModel::Kilobytes(qint64 bytes) {
  return QString::number(bytes / 1000);
}

int DownloadListModel::RowOfPath(const QString& path) const {
  for (int i = 0; i < rows_.size(); ++i)
    if (!rows_[i].path.isEmpty() && rows_[i].path == path) return i + 1;
  return 0;
}

int DownloadListModel::RowOfName(const QString& name) const {
  for (int i = 0; i < rows_.size(); ++i)
    if (!rows_[i].path.isEmpty() && rows_[i].name == name) return i + 1;
  return 0;
}

void DownloadListModel::AddTarget(const QString& path) {
  if (RowOfPath(path) != 0) return;
  if (!rows_.last().name.isEmpty() || !rows_.last().path.isEmpty()) {
    beginInsertRows({}, static_cast<int>(rows_.size()), static_cast<int>(rows_.size()));
    rows_.append(Row{});
    endInsertRows();
  }
  Row& last = rows_.last();
  last = Row{FileNameOf(path), QString(), QString(), path};
  const int r = static_cast<int>(rows_.size()) - 1;
  emit dataChanged(index(r, 0), index(r, 3));
}

void DownloadListModel::SetProgress(int r, qint64 received, qint64 total) {
  if (r < 1 || r >= rows()) return;
  rows_[r - 1].received = Kilobytes(received);
  rows_[r - 1].total = Kilobytes(total);
  emit dataChanged(index(r - 1, 1), index(r - 1, 2));
}

void DownloadListModel::RemoveRow(int r) {
  if (r < 1 || r >= rows()) return;
  if (rows_.size() == 1) {
    rows_[0] = Row{};
    emit dataChanged(index(0, 0), index(0, 3));
    return;
  }
  beginRemoveRows({}, r - 1, r - 1);
  rows_.removeAt(r - 1);
  endRemoveRows();
}

int DownloadListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DownloadListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant DownloadListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const Row& r = rows_[index.row()];
  switch (index.column()) {
    case 0:
      return r.name;
    case 1:
      return r.received;
    case 2:
      return r.total;
    default:
      return r.path;
  }
}

QVariant DownloadListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal && section >= 0 && section < kHeader.size())
    return kHeader[section];
  return orientation == Qt::Vertical ? QVariant(section + 1) : QVariant();
}
