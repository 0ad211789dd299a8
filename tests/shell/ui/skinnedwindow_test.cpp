// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Skinned windows, docking through the dock manager, and the grid style.
#include "shell/ui/skinnedwindow.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QHelpEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QToolTip>

#include "shell/ui/dockmanager.h"
#include "shell/ui/gridstyle.h"
#include "shell/ui/skin.h"

namespace {

TEST(SkinnedWindow, RoundRegionFollowsEveryResize) {
  SkinnedWindow w(QStringLiteral("Tunewharf"));
  w.resize(200, 100);
  w.show();  // a hidden window gets its resize event when shown
  for (QSize size : {QSize(200, 100), QSize(320, 260)}) {
    w.resize(size);
    const QRegion mask = w.mask();
    ASSERT_FALSE(mask.isEmpty());
    const int r = size.width() - 1, b = size.height() - 1;
    for (QPoint corner : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(r, 0), QPoint(r - 1, 0),
                          QPoint(r, 1), QPoint(0, b), QPoint(r, b), QPoint(r, b - 1)})
      EXPECT_FALSE(mask.contains(corner)) << corner.x() << "," << corner.y();
    for (QPoint inside : {QPoint(r, b / 2), QPoint(r / 2, b), QPoint(2, 0), QPoint(1, 1),
                          QPoint(r - 2, b), QPoint(r / 2, 0)})
      EXPECT_TRUE(mask.contains(inside)) << inside.x() << "," << inside.y();
  }
}

// The frame is drawn once per size and copied from then on: after a resize, a new caption, title
// height or grip, the window must show what a fresh drawing of the frame shows.
TEST(SkinnedWindow, KeptFrameFollowsSizeCaptionTitleAndGrip) {
  SkinnedWindow w(QStringLiteral("Tunewharf"));
  w.findChild<QAbstractButton*>(QStringLiteral("T1"))->setVisible(false);
  w.resize(200, 100);
  w.show();
  const auto same = [&w](const char* step) {
    QImage expected(w.size(), QImage::Format_ARGB32_Premultiplied);
    expected.fill(Qt::transparent);
    QPainter p(&expected);
    skin::PaintFrame(p, w.rect(), w.titleHeight(), w.drawnCaption(), w.resizableHeight());
    p.end();
    // The corners lie outside the window's region; everything inside must match.
    const QRect inside = w.rect().adjusted(2, 2, -2, -2);
    EXPECT_EQ(w.grab().toImage().copy(inside).convertToFormat(QImage::Format_RGB32),
              expected.copy(inside).convertToFormat(QImage::Format_RGB32))
        << step;
  };
  same("first paint");
  w.setWindowTitle(QStringLiteral("歌词秀"));
  same("new caption");
  w.SetDrawnCaption(QStringLiteral("秀歌词"));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("歌词秀"));
  same("drawn caption");
  w.resize(320, 260);
  same("resized");
  w.SetTitleHeight(24);
  same("taller title");
  w.SetResizableHeight(true, 1500);
  same("grip");
}

TEST(SkinnedWindow, ChildPiecesOutliveTheWindowsOwnBookkeeping) {
  // The pieces are children: QWidget deletes them after the window's own members are gone.
  auto* window = new SkinnedWindow(QStringLiteral("歌词"));
  auto* title = new QWidget(window);
  auto* grip = new QWidget(window);
  window->AddTitlePiece(title);
  window->AddGripPiece(grip);
  QSignalSpy gone(title, &QObject::destroyed);
  delete window;  // the sanitizer build reports the use after free this once was
  EXPECT_EQ(gone.count(), 1);
}

TEST(SkinnedWindow, TitleMovesGripResizesCloseButtonHides) {
  SkinnedWindow w(QStringLiteral("x"));
  w.setGeometry(100, 100, 200, 300);
  w.SetResizableHeight(true, 2500);  // 167 px
  w.show();
  QSignalSpy released(&w, &SkinnedWindow::DragReleased);
  auto drag = [&](QPoint from, QPoint by) {
    QTest::mousePress(&w, Qt::LeftButton, {}, from);
    QTest::mouseMove(&w, from + by);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, from + by);
  };
  drag(QPoint(50, 5), QPoint(30, 20));
  EXPECT_EQ(w.pos(), QPoint(130, 120));
  EXPECT_EQ(released.count(), 1);
  drag(QPoint(50, 150), QPoint(30, 20));  // the body is no skin piece
  EXPECT_EQ(w.pos(), QPoint(130, 120));
  EXPECT_EQ(released.count(), 1);
  drag(QPoint(50, 297), QPoint(0, -200));  // bottom grip: never below the minimum
  EXPECT_EQ(w.height(), 167);
  EXPECT_EQ(w.pos(), QPoint(130, 120));
  w.SetMovable(false);
  drag(QPoint(50, 5), QPoint(30, 20));
  EXPECT_EQ(w.pos(), QPoint(130, 120));

  QSignalSpy closed(&w, &SkinnedWindow::CloseClicked);
  auto* t1 = w.findChild<QAbstractButton*>(QStringLiteral("T1"));
  ASSERT_NE(t1, nullptr);
  t1->click();
  EXPECT_FALSE(w.isVisible());
  EXPECT_EQ(closed.count(), 1);
}

