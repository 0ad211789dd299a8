// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Charts and radio as a user meets them: the whole program on a throw-away folder with the
// shipped station list and local chart, menu items triggered as a click would.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QLineEdit>

#include "common/gbk.h"
#include "common/textfile.h"
#include "playback/ui/mainwindow.h"
#include "support/apprun.h"
#include "support/loopbackhttpserver.h"
#include "web/chartloader.h"
#include "web/radiostations.h"
#include "web/songsearch.h"

namespace {

class ChartsJourney : public AppRun {
 protected:
  void SetUp() override { PointServicesAt(server.Url(QString())); }
  void Ship(const char* name) {
    ASSERT_TRUE(QFile::copy(QStringLiteral(TW_DATA_DIR "/") + QLatin1String(name),
                            dir.Path(QStringLiteral("bin/") + QLatin1String(name))));
  }

  LoopbackHttpServer server;
};

TEST_F(ChartsJourney, ShippedStationsAndLocalChartLoadFromTheMenus) {
  Ship("radiolist.ini");
  Ship("wowlist.jc");
  auto app = Launch();
  SongGridModel& results = Grid(*app, 1);
  ASSERT_TRUE(app->radio().loaded());
  EXPECT_EQ(app->menus().Count(QStringLiteral("BList")), 47);
  EXPECT_EQ(app->menus().Count(QStringLiteral("DList")), 25);

  Click(*app, "BList", 21);
  EXPECT_EQ(results.rows(), 101) << "the shipped local chart holds 100 songs";
  EXPECT_EQ(results.title(1), "Ember River");
  EXPECT_EQ(results.cell(1, 2), "Sable Winds");
  EXPECT_EQ(app->playlistWindow()->currentTab(), 1);

  // Every category but the one left out of the shipped file lists stations.
  for (int k = 0; k < 25; ++k) {
    Click(*app, "DList", k);
    EXPECT_EQ(results.title(1).isEmpty(), k == 20) << k;
    EXPECT_EQ(results.rows(), 20) << k;
  }
  EXPECT_TRUE(app->menus().IsChecked(QStringLiteral("DList"), 24));
  EXPECT_FALSE(app->menus().IsChecked(QStringLiteral("BList"), 21));

  // The chart-name grid's own menu switches its list; the list already shown stays as it is.
  auto* names = qobject_cast<SongGridModel*>(app->playlistWindow()->grid(2)->model());
  Click(*app, "ZRL", 2);
  EXPECT_EQ(names->title(1), QStringLiteral("中央广播电台"));
  names->SetCell(1, 1, QStringLiteral("标记"));
  Click(*app, "LoadBL", 1);
  EXPECT_EQ(names->title(1), QStringLiteral("标记"));
  Click(*app, "ZRL", 1);
  EXPECT_EQ(names->title(1), QStringLiteral("去听去听热门歌曲"));
  app->Shutdown();
}

TEST_F(ChartsJourney, StationAddressesOutsideTheAllowedSchemesAreRefused) {
  ASSERT_TRUE(common::WriteTextFile(
      dir.Path("bin/radiolist.ini"),
      {"[zhongyang]", "本地=file:///etc/passwd", "路径=/etc/passwd", "插件=av://lavfi:sine"}));
  auto app = Launch();
  SongGridModel& results = Grid(*app, 1);
  Click(*app, "DList", 0);
  ASSERT_EQ(results.title(3), QStringLiteral("插件"));
  for (int row = 1; row <= 3; ++row) {
    app->engine().ShowStatus(QString());
    results.SetSelectedRow(row);
    Click(*app, "BRL", 0);  // the row menu's play
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return app->engine().statusLine() == QStringLiteral("无法连接媒体"); }, 5000))
        << row << " " << app->engine().statusLine().toStdString();
    EXPECT_TRUE(app->player().url().isEmpty()) << app->player().url().toStdString();
  }
  app->Shutdown();
}

TEST_F(ChartsJourney, TheNewestChartOrSearchOwnsTheResultGrid) {
  LoopbackHttpServer::Route slowChart;
  slowChart.delayMs = 400;
  slowChart.body = common::EncodeGbk(
      QStringLiteral("第1组歌曲<a href=1 target=_blank>旧榜</a><font color=#3866af>人</font>") +
      QString(1200, u' '));
  server.Set("/music101.htm", slowChart);
  LoopbackHttpServer::Route slowSearch;
  slowSearch.delayMs = 400;
  slowSearch.status = "500 Internal Server Error";
  slowSearch.body = "<html>down</html>";
  server.Set("/music.so", slowSearch);
  ASSERT_TRUE(
      common::WriteTextFile(dir.Path("bin/radiolist.ini"), {"[zhongyang]", "中国之声=http://h/1"}));
  server.SetPage("/music100.htm",
                 common::EncodeGbk(QStringLiteral("第1组歌曲<a href=1 target=_blank>新榜</a><font "
                                                  "color=#3866af>人</font>") +
                                   QString(1200, u' ')));
  auto app = Launch();
  SongGridModel& results = Grid(*app, 1);

  // A search while a chart loads: the chart never writes its rows.
  Click(*app, "BList", 1);
  QLineEdit* box = app->mainWindow()->searchBox();
  box->setText(QStringLiteral("love"));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_FALSE(app->charts().running());
  QTest::qWait(1200);
  EXPECT_NE(results.title(1), QStringLiteral("旧榜"));
  EXPECT_EQ(app->engine().statusLine(), QStringLiteral("服务器错误 500"));

  // A chart while a search runs: the search is dropped and tells nothing.
  app->engine().ShowStatus(QString());
  QTest::keyClick(box, Qt::Key_Return);
  Click(*app, "BList", 2);
  EXPECT_FALSE(app->search().running());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !app->charts().running(); }, 5000));
  QTest::qWait(800);
  EXPECT_EQ(results.title(1), QStringLiteral("新榜"));
  EXPECT_TRUE(app->engine().statusLine().isEmpty()) << app->engine().statusLine().toStdString();

  // A radio category while a chart loads: the stations stay and the busy label goes.
  Click(*app, "BList", 1);
  Click(*app, "DList", 0);
  EXPECT_TRUE(app->playlistWindow()->loadsLabel()->isHidden());
  QTest::qWait(800);
  EXPECT_EQ(results.title(1), QStringLiteral("中国之声"));
  app->Shutdown();
}

}  // namespace
