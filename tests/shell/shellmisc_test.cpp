// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The tray popup's placement and tip, and the monitor grid's rows.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include "shell/monitormodel.h"
#include "shell/traylayout.h"

namespace {

TEST(TrayLayout, PopupPositionAndTip) {
  EXPECT_EQ(shell::TrayPopupPosition(QSize(1280, 800), QSize(1500, 2700)),
            QPoint(19200 - 1500 - 312, 12000 - 2700 - 479));
  EXPECT_EQ(shell::TrayTip(QStringLiteral("  ")), QStringLiteral("Tunewharf"));
  EXPECT_EQ(shell::TrayTip(QStringLiteral("<b>夜曲</b>")), QStringLiteral("<b>夜曲</b>"));
}

TEST(MonitorModel, RowsValuesAndCandidates) {
  MonitorModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(model.rowCount(), 35);
  EXPECT_EQ(model.cell(0, 2), QStringLiteral("Value"));
  EXPECT_EQ(model.cell(1, 1), QStringLiteral("SearchEngine"));
  EXPECT_EQ(model.cell(16, 1), QStringLiteral("ReUrl"));
  EXPECT_EQ(model.cell(35, 0), QStringLiteral("035"));

  model.SetOnlineNotice(QStringLiteral("notice"));
  QStringList values;
  for (int i = 1; i <= 15; ++i) values << QStringLiteral("v%1").arg(i);
  model.SetValues(values);
  EXPECT_EQ(model.cell(15, 2), QStringLiteral("v15"));
  EXPECT_EQ(model.cell(9, 1), QStringLiteral("Online"));
  EXPECT_EQ(model.cell(9, 2), QStringLiteral("notice"));  // the status timer leaves it alone

  model.SetCandidates({QStringLiteral("c0"), QStringLiteral("c1")});
  EXPECT_EQ(model.cell(17, 2), QStringLiteral("c1"));
  EXPECT_EQ(model.cell(35, 2), QString());
  model.MarkCandidate(1);
  EXPECT_EQ(model.data(model.index(16, 2), Qt::ForegroundRole).value<QColor>(),
            QColor(77, 163, 12));
  EXPECT_FALSE(model.data(model.index(15, 2), Qt::ForegroundRole).isValid());
}

}  // namespace