// Main window 300x180 px at (100, 100); every satellite registered with the dock manager.
class Docking : public ::testing::Test {
 protected:
  void SetUp() override {
    main.setGeometry(100, 100, 300, 180);
    playlist.setGeometry(0, 0, 300, 300);
    lyrics.setGeometry(0, 0, 250, 400);
    lrcDown.setGeometry(0, 0, 150, 100);
    singer.setGeometry(700, 50, 250, 400);
    dock.SetMainWindow(&main);
    dock.Register(DockIndex::Playlist, &playlist);
    dock.Register(DockIndex::Lyrics, &lyrics);
    dock.Register(DockIndex::Singer, &singer);
    dock.Register(DockIndex::LyricsDownload, &lrcDown);
    // Qt delivers the moves of a hidden window only when it is shown.
    for (SkinnedWindow* w : {&main, &playlist, &lyrics, &lrcDown, &singer}) w->show();
  }
  SkinnedWindow main{QStringLiteral("main")}, playlist{QStringLiteral("list")},
      lyrics{QStringLiteral("lrc")}, lrcDown{QStringLiteral("down")}, singer{QStringLiteral("net")};
  DockManager dock;
};

TEST_F(Docking, LoadedWindowsTakeTheirPlacesAndDockedOnesFollowTheMainWindow) {
  EXPECT_EQ(playlist.pos(), QPoint(100, 280));
  EXPECT_EQ(lyrics.pos(), QPoint(400, 100));
  EXPECT_EQ(lrcDown.pos(), QPoint(450, 250));  // centred on the lyrics window
  EXPECT_EQ(singer.pos(), QPoint(700, 50));    // starts undocked
  EXPECT_FALSE(playlist.movable());
  main.move(200, 150);
  EXPECT_EQ(playlist.pos(), QPoint(200, 330));
  EXPECT_EQ(lyrics.pos(), QPoint(500, 150));
  EXPECT_EQ(lrcDown.pos(), QPoint(550, 300));
  EXPECT_EQ(singer.pos(), QPoint(700, 50));
  main.resize(340, 200);  // the right and bottom edges moved
  EXPECT_EQ(playlist.pos(), QPoint(200, 350));
  EXPECT_EQ(lyrics.pos(), QPoint(540, 150));
}

TEST_F(Docking, FloatingLyricsStaysAndTheDownloadWindowFollowsIt) {
  lyrics.move(900, 300);
  emit lyrics.DragReleased();
  EXPECT_FALSE(dock.docked(static_cast<int>(DockIndex::Lyrics)));
  EXPECT_EQ(lrcDown.pos(), QPoint(950, 450));  // follows the lyrics window, not the main one
  main.move(20, 20);
  EXPECT_EQ(lyrics.pos(), QPoint(900, 300));
  EXPECT_EQ(lrcDown.pos(), QPoint(950, 450));
  EXPECT_EQ(playlist.pos(), QPoint(20, 200));  // the playlist window always follows
}

TEST_F(Docking, ReleaseSnapsWithinTwentyPixels) {
  // 20 px = 300 twips snaps back; 21 px = 315 twips floats.
  lyrics.move(420, 80);
  emit lyrics.DragReleased();
  EXPECT_TRUE(dock.docked(static_cast<int>(DockIndex::Lyrics)));
  EXPECT_EQ(lyrics.pos(), QPoint(400, 100));
  lyrics.move(421, 100);
  emit lyrics.DragReleased();
  EXPECT_FALSE(dock.docked(static_cast<int>(DockIndex::Lyrics)));
  EXPECT_EQ(lyrics.pos(), QPoint(421, 100));
}

TEST_F(Docking, ShowingTheMonitorHidesTheWindowsItReplaces) {
  SkinnedWindow monitor(QStringLiteral("mon"));
  monitor.setGeometry(0, 0, 200, 200);
  dock.Register(DockIndex::Monitor, &monitor);
  main.move(150, 100);
  monitor.move(5, 5);  // a hidden window is put back in place when shown
  QSignalSpy toggled(&dock, &DockManager::MonitorToggled);
  EXPECT_TRUE(dock.ToggleMonitor());
  EXPECT_TRUE(monitor.isVisible());
  EXPECT_FALSE(lyrics.isVisible());
  EXPECT_FALSE(singer.isVisible());
  EXPECT_EQ(monitor.pos(), QPoint(450, 100));
  EXPECT_FALSE(dock.ToggleMonitor());
  EXPECT_FALSE(monitor.isVisible());
  ASSERT_EQ(toggled.count(), 2);
  EXPECT_TRUE(toggled[0][0].toBool());
  EXPECT_FALSE(toggled[1][0].toBool());
}

