// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The music-video commands against the demo site: searching over its pages, resolving a hit
// through the server table, and the player's states on the status line.
#include "extras/musicvideo.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "catalogue.h"
#include "config/appconfig.h"
#include "config/menuform.h"
#include "demoserver.h"
#include "extras/mtvhitmodel.h"
#include "mtvpages.h"
#include "support/fakemediaplayer.h"
#include "support/tempappdir.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {

class MusicVideoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterMtvPages(server, catalogue);
    ASSERT_TRUE(server.Listen(0));
    hosts.PointAllAt(server.baseUrl());
    QObject::connect(&fetcher, &PageFetcher::RequestSent,
                     [this](int, const QString& address) { requests << address; });
  }

  bool SearchDone() {
    return QTest::qWaitFor([&] { return !mtv.searching(); }, 10000);
  }
  bool Search(const QString& words) {
    mtv.SearchMTV(words);
    return SearchDone();
  }
  // Waits for the resolution of a played row to reach the player or the status line.
  bool Resolved() {
    return QTest::qWaitFor(
        [&] {
          return player.calls().contains(QStringLiteral("play")) ||
                 mtv.statusText() == QStringLiteral("对不起,MTV地址查询失败");
        },
        10000);
  }

  DemoCatalogue catalogue;
  DemoServer server;
  ServiceHosts hosts;
  TempAppDir dir;
  AppConfig config;
  PageFetcher fetcher{dir.paths(), config};
  FakeMediaPlayer player;
  MtvHitModel hits;
  MusicVideo mtv{fetcher, hosts, player, hits};
  QStringList requests;
};

TEST_F(MusicVideoTest, SearchReadsEveryPageOfTheTotal) {
  QSignalSpy loading(&mtv, &MusicVideo::LoadingChanged);
  ASSERT_TRUE(Search(QStringLiteral("MV")));
  EXPECT_EQ(hits.listed(), 44);
  EXPECT_EQ(requests.size(), 3);
  EXPECT_TRUE(
      requests.last().endsWith(QStringLiteral("/mtv/search.php?search=1&keywords=MV&page=3")))
      << requests.last().toStdString();
  EXPECT_EQ(mtv.countText(), QStringLiteral("共找到 44 条相关信息"));
  EXPECT_EQ(hits.data(hits.index(0, 0), Qt::DisplayRole).toString(), QStringLiteral("001"));
  EXPECT_EQ(hits.hit(1).title, QStringLiteral("月光码头 MV"));
  EXPECT_EQ(hits.hit(44).title, QStringLiteral("星光下的约定 现场版"));
  ASSERT_EQ(loading.size(), 2);
  EXPECT_FALSE(loading.last().at(0).toBool());
}

TEST_F(MusicVideoTest, LyingTotalFetchesNoMoreThanTheCap) {
  ASSERT_TRUE(Search(QStringLiteral("巨量")));
  EXPECT_EQ(requests.size(), extras::kMaxMtvPages);
  EXPECT_EQ(mtv.countText(), QStringLiteral("共找到 32767 条相关信息"));
  EXPECT_EQ(hits.listed(), 44);
}

TEST_F(MusicVideoTest, NothingFoundOrNoServerShowsTheFailureTexts) {
  hits.Append({QStringLiteral("旧的"), QStringLiteral("歌手"), QStringLiteral("http://x/1")});
  ASSERT_TRUE(Search(QStringLiteral("无此歌曲")));
  EXPECT_EQ(mtv.statusText(), QStringLiteral("信息获取失败,无此MTV或者您可能遇到网络故障."));
  EXPECT_EQ(mtv.countText(), QStringLiteral("共找到 0 条相关信息"));
  EXPECT_EQ(hits.listed(), 1) << "a failed search leaves the grid as it was";
  hosts.SetHost(ServiceHosts::kMtvSite, QStringLiteral("http://127.0.0.1:1"));
  ASSERT_TRUE(Search(QStringLiteral("MV")));
  EXPECT_EQ(mtv.statusText(), QStringLiteral("信息获取失败,无此MTV或者您可能遇到网络故障."));
}

TEST_F(MusicVideoTest, BoxSearchSkipsBlankAndPlaceholderAndStopsThePlayerFirst) {
  EXPECT_FALSE(mtv.SearchFromBox(QStringLiteral("   ")));
  EXPECT_FALSE(mtv.SearchFromBox(QStringLiteral("输入歌名/ 歌手名...")));
  EXPECT_TRUE(requests.isEmpty());
  EXPECT_TRUE(mtv.SearchFromBox(QStringLiteral("  林澈 ")));
  EXPECT_EQ(player.calls(), QStringList{QStringLiteral("stop")});
  ASSERT_TRUE(SearchDone());
  EXPECT_EQ(hits.listed(), 6);
}

