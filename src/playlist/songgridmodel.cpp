// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/songgridmodel.h"

#include <algorithm>

#include "common/numparse.h"

namespace {
const QColor& kNormalText = SongGridModel::kNormalText;

QString HeaderText(SongGridModel::Kind kind, int col) {
  static const QString kSongs[] = {QStringLiteral("序号"), QStringLiteral("歌名"),
                                   QStringLiteral("歌手"), QStringLiteral("时间"),
                                   QStringLiteral("PATH")};
  static const QString kCharts[] = {QStringLiteral("序号"), QStringLiteral("榜单名"),
                                    QStringLiteral("歌手")};
  if (kind == SongGridModel::Kind::Songs) return col >= 0 && col < 5 ? kSongs[col] : QString();
  return col >= 0 && col < 3 ? kCharts[col] : QString();
}

// Chart grids keep the name in column 1 (title) and a hidden column 2 (singer).
QString* Field(SongEntry& e, int col) {
  switch (col) {
    case 0:
      return &e.number;
    case 1:
      return &e.title;
    case 2:
      return &e.singer;
    case 3:
      return &e.duration;
    case 4:
      return &e.path;
  }
  return nullptr;
}
// Rows are numbered from 1, so 0 marks a key seen for the first time; one lookup per key.
void KeepFirst(QHash<QString, int>& index, const QString& key, int row) {
  int& first = index[key];
  if (first == 0) first = row;
}
}  // namespace

SongGridModel::SongGridModel(Kind kind, QObject* parent)
    : QAbstractTableModel(parent), kind_(kind) {
  rows_.emplace_back();  // header and one blank row, as after a set-up
  blankCount_ = 1;
}

QList<int> SongGridModel::columnWidthsTwips() const {
  if (kind_ == Kind::Songs) return {450, 2000, 1000, 570, 10};
  return {450, 3570, 10};
}

int SongGridModel::rows() const {
  return static_cast<int>(rows_.size()) + 1;
}

int SongGridModel::columns() const {
  return kind_ == Kind::Songs ? 5 : 3;
}

QString SongGridModel::cell(int row, int col) const {
  if (col < 0 || col >= columns()) return QString();
  if (row == 0) return HeaderText(kind_, col);
  if (row < 1 || row >= rows()) return QString();
  SongEntry& e = const_cast<SongEntry&>(rows_[row - 1]);
  return *Field(e, col);
}

void SongGridModel::SetCell(int row, int col, const QString& text) {
  if (row < 1 || row >= rows() || col < 0 || col >= columns()) return;
  SongEntry& e = rows_[row - 1];
  if (col == 1) {
    const bool wasBlank = e.IsBlank();
    e.title = text;
    blankCount_ += (e.IsBlank() ? 1 : 0) - (wasBlank ? 1 : 0);
    indexValid_ = false;
  } else {
    *Field(e, col) = text;
    if (col == 4) indexValid_ = false;
  }
  if (bulk_ == 0) {
    const QModelIndex i = index(row - 1, col);
    emit dataChanged(i, i, {Qt::DisplayRole});
  }
}

SongEntry SongGridModel::entry(int row) const {
  if (row < 1 || row >= rows()) return {};
  return rows_[row - 1];
}

void SongGridModel::SetEntry(int row, const SongEntry& entry) {
  if (row < 1 || row >= rows()) return;
  SongEntry& e = rows_[row - 1];
  blankCount_ += (entry.IsBlank() ? 1 : 0) - (e.IsBlank() ? 1 : 0);
  e = entry;
  indexValid_ = false;
  if (bulk_ == 0) emit dataChanged(index(row - 1, 0), index(row - 1, columns() - 1));
}

void SongGridModel::Setup() {
  if (bulk_ == 0) beginResetModel();
  rows_.clear();
  rows_.emplace_back();
  colors_.clear();
  blankCount_ = 1;
  firstByTitle_.clear();
  firstByPath_.clear();
  indexValid_ = true;
  nowPlayRow_ = 0;
  if (bulk_ == 0) endResetModel();
  SetSelectedRow(1);
  SetTopRow(0);
}

SongGridModel::PreparedRows SongGridModel::PrepareRows(std::vector<SongEntry>& songs) {
  PreparedRows out;
  out.firstByTitle.reserve(static_cast<qsizetype>(songs.size()));
  out.firstByPath.reserve(static_cast<qsizetype>(songs.size()));
  // First pass only indexes, so a list with a duplicate keeps its songs for the slow path.
  int row = 1;
  for (const SongEntry& e : songs) {
    if (e.IsBlank() || e.path.trimmed().isEmpty()) continue;
    int& t = out.firstByTitle[e.title.trimmed()];
    int& p = out.firstByPath[e.path.trimmed()];
    if (t != 0 || p != 0) {
      out.duplicates = 1;
      out.firstByTitle.clear();
      out.firstByPath.clear();
      return out;
    }
    t = row;
    p = row;
    ++row;
  }
  std::erase_if(songs, [](const SongEntry& e) { return e.IsBlank() || e.path.trimmed().isEmpty(); });
  for (size_t k = 0; k < songs.size(); ++k)
    songs[k].number = common::ThreeDigits(static_cast<int64_t>(k) + 1);
  out.rows = std::move(songs);
  songs = {};
  return out;
}

