// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/ui/playlistwindow.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include "playlist/playlistfixture.h"
#include "playlist/playlistmenus.h"
#include "playlist/ui/skinbutton.h"

namespace {

class PlaylistWindowTest : public PlaylistFixture {
 protected:
  void SetUp() override {
    playlist::CreatePlaylistMenus(menus);
    dir.WriteFile(
        "playlist/default.lst",
        "\"one\",\"s1\",\"03:00\",\"/m/one.mp3\"\r\n\"two\",\"s2\",\"04:00\",\"/m/two.mp3\"\r\n"
        "\"<img src=/dev/zero>\",\"s3\",\"00:00\",\"/m/three.mp3\"\r\n");
    Start();
    window.show();
  }

  QTableView* View(int tab) { return window.grid(tab); }
  QPoint RowCenter(int tab, int programRow) {
    return View(tab)->visualRect(View(tab)->model()->index(programRow - 1, 1)).center();
  }
  QString FirstPopupItem() { return window.lastPopup()->actions().value(0)->text(); }

  SongGridModel charts{SongGridModel::Kind::Charts};
  PlaylistWindow window{lists, commands, results, charts, menus};
};

TEST_F(PlaylistWindowTest, DoubleClickAndThePlayItemForwardASongRowOnly) {
  QSignalSpy activated(&window, &PlaylistWindow::PlaylistRowActivated);
  QTest::mouseDClick(View(0)->viewport(), Qt::LeftButton, {}, RowCenter(0, 10));
  EXPECT_EQ(activated.count(), 0);
  QTest::mouseDClick(View(0)->viewport(), Qt::LeftButton, {}, RowCenter(0, 2));
  grid.SetSelectedRow(3);
  menus.Item("RLs", 0)->trigger();
  ASSERT_EQ(activated.count(), 2);
  EXPECT_EQ(activated[0][0].toInt(), 2);
  EXPECT_EQ(activated[1][0].toInt(), 3);
  EXPECT_TRUE(player.calls().isEmpty());  // the window never plays by itself
}

TEST_F(PlaylistWindowTest, RightClickSelectsTheRowThenOpensItsMenu) {
  QTest::mouseClick(View(0)->viewport(), Qt::RightButton, {}, RowCenter(0, 3));
  EXPECT_EQ(grid.selectedRow(), 3);
  EXPECT_TRUE(View(0)->selectionModel()->isRowSelected(2, {}));
  ASSERT_NE(window.lastPopup(), nullptr);
  EXPECT_EQ(window.lastPopup()->objectName(), "RLs");
  EXPECT_EQ(FirstPopupItem(), "播放");
  EXPECT_FALSE(menus.Item("RLs", 1)->isEnabled());  // "下载" only while this row plays
  window.lastPopup()->close();

  QTest::mouseClick(View(0)->viewport(), Qt::RightButton, {}, RowCenter(0, 12));
  EXPECT_EQ(grid.selectedRow(), 12);
  EXPECT_EQ(window.lastPopup(), nullptr);  // a padding row has no menu
}

TEST_F(PlaylistWindowTest, MenuButtonsOpenTheMenuOfTheVisibleTab) {
  struct Case {
    int tab, button;
    QString menu, firstItem;
  } cases[] = {{0, 0, "mnuAdds", "添加文件"},   {0, 1, "mnuDels", "所选歌曲"},
               {0, 5, "ALists", "加载列表"},    {1, 0, "mnuOps", "至播放列表"},
               {1, 1, "mnuNone", "无可用操作"}, {1, 5, "mnuNone", "无可用操作"},
               {2, 0, "mnuNone", "无可用操作"}, {2, 1, "mnuNone", "无可用操作"},
               {2, 5, "mnuNone", "无可用操作"}};
  for (const Case& c : cases) {
    window.TabSel(c.tab);
    EXPECT_TRUE(View(c.tab)->isVisible());
    auto* button = window.findChild<SkinButton*>(QStringLiteral("mnu1_%1").arg(c.button));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    ASSERT_NE(window.lastPopup(), nullptr) << c.tab << c.button;
    EXPECT_EQ(window.lastPopup()->objectName(), c.menu) << c.tab << c.button;
    EXPECT_EQ(FirstPopupItem(), c.firstItem) << c.tab << c.button;
    window.lastPopup()->close();
  }
  // The chart tab shows its own panel in place of the other three.
  EXPECT_TRUE(window.findChild<QWidget*>("Picture6")->isVisible());
  EXPECT_FALSE(window.findChild<QWidget*>("Picture1")->isVisible());
  window.TabSel(0);
  EXPECT_FALSE(window.findChild<QWidget*>("Picture6")->isVisible());
  EXPECT_FALSE(View(2)->isVisible());
}

TEST_F(PlaylistWindowTest, RowMenuCommandsReachTheResultGridAndBack) {
  results.PadToMinRows();
  QSignalSpy activated(&window, &PlaylistWindow::ResultRowActivated);
  grid.SetSelectedRow(2);
  menus.Item("RLs", 8)->trigger();  // "地址失效?"
  EXPECT_EQ(window.currentTab(), 1);
  ASSERT_EQ(activated.count(), 1);
  const int row = activated[0][0].toInt();
  EXPECT_EQ(results.title(row), "two");
  EXPECT_EQ(results.cell(row, 2), "s2");

  // "至播放列表" needs the result row to be playing; then it adds the player's address.
  state.currentRow = row;
  state.playingGrid = PlayingGrid::Results;
  player.SetUrl("http://cdn/two.mp3", UrlOrigin::Web);
  player.SetState(PlayState::Paused);
  menus.Item("mnuOps", 0)->trigger();
  EXPECT_EQ(window.currentTab(), 1);
  player.SetState(PlayState::Playing);
  prompter.QueueAnswer(PromptAnswer::Ok);
  menus.Item("mnuOps", 0)->trigger();
  EXPECT_EQ(window.currentTab(), 0);
  EXPECT_EQ(prompter.asked().size(), 1);  // same title as row 2: the duplicate question
  EXPECT_EQ(grid.path(2), "http://cdn/two.mp3");
}

TEST_F(PlaylistWindowTest, ChartNamesLoadWithoutTheirNumbersAndMarkupStaysText) {
  menus.AddItem("BList", 0, "01. 新歌榜");
  menus.AddItem("BList", 1, "02. 经典老歌");
  window.LoadCharts();
  EXPECT_EQ(charts.rows(), 3);
  EXPECT_EQ(charts.title(2), "经典老歌");
  EXPECT_EQ(results.rows(), 20);

  window.TabSel(2);
  QSignalSpy opened(&window, &PlaylistWindow::ChartRowActivated);
  QTest::mouseDClick(View(2)->viewport(), Qt::LeftButton, {}, RowCenter(2, 2));
  ASSERT_EQ(opened.count(), 1);
  EXPECT_EQ(opened[0][0].toInt(), 2);
  EXPECT_EQ(charts.nowPlayRow(), 2);
  EXPECT_EQ(charts.selectedRow(), 0);

  // A title that looks like markup is painted as its own text.
  EXPECT_EQ(grid.index(2, 1).data().toString(), "<img src=/dev/zero>");
  window.TabSel(0);
  EXPECT_FALSE(View(0)->grab().isNull());
  EXPECT_EQ(window.loadsLabel()->textFormat(), Qt::PlainText);
}

// Drops on the real grid: files, a folder, a list file and addresses, each as its add command
// takes it; the result grid takes nothing.
TEST_F(PlaylistWindowTest, DroppedFilesFoldersListsAndAddressesAddRows) {
  dir.WriteFile("drop/a.mp3", "x");
  dir.WriteFile("drop/folder/b.wma", "x");
  dir.WriteFile("drop/folder/notes.txt", "x");
  dir.WriteFile("drop/lists/l.pls", "[playlist]\nFile1=../c.mp3\nTitle1=S - C\nLength1=61\n");
  const auto drop = [this](int tab, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = View(tab)->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View(tab)->viewport(), &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent event(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(View(tab)->viewport(), &event);
    return event.isAccepted();
  };
  const auto local = [this](const char* path) { return QUrl::fromLocalFile(dir.Path(path)); };
  EXPECT_FALSE(drop(1, {local("drop/a.mp3")}));
  prompter.QueueText("Live");
  prompter.QueueText("  ");  // a blank singer stands for an unknown one
  ASSERT_TRUE(drop(0, {local("drop/a.mp3"), local("drop/folder"), local("drop/lists/l.pls"),
                       QUrl("http://127.0.0.1/live"), QUrl("ftp://127.0.0.1/x.mp3"),
                       local("drop/missing.mp3")}));
  QStringList rows;
  for (int r = 4; r < grid.rows() && !grid.title(r).isEmpty(); ++r) {
    const SongEntry e = grid.entry(r);
    rows << e.title + "|" + e.singer + "|" + e.duration + "|" + e.path;
  }
  EXPECT_EQ(rows, QStringList({"a|未知|00:00|" + dir.Path("drop/a.mp3"),
                               "b|未知|00:00|" + dir.Path("drop/folder/b.wma"),
                               "C|S|01:01|" + QDir::cleanPath(dir.Path("drop/c.mp3")),
                               "Live|未知|00:00|http://127.0.0.1/live"}));
  EXPECT_TRUE(dir.ReadFile("playlist/default.lst").contains("http://127.0.0.1/live"));
}

}  // namespace
