// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QStyledItemDelegate>
#include <initializer_list>

class QTableView;

namespace skin {

// The grid palette, the same for every grid of the program.
inline const QColor kGridSelectionBack{38, 100, 199};
inline const QColor kGridSelectionText{255, 255, 255};
inline const QColor kGridCellBack{255, 255, 255};
inline const QColor kGridFixedBack{241, 249, 252};  // header cells and alternate rows
inline const QColor kGridText{76, 97, 143};
inline const QColor kGridLine{189, 215, 231};  // grid lines, fixed grid lines, sheet border
inline constexpr int kGridRowHeightTwips = 255;

// Gives a grid view the program's look and behaviour: palette, font, header, row height,
// whole-row single selection, no editing, and the cell painting of GridDelegate.
void ApplyGridStyle(QTableView* view);

// Sets the widths of the first columns from twips, as the grid set-ups list them.
void SetColumnWidthsTwips(QTableView* view, std::initializer_list<int> widthsTwips);

// Widens `textColumn` to show `widestText` whole and lets `stretchColumn` take what is left
// of the viewport, so the vertical scroll bar takes its width from that column alone.
void FitColumns(QTableView* view, int stretchColumn, int textColumn, const QString& widestText);

// Paints one cell of a program grid: white or alternate background, the selection colours,
// the model's own text colour (playing green, failed red) and its picture, text always plain.
class GridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  // A cell too narrow for its text shows the whole text as a tooltip.
  bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                 const QModelIndex& index) override;
};

}  // namespace skin
