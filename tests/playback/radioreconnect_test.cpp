// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/radioreconnect.h"

#include <QTest>

#include "enginefixture.h"

namespace {

class RadioReconnectTest : public EngineFixture {
 protected:
  RadioReconnectTest() {
    resultKind = ListKind::Radio;
    Fill(results, 3);
    for (int row = 1; row <= 3; ++row)
      results.SetCell(row, 4, QStringLiteral("http://radio/%1").arg(row));
    reconnect.SetFirstPauseMs(20);
    engine.SetStreamEndHandler([this](bool failed) { return reconnect.OnStreamEnded(failed); });
  }

  void Tune(int row) {
    engine.PrepareSong(PlayingGrid::Results, row, ListKind::Radio,
                       QStringLiteral("正在连接媒体.. "));
    engine.PlayUrl(results.path(row));
    player.SetState(PlayState::Playing);
    reconnect.OnPlaying();
    player.ClearCalls();
  }
  // The stream ends by itself (or fails, for an error) and the engine's poll sees it.
  void End(PlayState how) {
    player.SetState(how);
    engine.OnPollTick();
  }
  int Reconnects() const { return static_cast<int>(player.calls().count("url:http://radio/2")); }

  RadioReconnect reconnect{engine, player};
};

TEST_F(RadioReconnectTest, DroppedStationComesBackThenGivesUp) {
  Tune(2);
  End(PlayState::Stopped);
  EXPECT_EQ(engine.statusLine(), QStringLiteral("重新连接中..."));
  EXPECT_EQ(Reconnects(), 0) << "the first try waits its pause";
  ASSERT_TRUE(QTest::qWaitFor([&] { return Reconnects() == 1; }, 1000));
  EXPECT_TRUE(resultStarted.isEmpty()) << "the play mode does not move to the next station";
  EXPECT_EQ(engine.state().currentRow, 2);

  // The server stays away: the remaining tries, then the user is told.
  for (int attempt = 2; attempt <= RadioReconnect::kTries; ++attempt) {
    End(PlayState::Ready);
    EXPECT_EQ(engine.statusLine(), QStringLiteral("重新连接中..."));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Reconnects() == attempt; }, 1000)) << attempt;
  }
  End(PlayState::Ready);
  EXPECT_EQ(engine.statusLine(), QStringLiteral("无法连接媒体"));
  QTest::qWait(200);
  EXPECT_EQ(Reconnects(), RadioReconnect::kTries);
}

TEST_F(RadioReconnectTest, ANewStationDuringThePauseWins) {
  Tune(2);
  End(PlayState::Stopped);
  Tune(3);
  QTest::qWait(100);
  EXPECT_EQ(Reconnects(), 0);
  EXPECT_EQ(engine.state().currentRow, 3);
}

TEST_F(RadioReconnectTest, AStationThatNeverPlayedIsNotRetried) {
  engine.PrepareSong(PlayingGrid::Results, 2, ListKind::Radio, QStringLiteral("正在连接媒体.. "));
  engine.PlayUrl(results.path(2));
  player.ClearCalls();
  EXPECT_FALSE(reconnect.OnStreamEnded(true));
  QTest::qWait(100);
  EXPECT_EQ(Reconnects(), 0);
}

}  // namespace
