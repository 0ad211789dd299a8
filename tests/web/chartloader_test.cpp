// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/chartloader.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include "common/gbk.h"
#include "common/textfile.h"
#include "config/appconfig.h"
#include "config/menuform.h"
#include "playlist/songgridmodel.h"
#include "support/loopbackhttpserver.h"
#include "support/printers.h"
#include "support/tempappdir.h"
#include "web/pagefetcher.h"
#include "web/radiostations.h"
#include "web/servicehosts.h"

namespace {

// A chart site B page with `hits` items, padded past the short-page limit unless `shortPage`.
QByteArray SiteBPage(const QString& prefix, int hits, bool shortPage = false) {
  QString page = QStringLiteral("<html>第1组歌曲");
  for (int i = 1; i <= hits; ++i)
    page += QStringLiteral("<a href='p' target=_blank>%1%2</a><font color=#3866af>人</font>#95d889")
                .arg(prefix)
                .arg(i);
  page += QStringLiteral("联系本站");
  if (!shortPage) page += QString(1200, u' ') + QStringLiteral("</html>");
  return common::EncodeGbk(page);
}

class ChartLoaderTest : public ::testing::Test {
 protected:
  ChartLoaderTest()
      : fetcher(dir.paths(), config),
        results(SongGridModel::Kind::Songs),
        names(SongGridModel::Kind::Charts),
        charts(fetcher, hosts, config, dir.paths(), menus, results, names) {
    hosts.PointAllAt(server.Url(QString()));
    config.forceUpdate = true;
    charts.CreateMenu();
    results.Setup();
  }

  // Runs chart index and waits for its end.
  void Open(int index) {
    QSignalSpy finished(&charts, &ChartLoader::Finished);
    charts.BList_Click(index);
    ASSERT_TRUE(finished.count() > 0 || finished.wait(5000));
  }

  TempAppDir dir;
  AppConfig config;
  ServiceHosts hosts;
  LoopbackHttpServer server;
  PageFetcher fetcher;
  MenuForm menus;
  SongGridModel results, names;
  ChartLoader charts;
};

TEST_F(ChartLoaderTest, ShortPageIsFetchedAgainWithoutTheCacheBuster) {
  server.SetPage("/music101.htm", SiteBPage("短", 1, true));
  QSignalSpy busy(&charts, &ChartLoader::BusyChanged);
  Open(1);
  ASSERT_EQ(server.RequestsFor("/music101.htm"), 2);
  EXPECT_TRUE(server.requestLines().at(0).contains("fakeParam="));
  EXPECT_FALSE(server.requestLines().at(1).contains("fakeParam="));
  EXPECT_EQ(results.title(1), QStringLiteral("短1"));
  EXPECT_EQ(results.cell(1, 0), "001");
  EXPECT_EQ(results.rows(), 20);
  EXPECT_TRUE(menus.IsChecked("BList", 1));
  EXPECT_EQ(charts.listTitle(), QStringLiteral("127.0.0.1音乐排行榜"));
  ASSERT_GE(busy.count(), 2);
  EXPECT_TRUE(busy.first().at(0).toBool());
  EXPECT_FALSE(busy.last().at(0).toBool());
}

TEST_F(ChartLoaderTest, PagesWithoutHitsOrThatFailLeaveTwentyEmptyRows) {
  server.SetPage("/music100.htm", common::EncodeGbk(QString(2000, u'x')));
  Open(2);
  EXPECT_EQ(server.RequestsFor("/music100.htm"), 1);
  EXPECT_EQ(results.rows(), 20);
  EXPECT_EQ(results.RemoveBlankRows(), 19);

  results.Setup();
  server.SetPage("/music103.htm", "oops", "500 Internal Server Error");
  Open(3);
  ASSERT_EQ(server.RequestsFor("/music103.htm"), 2);
  EXPECT_FALSE(server.requestLines().last().contains("fakeParam="));
  EXPECT_EQ(results.rows(), 20);
  EXPECT_FALSE(charts.running());
}

TEST_F(ChartLoaderTest, NewerChartReplacesOneStillLoading) {
  LoopbackHttpServer::Route slow;
  slow.body = SiteBPage("旧", 5);
  slow.delayMs = 300;
  server.Set("/music101.htm", slow);
  server.SetPage("/music100.htm", SiteBPage("新", 3));
  QSignalSpy finished(&charts, &ChartLoader::Finished);
  charts.BList_Click(1);
  charts.BList_Click(2);
  ASSERT_TRUE(finished.wait(5000));
  QTest::qWait(500);  // past the older page's answer
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished.at(0).at(0).toInt(), 2);
  for (int row = 1; row < results.rows(); ++row)
    EXPECT_FALSE(results.title(row).startsWith(QStringLiteral("旧"))) << row;
  EXPECT_EQ(results.title(3), QStringLiteral("新3"));
  EXPECT_FALSE(menus.IsChecked("BList", 1));
  EXPECT_TRUE(menus.IsChecked("BList", 2));
}

TEST_F(ChartLoaderTest, RadioCategoryLoadsFromMemory) {
  RadioStations radio(dir.paths(), menus, results);
  radio.CreateMenu();
  radio.DList_Click(0);
  EXPECT_EQ(results.rows(), 2) << "without the file a category does nothing";

  QDir().mkpath(dir.Path("bin"));
  ASSERT_TRUE(common::WriteTextFile(dir.Path("bin/radiolist.ini"),
                                    {"[zhongyang]", "中国之声=http://h/1", "经济之声=http://h/2",
                                     "[shanghai]", "东方=http://h/3"}));
  ASSERT_TRUE(radio.Load());
  ASSERT_TRUE(QFile::remove(dir.Path("bin/radiolist.ini")));
  for (int pass = 0; pass < 2; ++pass) {
    radio.DList_Click(0);
    ASSERT_EQ(results.rows(), 20) << pass;
    EXPECT_EQ(results.title(2), QStringLiteral("经济之声"));
    EXPECT_EQ(results.cell(2, 2), QStringLiteral("中央电台"));
    EXPECT_EQ(results.path(2), "http://h/2");
    EXPECT_TRUE(results.title(3).isEmpty());
  }
  EXPECT_TRUE(menus.IsChecked("DList", 0));
  radio.DList_Click(24);
  EXPECT_EQ(results.rows(), 20);
  EXPECT_EQ(results.RemoveBlankRows(), 19) << "a missing section shows an empty grid";
  EXPECT_FALSE(menus.IsChecked("DList", 0));
  EXPECT_TRUE(menus.IsChecked("DList", 24));
}

}  // namespace
