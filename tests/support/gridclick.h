// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTableView>
#include <QTest>

// Double-clicks program row `row` (1 is the first below the header) as a user does: a click
// to select it, then the double-click.
inline void DoubleClickRow(QTableView* view, int row) {
  const QModelIndex index = view->model()->index(row - 1, 1);
  view->scrollTo(index);  // a filled grid has scrolled to its last row
  const QPoint at = view->visualRect(index).center();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
}
