// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/resultrowplayer.h"

#include <gtest/gtest.h>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTest>

#include "catalogue.h"
#include "common/gbk.h"
#include "config/appconfig.h"
#include "demoserver.h"
#include "musicpages.h"
#include "playback/monitorvalues.h"
#include "playback/playbackengine.h"
#include "playlist/songgridmodel.h"
#include "support/fakemediaplayer.h"
#include "support/loopbackhttpserver.h"
#include "support/printers.h"
#include "support/tempappdir.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"
#include "web/songsearch.h"

namespace {
const DemoCatalogue& Catalogue() {
  static const DemoCatalogue catalogue;
  return catalogue;
}

// The search and the result row play action against the demo service, with the real
// playback engine driving a scripted player.
class SearchAndPlayTest : public ::testing::Test {
 protected:
  SearchAndPlayTest()
      : fetcher(dir.paths(), config),
        playlistGrid(SongGridModel::Kind::Songs),
        results(SongGridModel::Kind::Songs),
        engine(player, config, playlistGrid, results),
        search(fetcher, hosts, config, results),
        rows(fetcher, hosts, config, engine, results) {
    RegisterMusicSearch(demo, Catalogue());
    demo.Listen(0);
    base = demo.baseUrl();
    hosts.PointAllAt(base);
    config.forceUpdate = false;
    results.Setup();
    engine.SetRowPlayAction(PlayingGrid::Results, rows.RowPlayAction());
    QObject::connect(&fetcher, &PageFetcher::RequestSent,
                     [this](int, const QString& a) { sent << a; });
    QObject::connect(&rows, &ResultRowPlayer::PlayStarted,
                     [this](int, const QString& a) { played << a; });
    QObject::connect(&rows, &ResultRowPlayer::ResolveFailed,
                     [this](int) { played << QStringLiteral("-"); });
  }

  void Search(const QString& key, int engineIndex) {
    config.searchEngine = engineIndex;
    QSignalSpy finished(&search, &SongSearch::Finished);
    ASSERT_TRUE(search.StartFromBox(key));
    ASSERT_TRUE(finished.wait(5000));
  }
  void Play(int row) {
    const qsizetype before = played.size();
    rows.MSF1_DblClick(row);
    ASSERT_TRUE(QTest::qWaitFor([&] { return played.size() > before; }, 5000));
  }
  web::EngineHosts rows_hosts() const {
    return {hosts.Host(ServiceHosts::kSogouSearch), hosts.Host(ServiceHosts::kSogouListen),
            hosts.Host(ServiceHosts::kBaiduSearch), hosts.Host(ServiceHosts::kSosoSearch)};
  }
  int Sent(const QString& part) const {
    int n = 0;
    for (const QString& a : sent) n += a.contains(part) ? 1 : 0;
    return n;
  }

  TempAppDir dir;
  AppConfig config;
  ServiceHosts hosts;
  DemoServer demo;
  QString base;
  PageFetcher fetcher;
  SongGridModel playlistGrid;
  SongGridModel results;
  FakeMediaPlayer player;
  PlaybackEngine engine;
  SongSearch search;
  ResultRowPlayer rows;
  QStringList sent;
  QStringList played;
};
}  // namespace