void SongGridModel::Adopt(PreparedRows&& prepared) {
  if (bulk_ == 0) beginResetModel();
  rows_ = std::move(prepared.rows);
  if (rows_.empty()) rows_.emplace_back();
  colors_.clear();
  blankCount_ = rows_.back().IsBlank() ? 1 : 0;
  firstByTitle_ = std::move(prepared.firstByTitle);
  firstByPath_ = std::move(prepared.firstByPath);
  indexValid_ = true;
  nowPlayRow_ = 0;
  if (bulk_ == 0) endResetModel();
  SetSelectedRow(rows() - 1);
  SetTopRow(0);
}

std::vector<SongEntry> SongGridModel::TakeRows() {
  if (bulk_ == 0) beginResetModel();
  std::vector<SongEntry> taken;
  taken.swap(rows_);
  rows_.emplace_back();
  colors_.clear();
  blankCount_ = 1;
  firstByTitle_.clear();
  firstByPath_.clear();
  indexValid_ = true;
  nowPlayRow_ = 0;
  if (bulk_ == 0) endResetModel();
  SetSelectedRow(1);
  SetTopRow(0);
  return taken;
}

void SongGridModel::AppendRow(const SongEntry& entry) {
  InsertAtEnd(entry, true);
}

void SongGridModel::InsertAtEnd(const SongEntry& entry, bool updateIndex) {
  const int row = rows();
  if (bulk_ == 0) beginInsertRows(QModelIndex(), row - 1, row - 1);
  rows_.push_back(entry);
  if (entry.IsBlank()) {
    ++blankCount_;
  } else if (indexValid_ && updateIndex) {
    // Rows only ever arrive at the end, so the first row holding a key stays the first.
    KeepFirst(firstByTitle_, entry.title.trimmed(), row);
    KeepFirst(firstByPath_, entry.path.trimmed(), row);
  }
  if (bulk_ == 0) endInsertRows();
}

void SongGridModel::ReserveRows(int count) {
  rows_.reserve(static_cast<size_t>(std::max(count, 1)));
  firstByTitle_.reserve(count);
  firstByPath_.reserve(count);
}

void SongGridModel::RemoveRow(int row) {
  if (row < 1 || row >= rows()) return;
  if (bulk_ == 0) beginRemoveRows(QModelIndex(), row - 1, row - 1);
  if (rows_[row - 1].IsBlank()) --blankCount_;
  // Removing a song row shifts every row below it; a blank row at the end shifts nothing.
  if (!rows_[row - 1].IsBlank() || row != rows() - 1) indexValid_ = false;
  rows_.erase(rows_.begin() + (row - 1));
  ShiftColorsUp(row);
  if (nowPlayRow_ == row)
    nowPlayRow_ = 0;
  else if (nowPlayRow_ > row)
    --nowPlayRow_;
  if (bulk_ == 0) endRemoveRows();
}

void SongGridModel::SetRows(int count) {
  count = std::max(count, 1);
  while (rows() > count) RemoveRow(rows() - 1);
  if (rows() < count) {
    const int first = rows();
    if (bulk_ == 0) beginInsertRows(QModelIndex(), first - 1, count - 2);
    rows_.resize(static_cast<size_t>(count - 1));
    blankCount_ += count - first;
    if (bulk_ == 0) endInsertRows();
  }
}

void SongGridModel::PadToMinRows() {
  if (rows() < kMinRows) SetRows(kMinRows);
}

int SongGridModel::RemoveBlankRows() {
  int removed = 0;
  while (blankCount_ > 0 && rows() > 1 && rows_.back().IsBlank()) {
    RemoveRow(rows() - 1);
    ++removed;
  }
  if (blankCount_ == 0) return removed;
  // A blank row between songs (a title edited to nothing): one sweep, bottom up.
  for (int row = rows() - 1; row >= 1; --row) {
    if (rows_[row - 1].IsBlank()) {
      RemoveRow(row);
      ++removed;
    }
  }
  return removed;
}

int SongGridModel::FindFirstDuplicate(const QString& title, const QString& path) const {
  if (!indexValid_) RebuildIndex();
  int found = 0;
  const int t = firstByTitle_.value(title.trimmed(), 0);
  const int p = firstByPath_.value(path.trimmed(), 0);
  if (t > 0) found = t;
  if (p > 0 && (found == 0 || p < found)) found = p;
  return found;
}