TEST(GridStyle, CellsShowThePaletteAndTheModelsRowColours) {
  QStandardItemModel model(4, 2);
  for (int r = 0; r < 4; ++r) model.setItem(r, 0, new QStandardItem(QStringLiteral("███")));
  model.item(0, 0)->setForeground(QColor(255, 0, 0));
  QTableView view;
  view.setModel(&model);
  skin::ApplyGridStyle(&view);
  view.resize(300, 200);
  view.show();
  view.selectRow(2);
  EXPECT_EQ(view.editTriggers(), QAbstractItemView::NoEditTriggers);

  const QImage shot = view.viewport()->grab().toImage();
  auto back = [&](int row) {
    const QRect cell = view.visualRect(model.index(row, 1));
    return shot.pixelColor(cell.center());
  };
  EXPECT_EQ(back(0), QColor(255, 255, 255));
  EXPECT_EQ(back(1), QColor(241, 249, 252));
  EXPECT_EQ(back(2), QColor(38, 100, 199));
  // The text of row 0 is drawn in the model's red; row 3 in the grid's own blue-grey.
  auto hasInk = [&](int row, const QColor& ink) {
    const QRect cell = view.visualRect(model.index(row, 0));
    for (int x = cell.left(); x < cell.right(); ++x)
      if (shot.pixelColor(x, cell.center().y()) == ink) return true;
    return false;
  };
  EXPECT_TRUE(hasInk(0, QColor(255, 0, 0)));
  EXPECT_TRUE(hasInk(3, QColor(76, 97, 143)));
  EXPECT_TRUE(hasInk(2, QColor(255, 255, 255)));
}

// A song grid as wide as the playlist window, long enough for its scroll bar: the time column
// shows "01:15" whole and the last column ends inside the viewport.
TEST(GridStyle, TimeColumnStaysWholeBesideTheScrollBar) {
  QStandardItemModel model(40, 5);
  for (int r = 0; r < 40; ++r) model.setItem(r, 3, new QStandardItem(QStringLiteral("01:15")));
  QTableView view;
  view.setModel(&model);
  skin::ApplyGridStyle(&view);
  skin::SetColumnWidthsTwips(&view, {450, 2000, 1000, 570, 10});
  skin::FitColumns(&view, 1, 3, QStringLiteral("00:00"));
  view.resize(292, 200);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  ASSERT_TRUE(view.verticalScrollBar()->isVisible());
  const int text = view.fontMetrics().horizontalAdvance(QStringLiteral("01:15"));
  EXPECT_GE(view.columnWidth(3), text + 6);  // 3-pixel padding either side
  EXPECT_LE(view.columnViewportPosition(4) + view.columnWidth(4), view.viewport()->width());
  EXPECT_GT(view.columnWidth(1), 60);  // the title gives up what the time column needs
}

// A cell too narrow for its text (the monitor's long values) shows the whole text as a tooltip,
// markup from the web as plain characters; a cell that fits shows none.
TEST(GridStyle, CutCellsShowTheirWholeTextAsATooltip) {
  QStandardItemModel model(2, 2);
  const QString value = QStringLiteral("%AplicationPath%playlist\\default.lst <img src=x>");
  model.setItem(0, 1, new QStandardItem(value));
  model.setItem(1, 1, new QStandardItem(QStringLiteral("002")));
  QTableView view;
  view.setModel(&model);
  skin::ApplyGridStyle(&view);
  view.setColumnWidth(1, 80);
  view.resize(200, 120);
  view.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
  auto tip = [&](int row) {
    const QModelIndex index = model.index(row, 1);
    const QPoint at = view.visualRect(index).center();
    QHelpEvent event(QEvent::ToolTip, at, view.viewport()->mapToGlobal(at));
    QStyleOptionViewItem option;
    option.initFrom(view.viewport());
    option.rect = view.visualRect(index);
    option.font = view.font();
    option.fontMetrics = view.fontMetrics();
    const bool shown = view.itemDelegate()->helpEvent(&event, &view, option, index);
    return shown ? QToolTip::text() : QString();
  };
  const QString cut = tip(0);
  EXPECT_TRUE(
      cut.contains(QStringLiteral("%AplicationPath%playlist\\default.lst &lt;img src=x&gt;")))
      << cut.toStdString();
  EXPECT_TRUE(tip(1).isEmpty());
  QToolTip::hideText();
}

}  // namespace