TEST_F(SearchAndPlayTest, EachEngineFillsTheResultGridFromThreePages) {
  QSignalSpy busy(&search, &SongSearch::BusyChanged);
  Search(QStringLiteral("林澈"), 0);
  ASSERT_EQ(sent.size(), 3);
  EXPECT_EQ(sent[0], base + QStringLiteral("/music.so?as=false&query=林澈&page=1&pf=&w=02009900"
                                           "&_asf=127.0.0.1"));
  EXPECT_TRUE(sent[2].contains(QStringLiteral("&page=3&")));
  EXPECT_EQ(results.title(1), QStringLiteral("月光码头"));
  EXPECT_EQ(results.cell(3, 1), QStringLiteral("海风(Live版)"));
  EXPECT_EQ(results.cell(3, 2), QStringLiteral("林澈"));
  EXPECT_EQ(results.cell(3, 3), QStringLiteral("00:00"));
  EXPECT_EQ(results.cell(3, 0), QStringLiteral("003"));
  EXPECT_TRUE(results.title(4).isEmpty());
  EXPECT_EQ(results.rows(), 20);
  ASSERT_EQ(busy.size(), 2);
  EXPECT_EQ(busy[0][0].toBool(), true);
  EXPECT_EQ(busy[0][1].toString(), QStringLiteral("Please wait while downloading..."));
  EXPECT_EQ(busy[1][0].toBool(), false);

  sent.clear();
  Search(QStringLiteral("苏晚晴"), 1);
  EXPECT_TRUE(sent[1].endsWith(QStringLiteral("&word=苏晚晴&pn=30&lm=-1")));
  EXPECT_EQ(results.title(1), QStringLiteral("雨巷来信"));
  EXPECT_EQ(results.title(3), QStringLiteral("小城晴天"));
  EXPECT_TRUE(results.title(4).isEmpty());

  Search(QStringLiteral("候鸟"), 2);
  EXPECT_EQ(results.rows(), 62);  // 60 rows of the typed words and the closing blank row
  EXPECT_EQ(results.title(60), QStringLiteral("候鸟"));
  EXPECT_EQ(results.cell(60, 2), QStringLiteral("未知"));

  EXPECT_FALSE(search.StartFromBox(QStringLiteral("  ")));
  EXPECT_FALSE(search.StartFromBox(QStringLiteral("输入歌名、歌手...")));
}

TEST_F(SearchAndPlayTest, SecondPageFailingTwiceEmptiesTheGridAndSaysWhy) {
  DemoServer flaky;
  flaky.AddRoute(QStringLiteral("/music.so"), [](const DemoRequest& r) {
    return DemoResponse::Html(r.Value(QStringLiteral("page")) == u"2" ? QStringLiteral("  ")
                                                                      : QStringLiteral("<a>x</a>"));
  });
  flaky.Listen(0);
  hosts.PointAllAt(flaky.baseUrl());
  config.forceUpdate = true;
  QSignalSpy failed(&search, &SongSearch::Failed);
  results.AppendRow({QStringLiteral("001"), QStringLiteral("旧行"), {}, {}, {}});
  Search(QStringLiteral("林澈"), 0);
  ASSERT_EQ(sent.size(), 3);
  EXPECT_TRUE(sent[1].contains(QStringLiteral("?fakeParam=")));
  EXPECT_FALSE(sent[2].contains(QStringLiteral("fakeParam")));  // the retry
  ASSERT_EQ(failed.size(), 1);
  EXPECT_EQ(failed[0][0].toString(), QStringLiteral("页面为空"));
  EXPECT_EQ(results.rows(), 20);
  for (int r = 1; r < results.rows(); ++r) EXPECT_TRUE(results.title(r).isEmpty()) << r;
}

TEST_F(SearchAndPlayTest, SogouHitPlaysAndADeadFirstCandidateMovesToTheNext) {
  QSignalSpy monitor(&rows, &ResultRowPlayer::MonitorCandidatesChanged);
  Search(QStringLiteral("月光码头"), 0);
  sent.clear();
  Play(1);
  EXPECT_EQ(played.last(), base + QStringLiteral("/audio/1-0.wav"));
  EXPECT_EQ(sent.first(), base + QStringLiteral("/music.so?w=02210201&query=月光码头&pf="));
  EXPECT_EQ(player.url(), base + QStringLiteral("/audio/1-0.wav"));
  EXPECT_EQ(player.origin(), UrlOrigin::Web);  // never a local file from a page
  EXPECT_EQ(engine.state().listKind, ListKind::WebResults);
  EXPECT_EQ(engine.state().playingGrid, PlayingGrid::Results);
  EXPECT_EQ(results.nowPlayRow(), 1);
  ASSERT_FALSE(monitor.isEmpty());
  EXPECT_EQ(monitor.last()[0].toStringList().value(0), QStringLiteral("...?id=1&m=0"));

  // That mirror is dead; the player reports the error and the engine's recovery replays
  // the row, which tries candidate 1 without searching again.
  player.SetState(PlayState::Ready);
  engine.OnPollTick();
  ASSERT_TRUE(QTest::qWaitFor([&] { return played.size() == 2; }, 5000));
  EXPECT_EQ(played.last(), base + QStringLiteral("/audio/1-1.wav"));
  EXPECT_EQ(engine.state().altAddressCount, 1);
  EXPECT_EQ(Sent(QStringLiteral("w=02210201")), 1);
}

