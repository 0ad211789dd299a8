// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/gridstyle.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QTableView>
#include <QToolTip>

#include "common/twips.h"
#include "shell/ui/skin.h"

namespace skin {

namespace {

constexpr int kTextPad = 3;

QString Rgb(const QColor& c) {
  return QStringLiteral("rgb(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue());
}

QPixmap DecorationPixmap(const QVariant& v, int side) {
  if (v.canConvert<QIcon>()) {
    const QIcon icon = v.value<QIcon>();
    if (!icon.isNull()) return icon.pixmap(side, side);
  }
  if (v.canConvert<QPixmap>()) return v.value<QPixmap>();
  if (v.canConvert<QImage>()) return QPixmap::fromImage(v.value<QImage>());
  return {};
}

}  // namespace

void GridDelegate::paint(QPainter* p, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const {
  const bool selected = option.state & QStyle::State_Selected;
  const bool alternate = option.features & QStyleOptionViewItem::Alternate;
  p->save();
  p->fillRect(option.rect,
              selected ? kGridSelectionBack : (alternate ? kGridFixedBack : kGridCellBack));

  QRect textRect = option.rect.adjusted(kTextPad, 0, -kTextPad, 0);
  const QPixmap pix =
      DecorationPixmap(index.data(Qt::DecorationRole), qMax(8, option.rect.height() - 4));
  if (!pix.isNull()) {
    // Scale into the cell so a large picture cannot spill into the next row.
    const int side = qMin(option.rect.height() - 2, qMax(pix.width(), pix.height()));
    const QRect target(textRect.left(), option.rect.top() + (option.rect.height() - side) / 2, side,
                       side);
    p->drawPixmap(target, pix);
    textRect.setLeft(target.right() + 1 + kTextPad);
  }

  QColor color = kGridText;
  const QVariant fg = index.data(Qt::ForegroundRole);
  if (fg.canConvert<QBrush>() && fg.value<QBrush>().style() != Qt::NoBrush)
    color = fg.value<QBrush>().color();
  else if (fg.canConvert<QColor>() && fg.value<QColor>().isValid())
    color = fg.value<QColor>();
  if (selected) color = kGridSelectionText;

  const QVariant fontData = index.data(Qt::FontRole);
  p->setFont(fontData.canConvert<QFont>() ? fontData.value<QFont>() : option.font);
  p->setPen(color);
  const QVariant alignData = index.data(Qt::TextAlignmentRole);
  const int align = alignData.isValid() ? alignData.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
  // drawText never interprets markup: titles from the web stay plain text.
  p->setClipRect(option.rect);
  const QString text = index.data(Qt::DisplayRole).toString();
  // Beside a picture in a narrow cell (the playing row's number) a cut-off text only clutters.
  if (pix.isNull() || p->fontMetrics().horizontalAdvance(text) <= textRect.width())
    p->drawText(textRect, align | Qt::TextSingleLine, text);
  p->restore();
}

QSize GridDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QSize s = QStyledItemDelegate::sizeHint(option, index);
  s.setHeight(common::TwipsToPx(kGridRowHeightTwips));
  return s;
}

bool GridDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                             const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (event && event->type() == QEvent::ToolTip && index.isValid()) {
    const QString text = index.data(Qt::DisplayRole).toString();
    if (!text.isEmpty() &&
        option.fontMetrics.horizontalAdvance(text) > option.rect.width() - 2 * kTextPad) {
      // Tooltips guess rich text; page text and paths must stay plain characters.
      QToolTip::showText(event->globalPos(),
                         QStringLiteral("<qt>%1</qt>").arg(text.toHtmlEscaped()), view,
                         option.rect);
      return true;
    }
  }
  return QStyledItemDelegate::helpEvent(event, view, option, index);
}

void ApplyGridStyle(QTableView* view) {
  if (!view) return;
  QPalette pal = view->palette();
  pal.setColor(QPalette::Base, kGridCellBack);
  pal.setColor(QPalette::Window, kGridCellBack);
  pal.setColor(QPalette::AlternateBase, kGridFixedBack);
  pal.setColor(QPalette::Text, kGridText);
  pal.setColor(QPalette::WindowText, kGridText);
  pal.setColor(QPalette::ButtonText, kGridText);
  pal.setColor(QPalette::Button, kGridFixedBack);
  pal.setColor(QPalette::Highlight, kGridSelectionBack);
  pal.setColor(QPalette::HighlightedText, kGridSelectionText);
  view->setPalette(pal);

  QFont font = view->font();
  font.setPointSize(9);
  view->setFont(font);

  // Only the frame, the grid lines and the header need a style sheet; cells are painted by
  // the delegate, so the sheet cannot fight the model's row colours.
  view->setStyleSheet(
      QStringLiteral("QTableView{border:1px solid %1;gridline-color:%1;background:%2;"
                     "selection-background-color:%3;selection-color:%4;}"
                     "QHeaderView{background:%2;}"
                     "QHeaderView::section{background:%5;color:%6;border:none;"
                     "border-right:1px solid %1;border-bottom:1px solid %1;padding-left:%7px;}"
                     "QTableCornerButton::section{background:%5;border:none;"
                     "border-right:1px solid %1;border-bottom:1px solid %1;}"
                     "QScrollBar{background:%5;border:none;}"
                     "QScrollBar:vertical{width:12px;border-left:1px solid %1;}"
                     "QScrollBar:horizontal{height:12px;border-top:1px solid %1;}"
                     "QScrollBar::handle{background:%8;border:1px solid %9;border-radius:3px;"
                     "margin:1px;}"
                     "QScrollBar::handle:vertical{min-height:20px;}"
                     "QScrollBar::handle:horizontal{min-width:20px;}"
                     "QScrollBar::handle:hover{background:%10;}"
                     "QScrollBar::add-line,QScrollBar::sub-line{width:0;height:0;border:none;}"
                     "QScrollBar::add-page,QScrollBar::sub-page{background:none;}")
          .arg(Rgb(kGridLine), Rgb(kGridCellBack), Rgb(kGridSelectionBack), Rgb(kGridSelectionText),
               Rgb(kGridFixedBack), Rgb(kGridText))
          .arg(kTextPad)
          .arg(Rgb(kLight), Rgb(kMidBlue), Rgb(kAccent)));

  auto* old = view->itemDelegate();
  if (!qobject_cast<GridDelegate*>(old)) {
    view->setItemDelegate(new GridDelegate(view));
    if (old && old->parent() == view) old->deleteLater();
  }

  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setAlternatingRowColors(true);
  view->setShowGrid(true);
  view->setGridStyle(Qt::SolidLine);
  view->setWordWrap(false);
  view->setTabKeyNavigation(false);
  view->setCornerButtonEnabled(false);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

  const int rowHeight = common::TwipsToPx(kGridRowHeightTwips);
  QHeaderView* v = view->verticalHeader();
  v->setVisible(false);
  v->setSectionResizeMode(QHeaderView::Fixed);
  v->setMinimumSectionSize(rowHeight);
  v->setDefaultSectionSize(rowHeight);

  QHeaderView* h = view->horizontalHeader();
  h->setVisible(true);
  h->setFixedHeight(rowHeight);
  h->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  h->setHighlightSections(false);
  h->setSectionsClickable(false);
  h->setSectionsMovable(false);
  h->setStretchLastSection(false);
  h->setMinimumSectionSize(1);  // the hidden path column is 10 twips wide
  h->setFont(font);
}

void SetColumnWidthsTwips(QTableView* view, std::initializer_list<int> widthsTwips) {
  if (!view) return;
  int col = 0;
  for (int w : widthsTwips) view->setColumnWidth(col++, qMax(1, common::TwipsToPx(w)));
}

void FitColumns(QTableView* view, int stretchColumn, int textColumn, const QString& widestText) {
  if (!view) return;
  // The twips widths assume the original font; ours may draw digits wider. One pixel more for
  // the grid line at the cell's right edge.
  const int needed = view->fontMetrics().horizontalAdvance(widestText) + 2 * kTextPad + 1;
  if (view->columnWidth(textColumn) < needed) view->setColumnWidth(textColumn, needed);
  view->horizontalHeader()->setSectionResizeMode(stretchColumn, QHeaderView::Stretch);
}

}  // namespace skin
