// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/songsearch.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <iostream>

#include "config/appconfig.h"
#include "playlist/songgridmodel.h"
#include "support/loopbackhttpserver.h"
#include "support/printers.h"
#include "support/tempappdir.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {
class SongSearchTest : public ::testing::Test {
 protected:
  SongSearchTest()
      : fetcher(dir.paths(), config),
        results(SongGridModel::Kind::Songs),
        search(fetcher, hosts, config, results) {
    hosts.PointAllAt(server.Url(QString()));
    config.forceUpdate = false;
    config.searchEngine = 0;
    results.Setup();
  }

  TempAppDir dir;
  AppConfig config;
  ServiceHosts hosts;
  LoopbackHttpServer server;
  PageFetcher fetcher;
  SongGridModel results;
  SongSearch search;
};
}  // namespace

// Whatever the search service does, the search ends within its deadline with words for the
// user, the memory stays flat and the box keeps what was typed.
TEST_F(SongSearchTest, MisbehavingServiceEndsTheSearchWithAReason) {
  // Each fetch may take 1.2 s; the search, retry included, only 2 s. TW_FETCH_REAL_TIMES=1
  // keeps the shipped timeouts, to measure the give-up times a user meets.
  const bool real = qEnvironmentVariableIsSet("TW_FETCH_REAL_TIMES");
  if (!real) {
    fetcher.SetTransferTimeout(700);
    fetcher.SetDeadline(1200);
    search.SetDeadline(2000);
  }
  for (const Misbehaviour& c : Misbehaviours(server, "/music.so")) {
    server.Set("/music.so", c.route);
    QSignalSpy failed(&search, &SongSearch::Failed);
    QSignalSpy finished(&search, &SongSearch::Finished);
    QSignalSpy busy(&search, &SongSearch::BusyChanged);
    const qint64 rssBefore = ProcStatusKiB("VmRSS");
    const bool peakReset = ResetMemoryPeak();
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(search.StartFromBox(QStringLiteral("love")));
    ASSERT_TRUE(finished.wait(real ? 30000 : 6000)) << c.name;
    const qint64 ms = clock.elapsed();
    const qint64 growth = (peakReset ? ProcStatusKiB("VmHWM") : ProcStatusKiB("VmRSS")) - rssBefore;
    std::cout << "[ figures  ] search, " << c.name << ": ended after " << ms << " ms, memory +"
              << growth / 1024.0 << " MiB\n";
    EXPECT_FALSE(finished[0][0].toBool()) << c.name;
    ASSERT_EQ(failed.size(), 1) << c.name;
    EXPECT_EQ(failed[0][0].toString(), QString::fromUtf8(c.message)) << c.name;
    EXPECT_LT(ms, real ? SongSearch::kDeadlineMs + 1000 : 3000) << c.name;
    EXPECT_LT(growth, kFetchGrowthLimitKiB) << c.name;
    EXPECT_FALSE(search.running());
    EXPECT_FALSE(busy.last()[0].toBool()) << c.name;
    EXPECT_EQ(results.rows(), 20) << c.name;
    EXPECT_FALSE(dir.ReadFile(QStringLiteral("scratch/temp.html")).contains("root:")) << c.name;
  }
}

// A newer search, or Cancel, stops the running one at once: its pages never land.
TEST_F(SongSearchTest, NewerSearchAndCancelEndTheRunningOne) {
  LoopbackHttpServer::Route late;
  late.body = "<a pb=t class=mr style=x o2('id=1');return(false);\" title=\"old\" action=x>";
  late.delayMs = 400;
  server.Set("/music.so", late);
  QSignalSpy finished(&search, &SongSearch::Finished);
  ASSERT_TRUE(search.StartFromBox(QStringLiteral("first")));
  QTest::qWait(50);
  search.Cancel();
  EXPECT_FALSE(search.running());
  EXPECT_EQ(fetcher.pendingCount(), 0);
  QTest::qWait(600);
  EXPECT_TRUE(finished.isEmpty());
  EXPECT_TRUE(results.title(1).isEmpty());

  ASSERT_TRUE(search.StartFromBox(QStringLiteral("second")));
  QTest::qWait(50);
  server.SetPage("/music.so",
                 "<a pb=t class=mr style=x o2('id=2');return(false);\" title=\"new\" action=x>");
  ASSERT_TRUE(search.StartFromBox(QStringLiteral("third")));
  ASSERT_TRUE(finished.wait(5000));
  QTest::qWait(500);  // the superseded page would have landed by now
  ASSERT_EQ(finished.size(), 1);
  EXPECT_TRUE(finished[0][0].toBool());
  EXPECT_EQ(results.title(1), QStringLiteral("new"));
  EXPECT_NE(results.title(4), QStringLiteral("old"));
}
