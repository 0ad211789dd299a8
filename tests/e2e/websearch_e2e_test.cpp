// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program against the demo web service: a search typed into the main window fills
// the result tab, a double-click on a hit plays it through the real player, and a dead first
// link gives way to the next one.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/appcontext.h"
#include "catalogue.h"
#include "components/mediaplayer.h"
#include "demoserver.h"
#include "musicpages.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/songgridmodel.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/ui/monitorwindow.h"
#include "support/loopbackhttpserver.h"
#include "support/tempappdir.h"
#include "web/servicehosts.h"

namespace {

TEST(WebSearchEndToEnd, SearchDoubleClickPlaysThroughTheNextLinkWhenTheFirstIsDead) {
  DemoCatalogue catalogue;
  DemoServer server;
  RegisterMusicSearch(server, catalogue);
  ASSERT_TRUE(server.Listen(0));
  TempAppDir dir;
  ServiceHosts hosts;
  hosts.PointAllAt(server.baseUrl());
  ASSERT_TRUE(hosts.Save(dir.Path("bin/services.ini")));
  QTemporaryDir lockDir;

  AppContext app(dir.paths(), lockDir.path());
  QSignalSpy ready(&app, &AppContext::StartupFinished);
  app.Start();
  ASSERT_TRUE(ready.wait(5000));

  // 月光码头's first link answers 404 in the demo catalogue.
  QLineEdit* box = app.mainWindow()->searchBox();
  box->setText(QStringLiteral("月光码头"));
  QTest::keyClick(box, Qt::Key_Return);
  QTableView* results = app.playlistWindow()->grid(1);
  auto* model = qobject_cast<SongGridModel*>(results->model());
  ASSERT_NE(model, nullptr);
  ASSERT_TRUE(QTest::qWaitFor([&] { return model->title(1) == QStringLiteral("月光码头"); }, 10000));
  EXPECT_EQ(app.playlistWindow()->currentTab(), 1);
  EXPECT_TRUE(model->title(2).isEmpty()) << "one hit, no blank rows numbered as hits";

  const QRect cell = results->visualRect(model->index(0, 1));
  QTest::mouseClick(results->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(results->viewport(), Qt::LeftButton, {}, cell.center());

  MediaPlayer& player = app.player();
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == PlayState::Playing; }, 15000))
      << "state " << static_cast<int>(player.playState());
  EXPECT_GE(app.engine().state().altAddressCount, 1);
  EXPECT_FALSE(player.url().endsWith(QStringLiteral("-0.wav")));
  EXPECT_EQ(app.engine().state().playingGrid, PlayingGrid::Results);
  EXPECT_EQ(app.engine().state().currentRow, 1);
  // The monitor marks the candidate that plays.
  EXPECT_EQ(app.monitorWindow()->model().markedRow(), 16 + app.engine().state().altAddressCount);
  app.Shutdown();
}

// A search service that fails: the user sees the busy signs while it runs, then the reason on
// the status line, and keeps the words typed.
TEST(WebSearchEndToEnd, FailingServiceIsReportedAndTheBoxKeepsTheWords) {
  LoopbackHttpServer server;
  LoopbackHttpServer::Route broken;
  broken.status = "500 Internal Server Error";
  broken.body = "<html>down</html>";
  broken.delayMs = 300;
  server.Set("/music.so", broken);
  TempAppDir dir;
  ServiceHosts hosts;
  hosts.PointAllAt(server.Url(QString()));
  ASSERT_TRUE(hosts.Save(dir.Path("bin/services.ini")));
  QTemporaryDir lockDir;
  AppContext app(dir.paths(), lockDir.path());
  QSignalSpy ready(&app, &AppContext::StartupFinished);
  app.Start();
  ASSERT_TRUE(ready.wait(5000));

  QLineEdit* box = app.mainWindow()->searchBox();
  box->setText(QStringLiteral("love"));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(app.mainWindow()->cursor().shape(), Qt::BusyCursor);
  EXPECT_FALSE(app.playlistWindow()->loadsLabel()->isHidden());
  QWidget* resultView = app.playlistWindow()->grid(1)->viewport();
  EXPECT_EQ(resultView->cursor().shape(), Qt::BusyCursor);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return app.engine().statusLine() == QStringLiteral("服务器错误 500"); }, 10000))
      << app.engine().statusLine().toStdString();
  EXPECT_EQ(server.RequestsFor("/music.so"), 2);  // the first try and its retry
  EXPECT_EQ(box->text(), QStringLiteral("love"));
  EXPECT_NE(app.mainWindow()->cursor().shape(), Qt::BusyCursor);
  EXPECT_TRUE(app.playlistWindow()->loadsLabel()->isHidden());
  EXPECT_NE(resultView->cursor().shape(), Qt::BusyCursor);
  app.Shutdown();
}

}  // namespace