TEST_F(SearchAndPlayTest, BaiduDecodeAndAnotherHitAbortingIt) {
  Search(QStringLiteral("林澈"), 1);
  Play(2);
  EXPECT_EQ(played.last(), base + QStringLiteral("/audio/5-0.wav"));

  // Choose row 1 and, while its decode page is on its way, row 3: only row 3 plays.
  rows.MSF1_DblClick(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return rows.decodeWaiting(); }, 5000));
  EXPECT_EQ(engine.statusLine(), QStringLiteral("解码百度地址..."));
  Play(3);
  QTest::qWait(100);
  EXPECT_EQ(played.size(), 2);
  EXPECT_EQ(played.last(), base + QStringLiteral("/audio/15-0.wav"));
  EXPECT_EQ(player.url(), played.last());
}

TEST_F(SearchAndPlayTest, SosoCandidatesPlayAsTheyAreAndRetriesSkipTheSearch) {
  config.sets[4] = true;
  config.mixSearch = true;
  Search(QStringLiteral("候鸟"), 2);
  results.SetCell(7, 1, QStringLiteral("候鸟(Live版)"));
  results.SetCell(7, 2, QStringLiteral("周沐未知"));
  sent.clear();
  Play(7);
  EXPECT_EQ(sent.first(), base + QStringLiteral("/music.cgi?w=候鸟 周沐&sc=mus&ch=w.m.soso&clz="));
  EXPECT_EQ(played.last(), base + QStringLiteral("/audio/11-0.wav"));
  for (int k = 1; k <= 4; ++k) {
    Play(7);
    EXPECT_EQ(played.last(), base + QStringLiteral("/audio/11-%1.wav").arg(k));
  }
  Play(7);  // past the five mirrors: no candidate, an empty address for the player
  EXPECT_EQ(played.last(), QStringLiteral("-"));
  EXPECT_EQ(engine.statusLine(), QStringLiteral("未找到可播放的地址"));  // not "正在分析..."
  EXPECT_EQ(sent.size(), 1);
  EXPECT_EQ(rows.candidateCount(), 20);
  // The monitor's row 16 picks candidate 0 again.
  rows.SetCurrentCandidate(16 - 17);
  Play(7);
  EXPECT_EQ(played.last(), base + QStringLiteral("/audio/11-0.wav"));

  // Another row starts over at candidate 0; the header and blank rows do nothing.
  Play(8);
  EXPECT_EQ(engine.state().altAddressCount, 0);
  EXPECT_EQ(sent.size(), 2);
  player.ClearCalls();
  rows.MSF1_DblClick(0);
  rows.MSF1_DblClick(61);
  EXPECT_TRUE(player.calls().isEmpty());
}

// A resolution still on its way when the user stops, or starts a playlist song, must not
// start when its page arrives.
TEST_F(SearchAndPlayTest, LateResolutionNeverWinsOverStopOrAPlaylistSong) {
  Search(QStringLiteral("候鸟"), 2);
  // The same candidate page, served late from another host.
  std::optional<web::FetchResult> page;
  fetcher.HttpGetBody(
      web::ResolveAddress(web::Engine::Soso, rows_hosts(), QStringLiteral("候鸟"), 3),
      QStringLiteral("GB2312"), nullptr, [&page](const web::FetchResult& r) { page = r; });
  ASSERT_TRUE(QTest::qWaitFor([&] { return page.has_value(); }, 5000));
  ASSERT_TRUE(page->text.contains(QStringLiteral("meta_info_")));
  LoopbackHttpServer slow;
  LoopbackHttpServer::Route late;
  late.body = common::EncodeGbk(page->text);
  late.delayMs = 300;
  slow.Set("/music.cgi", late);
  hosts.PointAllAt(slow.Url(QString()));

  for (int how = 0; how < 2; ++how) {
    player.ClearCalls();
    played.clear();
    rows.MSF1_DblClick(7 + how);  // another hit each time, so its candidates are fetched
    ASSERT_EQ(slow.RequestsFor("/music.cgi"), how) << "the resolution has not been asked yet";
    ASSERT_TRUE(QTest::qWaitFor([&] { return slow.RequestsFor("/music.cgi") == how + 1; }, 3000));
    if (how == 0) {
      engine.StopButton();
    } else {
      playlistGrid.AppendRow({QStringLiteral("001"), QStringLiteral("本地"), {}, {}, {}});
      engine.PrepareSong(PlayingGrid::Playlist, 1, ListKind::Playlist,
                         QStringLiteral("正在打开媒体..."));
      engine.PlayUrl(QStringLiteral("/music/local.mp3"));
    }
    QTest::qWait(700);
    EXPECT_TRUE(played.isEmpty()) << how;
    EXPECT_NE(player.url(), QStringLiteral("http://127.0.0.1:%1/audio/11-0.wav").arg(slow.port()));
    if (how == 1) {
      EXPECT_EQ(player.url(), QStringLiteral("/music/local.mp3"));
      EXPECT_EQ(engine.state().playingGrid, PlayingGrid::Playlist);
    }
  }
}

