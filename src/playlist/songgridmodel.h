// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QIcon>
#include <QList>
#include <map>
#include <QString>
#include <vector>

#include "playlist/songentry.h"

// A grid of the playlist window (MSF, MSF1, MSF2) as a table model. Its own API speaks the
// program's rows: row 0 is the header, songs are rows 1..rows()-1, rows() counts the header.
// The Qt overrides show program rows 1.. as Qt rows 0.. (the header is the view's header).
class SongGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum class Kind { Songs, Charts };  // Songs: MSF/MSF1 (5 columns); Charts: MSF2 (3 columns)
  static constexpr int kMinRows = 20;
  // Row text colours: the grid's own, the playing song's and a failed song's.
  static inline const QColor kNormalText{76, 97, 143};
  static inline const QColor kPlayingText{77, 163, 12};
  static inline const QColor kFailedText{255, 0, 0};

  explicit SongGridModel(Kind kind, QObject* parent = nullptr);

  Kind kind() const { return kind_; }
  int rows() const;  // counting the header row
  int columns() const;
  QList<int> columnWidthsTwips() const;  // the set-up's widths, one per column
  QString cell(int row, int col) const;  // "" outside the grid; row 0 gives the headers
  void SetCell(int row, int col, const QString& text);
  SongEntry entry(int row) const;
  void SetEntry(int row, const SongEntry& entry);
  QString title(int row) const { return cell(row, 1); }
  QString path(int row) const { return cell(row, 4); }

  // Clears every cell and leaves the header and one blank row (SetupPlaylistGrid & co).
  void Setup();
  void AppendRow(const SongEntry& entry = {});
  void ReserveRows(int rows);  // room for that many rows, before a large load
  void RemoveRow(int row);
  void SetRows(int rows);  // grows with blank rows or cuts from the end
  void PadToMinRows();     // at least kMinRows rows counting the header
  // Removes every row whose trimmed title is empty; returns how many went.
  int RemoveBlankRows();
  // The row nearest the top whose trimmed title equals the trimmed title, or whose trimmed path
  // equals the trimmed path; 0 when none. Blank rows never count. Hash lookups, not a scan.
  int FindFirstDuplicate(const QString& title, const QString& path) const;
  // Appends the row unless FindFirstDuplicate finds one: 0 when appended, else that row. One
  // hash lookup per key, which loading 100,000 songs notices.
  int AppendIfNew(const SongEntry& entry);

  // The rows a load appends, numbered and indexed away from the GUI thread, so a big list
  // enters the grid in one step. `duplicates` stops at the first one: such a list goes through
  // AppendIfNew row by row, because each duplicate asks the user.
  struct PreparedRows {
    std::vector<SongEntry> rows;
    QHash<QString, int> firstByTitle;
    QHash<QString, int> firstByPath;
    int duplicates = 0;
  };
  // Skips rows with a blank title or path. Without a duplicate `songs` itself becomes the rows
  // (no second vector of 100,000 at the peak); with one, `songs` is left whole and only
  // `duplicates` is set. Thread-safe.
  static PreparedRows PrepareRows(std::vector<SongEntry>& songs);
  // Replaces every row with prepared ones (none of them blank); the last becomes selected.
  void Adopt(PreparedRows&& prepared);
  // Hands the rows over, leaving the grid as Setup does, so a caller can free 100,000 of them
  // on another thread.
  std::vector<SongEntry> TakeRows();

  int selectedRow() const { return selectedRow_; }
  void SetSelectedRow(int row);
  int topRow() const { return topRow_; }
  void SetTopRow(int row);

  // Text colour of cells 0..3 of a row (invalid colour = the grid's normal text colour).
  void SetRowColor(int row, const QColor& color);
  QColor rowColor(int row) const;
  // The row that shows the NowPlay icon in column 0 (0 = none).
  void SetNowPlayRow(int row);
  int nowPlayRow() const { return nowPlayRow_; }
  void SetNowPlayIcon(const QIcon& icon);

  // Many rows at once (loading a list): per-row signals are held back and views see one reset
  // at the matching EndBulk. Nestable.
  void BeginBulk();
  void EndBulk();
  bool inBulk() const { return bulk_ > 0; }

  // QAbstractTableModel
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 signals:
  void SelectedRowChanged(int row);
  void TopRowChanged(int row);

 private:
  void RebuildIndex() const;
  void ShiftColorsUp(int removedRow);  // the rows below a removed one move up
  void InsertAtEnd(const SongEntry& entry, bool updateIndex);

  Kind kind_;
  std::vector<SongEntry> rows_;  // program rows 1..; rows_[0] is row 1
  // Text colours by program row: only the playing and failed rows have one, so a sparse map
  // rather than 16 bytes on each of 100,000 rows.
  std::map<int, QColor> colors_;
  int selectedRow_ = 0;
  int topRow_ = 0;
  int nowPlayRow_ = 0;
  QIcon nowPlayIcon_;
  int blankCount_ = 0;  // rows whose trimmed title is empty
  int bulk_ = 0;
  // First row of each trimmed title and path among non-blank rows; rebuilt lazily after an edit
  // or removal, kept up to date by appends.
  mutable QHash<QString, int> firstByTitle_;
  mutable QHash<QString, int> firstByPath_;
  mutable bool indexValid_ = true;
};
