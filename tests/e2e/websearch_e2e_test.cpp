// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program against the demo web service: a search typed into the main window fills
// the result tab, a double-click on a hit plays it through the real player, and a dead first
// link gives way to the next one.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "catalogue.h"
#include "config/menuform.h"
#include "demoserver.h"
#include "musicpages.h"
#include "playback/ui/mainwindow.h"
#include "shell/ui/monitorwindow.h"
#include "support/apprun.h"
#include "support/loopbackhttpserver.h"

namespace {

using WebSearchEndToEnd = AppRun;

TEST_F(WebSearchEndToEnd, SearchDoubleClickPlaysThroughTheNextLinkWhenTheFirstIsDead) {
  DemoCatalogue catalogue;
  DemoServer server;
  RegisterMusicSearch(server, catalogue);
  ASSERT_TRUE(server.Listen(0));
  PointServicesAt(server.baseUrl());
  auto app = Launch();

  // 月光码头's first link answers 404 in the demo catalogue.
  QLineEdit* box = app->mainWindow()->searchBox();
  box->setText(QStringLiteral("月光码头"));
  QTest::keyClick(box, Qt::Key_Return);
  SongGridModel& model = Grid(*app, 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return model.title(1) == QStringLiteral("月光码头"); }, 10000));
  EXPECT_EQ(app->playlistWindow()->currentTab(), 1);
  EXPECT_TRUE(model.title(2).isEmpty()) << "one hit, no blank rows numbered as hits";

  DoubleClickRow(app->playlistWindow()->grid(1), 1);
  ASSERT_TRUE(WaitPlaying(*app)) << "state " << static_cast<int>(app->player().playState());
  const PlaybackState& state = app->engine().state();
  EXPECT_GE(state.altAddressCount, 1);
  EXPECT_FALSE(app->player().url().endsWith(QStringLiteral("-0.wav")));
  EXPECT_EQ(state.playingGrid, PlayingGrid::Results);
  EXPECT_EQ(state.currentRow, 1);
  // The monitor, opened from its menu item after the song started, marks the candidate that
  // plays with the now-playing picture.
  QAction* monitorItem = app->menus().Item(QStringLiteral("mnuSorts"), 5);
  monitorItem->trigger();
  MonitorWindow* monitor = app->monitorWindow();
  EXPECT_TRUE(monitor->isVisible());
  EXPECT_TRUE(monitorItem->isChecked());
  const int marked = 16 + state.altAddressCount;
  EXPECT_EQ(monitor->model().markedRow(), marked);
  const QModelIndex markedName = monitor->grid()->model()->index(marked - 1, 0);
  EXPECT_FALSE(markedName.data(Qt::DecorationRole).value<QIcon>().isNull());
  monitorItem->trigger();
  EXPECT_FALSE(monitor->isVisible());
  app->Shutdown();
}

// A search service that fails: the user sees the busy signs while it runs, then the reason on
// the status line, and keeps the words typed.
TEST_F(WebSearchEndToEnd, FailingServiceIsReportedAndTheBoxKeepsTheWords) {
  LoopbackHttpServer server;
  LoopbackHttpServer::Route broken;
  broken.status = "500 Internal Server Error";
  broken.body = "<html>down</html>";
  broken.delayMs = 300;
  server.Set("/music.so", broken);
  PointServicesAt(server.Url(QString()));
  auto app = Launch();

  QLineEdit* box = app->mainWindow()->searchBox();
  box->setText(QStringLiteral("love"));
  QTest::keyClick(box, Qt::Key_Return);
  QWidget* resultView = app->playlistWindow()->grid(1)->viewport();
  auto expectBusy = [&](bool busy) {
    EXPECT_EQ(app->mainWindow()->cursor().shape() == Qt::BusyCursor, busy);
    EXPECT_EQ(resultView->cursor().shape() == Qt::BusyCursor, busy);
    EXPECT_EQ(app->playlistWindow()->loadsLabel()->isHidden(), !busy);
  };
  expectBusy(true);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return app->engine().statusLine() == QStringLiteral("服务器错误 500"); }, 10000))
      << app->engine().statusLine().toStdString();
  expectBusy(false);
  EXPECT_EQ(server.RequestsFor("/music.so"), 2);  // the first try and its retry
  EXPECT_EQ(box->text(), QStringLiteral("love"));
  app->Shutdown();
}

}  // namespace
