// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QIcon>
#include <QStringList>
#include <vector>

// The monitor window's grid: "No.", "Item", "Value". Program row 0 is the header; rows 1..16
// name internal state, and rows 16..35 also carry the candidate addresses of the playing web
// song in their value column (candidate k on row 16 + k).
class MonitorModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kOnlineRow = 9;
  static constexpr int kFirstCandidateRow = 16;
  static constexpr int kCandidates = 20;
  static constexpr int kRows = kFirstCandidateRow + kCandidates;  // counting the header

  explicit MonitorModel(QObject* parent = nullptr);

  static const QStringList& ItemNames();  // the names of rows 1..16

  QString cell(int row, int col) const;  // program rows; row 0 = headers
  void SetValue(int row, const QString& text);
  // The status timer's values: values[i] goes to row i + 1. Row 9 "Online" belongs to the
  // online notice and is left alone.
  void SetValues(const QStringList& values);
  // Candidate slots 0..19 into rows 16..35.
  void SetCandidates(const QStringList& candidates);
  void SetOnlineNotice(const QString& text) { SetValue(kOnlineRow, text); }
  // The candidate being tried: its row gets the now-playing picture and a green value.
  void MarkCandidate(int k);
  // The same, by program row (16 + k); any other row clears the mark.
  void MarkCandidateRow(int row) { MarkCandidate(row - kFirstCandidateRow); }
  // A playlist song plays: the web song's candidates and their mark go.
  void ClearCandidates();
  int markedRow() const { return markedRow_; }
  // The picture of the marked row, which the window supplies.
  void SetMarkIcon(const QIcon& icon);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<QString> values_;  // index = program row
  int markedRow_ = 0;
  QIcon markIcon_;
};