int SongGridModel::AppendIfNew(const SongEntry& entry) {
  if (!indexValid_) RebuildIndex();
  const int row = rows();
  if (entry.IsBlank()) {  // blank rows are never indexed, and cannot match by title
    if (const int p = firstByPath_.value(entry.path.trimmed(), 0)) return p;
    AppendRow(entry);
    return 0;
  }
  const QString titleKey = entry.title.trimmed();
  const QString pathKey = entry.path.trimmed();
  int& t = firstByTitle_[titleKey];
  int& p = firstByPath_[pathKey];
  if (t == 0 && p == 0) {
    t = row;
    p = row;
    InsertAtEnd(entry, false);  // the index holds the row already
    return 0;
  }
  const int found = (t == 0) ? p : (p == 0 ? t : std::min(t, p));
  if (t == 0) firstByTitle_.remove(titleKey);
  if (p == 0) firstByPath_.remove(pathKey);
  return found;
}

void SongGridModel::RebuildIndex() const {
  firstByTitle_.clear();
  firstByPath_.clear();
  firstByTitle_.reserve(static_cast<qsizetype>(rows_.size()));
  firstByPath_.reserve(static_cast<qsizetype>(rows_.size()));
  for (size_t k = 0; k < rows_.size(); ++k) {
    const SongEntry& e = rows_[k];
    if (e.IsBlank()) continue;
    const int row = static_cast<int>(k) + 1;
    KeepFirst(firstByTitle_, e.title.trimmed(), row);
    KeepFirst(firstByPath_, e.path.trimmed(), row);
  }
  indexValid_ = true;
}

void SongGridModel::SetSelectedRow(int row) {
  row = std::clamp(row, 0, rows() - 1);
  if (row == selectedRow_) return;
  selectedRow_ = row;
  emit SelectedRowChanged(row);
}

void SongGridModel::SetTopRow(int row) {
  row = std::clamp(row, 0, rows() - 1);
  if (row == topRow_) return;
  topRow_ = row;
  emit TopRowChanged(row);
}

void SongGridModel::ShiftColorsUp(int removedRow) {
  colors_.erase(removedRow);
  for (auto it = colors_.upper_bound(removedRow); it != colors_.end();) {
    auto node = colors_.extract(it++);
    --node.key();
    colors_.insert(std::move(node));
  }
}

void SongGridModel::SetRowColor(int row, const QColor& color) {
  if (row < 1 || row >= rows()) return;
  if (color.isValid())
    colors_[row] = color;
  else
    colors_.erase(row);
  if (bulk_ == 0) emit dataChanged(index(row - 1, 0), index(row - 1, 3), {Qt::ForegroundRole});
}

QColor SongGridModel::rowColor(int row) const {
  const auto it = colors_.find(row);
  return it == colors_.end() ? QColor() : it->second;
}

void SongGridModel::SetNowPlayRow(int row) {
  const int old = nowPlayRow_;
  nowPlayRow_ = (row >= 1 && row < rows()) ? row : 0;
  if (bulk_ != 0) return;
  for (int r : {old, nowPlayRow_})
    if (r >= 1 && r < rows())
      emit dataChanged(index(r - 1, 0), index(r - 1, 0), {Qt::DecorationRole});
}

void SongGridModel::SetNowPlayIcon(const QIcon& icon) {
  nowPlayIcon_ = icon;
}

void SongGridModel::BeginBulk() {
  if (bulk_++ == 0) beginResetModel();
}

void SongGridModel::EndBulk() {
  if (bulk_ > 0 && --bulk_ == 0) endResetModel();
}

int SongGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows() - 1;
}

int SongGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : columns();
}

QVariant SongGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) return {};
  const int row = index.row() + 1;
  const int col = index.column();
  switch (role) {
    case Qt::DisplayRole:
      return cell(row, col);
    case Qt::ForegroundRole:
      if (col > 3) return QVariant::fromValue(kNormalText);
      if (const QColor c = rowColor(row); c.isValid()) return QVariant::fromValue(c);
      return QVariant::fromValue(kNormalText);
    case Qt::DecorationRole:
      if (col == 0 && row == nowPlayRow_ && !nowPlayIcon_.isNull()) return nowPlayIcon_;
      return {};
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    case Qt::ToolTipRole:
      return {};
  }
  return {};
}

QVariant SongGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    if (role == Qt::DisplayRole) return HeaderText(kind_, section);
    if (role == Qt::TextAlignmentRole)
      return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
  }
  if (role == Qt::DisplayRole) return section + 1;
  return {};
}
