// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program against the demo web service: a chart opened from the menu and from the
// chart-name grid fills the result tab and a hit plays; a radio station plays, its stream title
// shows, and a station that drops comes back by itself.
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <iostream>

#include "catalogue.h"
#include "chartpages.h"
#include "demoserver.h"
#include "musicpages.h"
#include "playback/radioreconnect.h"
#include "radiopages.h"
#include "support/apprun.h"
#include "web/chartloader.h"

namespace {

class ChartsEndToEnd : public AppRun {
 protected:
  void SetUp() override {
    RegisterMusicSearch(server, catalogue);
    RegisterChartPages(server, catalogue);
    RegisterRadioStations(server, catalogue, /*dropSeconds=*/3, /*titleSeconds=*/2);
    ASSERT_TRUE(server.Listen(0));
    PointServicesAt(server.baseUrl());
    const QString radio = dir.Path("bin/radiolist.ini");
    ASSERT_TRUE(QFile::copy(QStringLiteral(TW_DATA_DIR "/radiolist.ini"), radio));
    ASSERT_TRUE(PointRadioListAt(radio, server.baseUrl()));
  }

  DemoCatalogue catalogue;
  DemoServer server;
};

TEST_F(ChartsEndToEnd, ChartFromTheMenuAndFromTheNameGridThenAHitPlays) {
  auto run = Launch();
  AppContext& app = *run;
  SongGridModel& results = Grid(app, 1);
  const auto& songs = catalogue.songs();

  // Entry 2 (index 1) is chart site B's first chart; the demo lists songs from 3 on.
  QElapsedTimer clock;
  clock.start();
  Click(app, "BList", 1);
  EXPECT_FALSE(app.playlistWindow()->loadsLabel()->isHidden());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !app.charts().running(); }, 10000));
  std::cout << "chart click to filled grid: " << clock.elapsed() << " ms\n";
  EXPECT_EQ(app.playlistWindow()->currentTab(), 1);
  EXPECT_EQ(results.title(1), songs.at(3 % songs.size()).title);
  EXPECT_EQ(results.cell(1, 2), songs.at(3 % songs.size()).singer);
  EXPECT_TRUE(app.playlistWindow()->loadsLabel()->isHidden());

  // The name grid's first chart: its first answer is short, the second one is read.
  QTableView* names = app.playlistWindow()->grid(2);
  app.playlistWindow()->TabSel(2);
  ASSERT_EQ(Grid(app, 2).rows(), 48);
  DoubleClickRow(names, 1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !app.charts().running(); }, 10000));
  EXPECT_EQ(results.title(1), songs.at(0).title);
  EXPECT_TRUE(app.menus().IsChecked(QStringLiteral("BList"), 0));
  EXPECT_FALSE(app.menus().IsChecked(QStringLiteral("BList"), 1));

  DoubleClickRow(app.playlistWindow()->grid(1), 2);
  ASSERT_TRUE(WaitPlaying(app)) << app.engine().statusLine().toStdString();
  EXPECT_EQ(app.engine().state().listKind, ListKind::WebResults);
  EXPECT_EQ(app.engine().state().titleText, songs.at(1).title);
  app.Shutdown();
}

TEST_F(ChartsEndToEnd, StationPlaysShowsItsStreamTitleAndComesBackAfterADrop) {
  auto run = Launch();
  AppContext& app = *run;
  app.reconnect().SetFirstPauseMs(200);
  SongGridModel& results = Grid(app, 1);

  Click(app, "LoadBL", 1);
  QTableView* names = app.playlistWindow()->grid(2);
  EXPECT_EQ(Grid(app, 2).title(25), QStringLiteral("国外广播电台"));
  app.playlistWindow()->TabSel(2);
  DoubleClickRow(names, 1);
  ASSERT_EQ(results.title(4), QStringLiteral("中央断线测试台"));
  EXPECT_EQ(results.cell(4, 2), QStringLiteral("中央电台"));

  // The station that drops after three seconds.
  DoubleClickRow(app.playlistWindow()->grid(1), 4);
  ASSERT_TRUE(WaitPlaying(app, 10000)) << app.engine().statusLine().toStdString();
  EXPECT_EQ(app.engine().state().listKind, ListKind::Radio);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return app.engine().statusLine().contains(QStringLiteral(" ♪ ")); }, 8000))
      << app.engine().statusLine().toStdString();
  EXPECT_FALSE(app.engine().state().streamTitle.isEmpty());

  QSignalSpy reconnecting(&app.reconnect(), &RadioReconnect::Reconnecting);
  QStringList seen;
  QObject::connect(&app.engine(), &PlaybackEngine::StatusLineChanged,
                   [&seen](const QString& text) { seen << text; });
  ASSERT_TRUE(reconnecting.wait(10000));
  EXPECT_TRUE(seen.contains(QStringLiteral("重新连接中...")));
  ASSERT_TRUE(WaitPlaying(app, 10000)) << app.engine().statusLine().toStdString();
  EXPECT_EQ(app.engine().state().currentRow, 4) << "the same station, not the next one";
  app.Shutdown();
}

}  // namespace
