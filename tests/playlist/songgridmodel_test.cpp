// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/songgridmodel.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include "playlist/gridrows.h"

namespace {

SongEntry Song(const QString& title, const QString& path) {
  return {QString(), title, QStringLiteral("未知"), QStringLiteral("00:00"), path};
}

struct Grid {
  explicit Grid(SongGridModel::Kind kind = SongGridModel::Kind::Songs) : model(kind) {}
  SongGridModel model;
  QAbstractItemModelTester tester{&model, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST(SongGridModel, SetupLeavesHeaderAndOneBlankRowAndPadsToTwenty) {
  Grid g;
  g.model.AppendRow(Song("a", "/a.mp3"));
  g.model.Setup();
  EXPECT_EQ(g.model.rows(), 2);
  EXPECT_EQ(g.model.cell(0, 1), "歌名");
  EXPECT_EQ(g.model.cell(1, 1), "");
  g.model.PadToMinRows();
  EXPECT_EQ(g.model.rows(), 20);
  EXPECT_EQ(g.model.rowCount(), 19);  // the header is the view's header
  g.model.SetRows(25);
  g.model.PadToMinRows();
  EXPECT_EQ(g.model.rows(), 25);
}

TEST(SongGridModel, DuplicateIndexFollowsEditsRemovalsAndBlankRows) {
  Grid g;
  g.model.Setup();
  g.model.RemoveBlankRows();
  for (const char* t : {"a", "b", "c", "b2"}) g.model.AppendRow(Song(t, QString("/%1.mp3").arg(t)));
  EXPECT_EQ(g.model.FindFirstDuplicate(" c ", "/none"), 3);
  EXPECT_EQ(g.model.FindFirstDuplicate("none", " /b2.mp3"), 4);
  EXPECT_EQ(g.model.FindFirstDuplicate("c", "/b.mp3"), 2);  // nearest the top wins
  EXPECT_EQ(g.model.FindFirstDuplicate("x", "/x"), 0);

  // A refused row leaves no trace of its other key in the index.
  EXPECT_EQ(g.model.AppendIfNew(Song("fresh", "/c.mp3")), 3);
  EXPECT_EQ(g.model.FindFirstDuplicate("fresh", "/none"), 0);
  EXPECT_EQ(g.model.AppendIfNew(Song(" ", "/a.mp3")), 1);
  EXPECT_EQ(g.model.rows(), 5);

  g.model.RemoveRow(1);  // rows shift up
  EXPECT_EQ(g.model.FindFirstDuplicate("c", ""), 2);
  g.model.SetCell(2, 1, "renamed");
  EXPECT_EQ(g.model.FindFirstDuplicate("c", ""), 0);
  EXPECT_EQ(g.model.FindFirstDuplicate("renamed", ""), 2);

  // A title edited to nothing makes a blank row between songs; blank rows never match.
  g.model.SetCell(1, 1, "  ");
  EXPECT_EQ(g.model.FindFirstDuplicate("", "/b.mp3"), 0);
  g.model.PadToMinRows();
  EXPECT_EQ(g.model.RemoveBlankRows(), 17);
  ASSERT_EQ(g.model.rows(), 3);
  EXPECT_EQ(g.model.title(1), "renamed");
  EXPECT_EQ(g.model.title(2), "b2");
}

TEST(SongGridModel, ColoursIconAndAlignmentReachTheView) {
  Grid g;
  g.model.AppendRow(Song("a", "/a"));
  g.model.SetNowPlayIcon(QIcon(QPixmap(8, 8)));
  g.model.SetNowPlayRow(2);
  g.model.SetRowColor(2, QColor(77, 163, 12));
  const QModelIndex first = g.model.index(1, 0);
  EXPECT_EQ(first.data(Qt::ForegroundRole).value<QColor>(), QColor(77, 163, 12));
  EXPECT_FALSE(first.data(Qt::DecorationRole).isNull());
  EXPECT_TRUE(g.model.index(1, 1).data(Qt::DecorationRole).isNull());
  EXPECT_EQ(g.model.index(0, 2).data(Qt::ForegroundRole).value<QColor>(), QColor(76, 97, 143));
  g.model.SetRowColor(1, QColor(255, 0, 0));
  g.model.RemoveRow(1);  // the playing mark and the colours move with their rows
  EXPECT_EQ(g.model.nowPlayRow(), 1);
  EXPECT_EQ(g.model.rowColor(1), QColor(77, 163, 12));
  g.model.AppendRow(Song("b", "/b"));
  EXPECT_FALSE(g.model.rowColor(2).isValid());  // the removed row's colour went with it
  g.model.SetRowColor(1, QColor());
  EXPECT_EQ(g.model.index(0, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(76, 97, 143));
}

TEST(SongGridModel, BulkLoadingShowsOneConsistentReset) {
  Grid g;
  g.model.BeginBulk();
  g.model.Setup();
  g.model.RemoveBlankRows();
  for (int k = 0; k < 50; ++k) g.model.AppendRow(Song(QString::number(k), "/p"));
  g.model.EndBulk();
  EXPECT_EQ(g.model.rowCount(), 50);
  EXPECT_EQ(g.model.index(49, 1).data().toString(), "49");
}

TEST(GridRows, ResultAndChartRowsAlwaysLeaveOneBlankRowAtTheEnd) {
  Grid results;
  results.model.Setup();
  playlist::AddResultRow(results.model, "t1", "s1", "03:00", "http://h/1");
  playlist::AddResultRow(results.model, "t2", "s2", "04:00", "http://h/2");
  ASSERT_EQ(results.model.rows(), 4);
  EXPECT_EQ(results.model.cell(2, 0), "002");
  EXPECT_EQ(results.model.cell(2, 4), "http://h/2");
  EXPECT_EQ(results.model.selectedRow(), 2);
  EXPECT_EQ(results.model.cell(3, 1), "");

  Grid charts(SongGridModel::Kind::Charts);
  charts.model.Setup();
  playlist::AddChartRow(charts.model, "新歌榜");
  EXPECT_EQ(charts.model.columns(), 3);
  EXPECT_EQ(charts.model.cell(0, 1), "榜单名");
  EXPECT_EQ(charts.model.cell(1, 0), "001");
  EXPECT_EQ(charts.model.cell(1, 1), "新歌榜");
  EXPECT_EQ(charts.model.rows(), 3);
}

}  // namespace