// The monitor marks the candidate being tried, shows the one chosen by hand, and lets go of
// the web song's candidates once a playlist song plays.
TEST_F(SearchAndPlayTest, MonitorFollowsTheTriedCandidate) {
  QSignalSpy current(&rows, &ResultRowPlayer::MonitorCurrentCandidate);
  QSignalSpy shown(&rows, &ResultRowPlayer::MonitorCandidatesChanged);
  Search(QStringLiteral("候鸟"), 2);
  Play(7);
  ASSERT_FALSE(current.isEmpty());
  EXPECT_EQ(current.last()[0].toInt(), 16);
  Play(7);
  EXPECT_EQ(current.last()[0].toInt(), 17);
  rows.SetCurrentCandidate(19 - 17);  // a double-click on the monitor's row 19
  Play(7);
  EXPECT_EQ(current.last()[0].toInt(), 19);
  EXPECT_EQ(played.last(), base + QStringLiteral("/audio/11-3.wav"));
  auto countRow = [this] {
    return playback::MonitorValues(config, engine.state())
        .filter(QStringLiteral("Manual="))
        .value(0);
  };
  EXPECT_TRUE(countRow().endsWith(QStringLiteral("Manual=3"))) << countRow().toStdString();
  ASSERT_FALSE(shown.isEmpty());
  EXPECT_FALSE(shown.last()[0].toStringList().value(0).isEmpty());

  rows.ForgetHit();
  EXPECT_EQ(current.last()[0].toInt(), 0);
  EXPECT_EQ(shown.last()[0].toStringList(), QStringList(20, QString()));
  EXPECT_TRUE(countRow().endsWith(QStringLiteral("Manual=0")));
  EXPECT_EQ(rows.candidateCount(), 0);
}

TEST(DemoService, AudioIsLongerThanAMinuteAndSomeMirrorsAreDead) {
  DemoServer demo;
  RegisterMusicSearch(demo, Catalogue());
  ASSERT_TRUE(demo.Listen(0));
  QNetworkAccessManager nam;
  auto get = [&](const QString& path, int* status) {
    QNetworkRequest request(QUrl(demo.baseUrl() + path));
    request.setTransferTimeout(500);
    QNetworkReply* reply = nam.get(request);
    EXPECT_TRUE(QTest::qWaitFor([&] { return reply->isFinished(); }, 3000));
    *status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QByteArray body = reply->readAll();
    reply->deleteLater();
    return body;
  };
  int status = 0;
  const QByteArray wav = get(QStringLiteral("/audio/2-0.wav"), &status);
  EXPECT_EQ(status, 200);
  ASSERT_TRUE(wav.startsWith("RIFF"));
  EXPECT_GT((wav.size() - 44) / 8000, 60);
  get(QStringLiteral("/audio/1-0.wav"), &status);
  EXPECT_EQ(status, 404);
  get(QStringLiteral("/audio/5-0.wav"), &status);
  EXPECT_EQ(status, 0);  // stalled: no answer before the transfer time-out
}
