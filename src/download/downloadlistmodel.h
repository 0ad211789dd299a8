// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractTableModel>
#include <QList>
#include <QString>

// The list of running downloads (MSlabel): row 0 is the header, each later row one target
// path with the kilobytes received and expected. An idle list keeps one blank row.
class DownloadListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  struct Row {
    QString name, received, total, path;
  };

  DownloadListModel(QObject* parent = nullptr);

  // Program rows: 0 is the header.
  int rows() const { return static_cast<int>(rows_.size()) + 1; }
  const Row& row(int r) const { return rows_[r - 1]; }
  // The row listing path, or 0.
  int RowOfPath(const QString& path) const;
  // The first row whose file name is name, or 0.
  int RowOfName(const QString& name) const;
  // Lists path unless it is listed already; fills the blank last row when there is one.
  void AddTarget(const QString& path);
  void SetProgress(int r, qint64 received, qint64 total);
  // Removes the row; the last one left is blanked instead.
  void RemoveRow(int r);

  // Column 0: the last path segment up to its first ".".
  static QString FileNameOf(const QString& path);
  // Bytes shown in kilobytes of 1000, truncated: 1999 -> "1".
  static QString Kilobytes(qint64 bytes);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  QList<Row> rows_;
};