TEST_F(MusicVideoTest, RowsResolveThroughTheTableTheFallbackOrNotAtAll) {
  const QString base = server.baseUrl();
  struct Case {
    const char* words;
    int row;
    QString played;  // empty: refused
  } cases[] = {
      {"青石板路", 1, base + "/video/mv1.wmv"},  // s1 in the table
      {"候鸟", 1, base + "/mtv/mv3.wmv"},        // s9 missing: the fallback server
      {"星河渡口", 2, QString()},                // s6 maps to a file: address
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(Search(QString::fromUtf8(c.words)));
    player.ClearCalls();
    ASSERT_TRUE(mtv.PlayRow(c.row)) << c.words;
    EXPECT_EQ(mtv.statusText(), QStringLiteral("信息获取中,请稍候..."));
    EXPECT_EQ(mtv.currentRow(), c.row);
    ASSERT_TRUE(Resolved()) << c.words;
    if (c.played.isEmpty()) {
      EXPECT_EQ(mtv.statusText(), QStringLiteral("对不起,MTV地址查询失败"));
      EXPECT_FALSE(player.calls().join(u' ').contains(QStringLiteral("url:"))) << c.words;
    } else {
      EXPECT_EQ(player.calls(), (QStringList{"stop", "url:" + c.played, "play"})) << c.words;
      EXPECT_EQ(player.origin(), UrlOrigin::Web);
    }
  }
  EXPECT_EQ(mtv.nowPlaying(), QStringLiteral("正在播放: 星河渡口 现场版 --- 苏晚晴"));
}

TEST_F(MusicVideoTest, HeaderBlankAndOutsideRowsDoNothing) {
  ASSERT_TRUE(Search(QStringLiteral("林澈")));
  player.ClearCalls();
  const int before = requests.size();
  for (int row : {0, 7, 8, 100, -1}) EXPECT_FALSE(mtv.PlayRow(row)) << row;
  QTest::qWait(50);
  EXPECT_EQ(requests.size(), before);
  EXPECT_TRUE(player.calls().isEmpty());
}

TEST_F(MusicVideoTest, PlayerStatesOnTheStatusLine) {
  ASSERT_TRUE(Search(QStringLiteral("青石板路")));
  ASSERT_TRUE(mtv.PlayRow(1));
  ASSERT_TRUE(Resolved());
  QSignalSpy started(&mtv, &MusicVideo::VideoStarted);
  QSignalSpy finished(&mtv, &MusicVideo::VideoFinished);
  const std::pair<PlayState, const char*> table[] = {
      {PlayState::Transitioning, "连接媒体..."},
      {PlayState::Playing, "正在播放: 青石板路 MV --- 陈野"},
      {PlayState::Paused, "播放已暂停"},
      {PlayState::Ready, "媒体错误"},
      {PlayState::Stopped, "播放已停止"},
  };
  for (const auto& [state, text] : table) {
    player.SetState(state);
    EXPECT_EQ(mtv.statusText(), QString::fromUtf8(text)) << static_cast<int>(state);
  }
  EXPECT_EQ(started.size(), 1);
  EXPECT_EQ(finished.size(), 2);  // the error and the stop

  player.SetBuffering(37);
  player.SetState(PlayState::Buffering);
  EXPECT_TRUE(mtv.bufferingShown());
  mtv.OnBufferTick();
  EXPECT_EQ(mtv.statusText(), QStringLiteral("缓冲处理: 37%"));
  player.SetState(PlayState::Playing);
  EXPECT_FALSE(mtv.bufferingShown());
}

TEST_F(MusicVideoTest, PlayerMenuAndClose) {
  MenuForm menus;
  MusicVideo::AddMenus(menus);
  EXPECT_EQ(menus.Item(MusicVideo::kPlayerMenu, 2)->text(), QStringLiteral("全屏"));
  EXPECT_EQ(menus.Item(MusicVideo::kHitMenu, 1)->text(), QStringLiteral("下载"));
  QSignalSpy fullScreen(&mtv, &MusicVideo::FullScreenWanted);
  QSignalSpy download(&mtv, &MusicVideo::DownloadWanted);
  mtv.abc1_Click(MusicVideo::PlayerItem::FullScreen);
  EXPECT_EQ(fullScreen.size(), 0) << "full screen only while a video plays";

  ASSERT_TRUE(Search(QStringLiteral("青石板路")));
  ASSERT_TRUE(mtv.PlayRow(1));
  ASSERT_TRUE(Resolved());
  player.SetState(PlayState::Playing);
  player.ClearCalls();
  mtv.abc1_Click(MusicVideo::PlayerItem::FullScreen);
  EXPECT_EQ(fullScreen.size(), 1);
  mtv.abc1_Click(MusicVideo::PlayerItem::PlayPause);
  player.SetState(PlayState::Paused);
  mtv.abc1_Click(MusicVideo::PlayerItem::PlayPause);
  EXPECT_EQ(player.calls(), (QStringList{"pause", "play"}));
  mtv.MTV001_Click(MusicVideo::HitItem::Download);
  ASSERT_EQ(download.size(), 1);
  EXPECT_EQ(download[0][0].toString(), QStringLiteral("青石板路 MV"));
  EXPECT_TRUE(download[0][1].toString().endsWith(QStringLiteral("/video/mv1.wmv")));
  player.ClearCalls();
  mtv.Close();
  EXPECT_EQ(player.calls(), QStringList{QStringLiteral("stop")});
}

}  // namespace
