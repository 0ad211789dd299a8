// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>

#include "playback/enginefixture.h"

namespace {

// ---- End of song by play mode ---------------------------------------------------------

struct EndCase {
  int mode;
  int songs;
  int padTo;  // 0: the last song is the grid's last row
  int playing;
  int expectedRow;  // 0: nothing new starts
  bool replay;
};

class EndOfSongTest : public EngineFixture, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndOfSongTest, PlayModeDecidesWhatFollows) {
  const EndCase c = GetParam();
  config.playMode = c.mode;
  randoms = {0.0};
  Fill(playlist, c.songs, c.padTo);
  PlayRow(c.playing);
  EndSong();
  EXPECT_EQ(engine.statusLine(),
            c.expectedRow ? QStringLiteral("正在打开媒体...") : QStringLiteral("停止播放"));
  if (c.expectedRow) {
    EXPECT_EQ(started, QList<int>{c.expectedRow});
    EXPECT_TRUE(player.calls().contains(QStringLiteral("url:/music/%1.mp3").arg(c.expectedRow)));
  } else {
    EXPECT_TRUE(started.isEmpty());
    EXPECT_EQ(player.calls().contains(QStringLiteral("play")), c.replay);
  }
  EXPECT_EQ(engine.pollTimerActive(), c.expectedRow != 0 || c.replay);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, EndOfSongTest,
    ::testing::Values(EndCase{0, 3, 20, 2, 0, false},    // one song, then stop
                      EndCase{1, 3, 20, 2, 0, true},     // the loaded song again, no row change
                      EndCase{2, 3, 0, 3, 0, false},     // after the last row nothing plays
                      EndCase{2, 3, 20, 3, 0, false},    // nor after the last song of a padded grid
                      EndCase{2, 3, 0, 2, 3, false},     // down the list
                      EndCase{3, 3, 0, 3, 1, false},     // wraps to row 1
                      EndCase{3, 3, 20, 3, 1, false},    // the next title is empty: row 1
                      EndCase{4, 1, 20, 1, 1, false}));  // random on one song replays it

TEST_F(EngineFixture, UserStopDoesNotAdvanceAndLeavesNothingTicking) {
  config.playMode = 3;
  Fill(playlist, 3);
  PlayRow(1);
  EXPECT_TRUE(engine.pollTimerActive());
  engine.StopButton();
  EXPECT_FALSE(engine.pollTimerActive());
  EXPECT_FALSE(engine.statusTimerActive());
  // Even a poll that was already on its way finds no end of song.
  engine.OnPollTick();
  EXPECT_TRUE(started.isEmpty());
  EXPECT_EQ(engine.statusLine(), QStringLiteral("停止播放"));
  EXPECT_EQ(engine.timeText(), QStringLiteral("00:00"));
  EXPECT_EQ(engine.knobLeft(), 240);
}

TEST_F(EngineFixture, IdleEngineRunsNoTimers) {
  EXPECT_FALSE(engine.pollTimerActive());
  EXPECT_FALSE(engine.statusTimerActive());
  config.playMode = 0;
  Fill(playlist, 2);
  PlayRow(1);
  EXPECT_TRUE(engine.statusTimerActive());
  EndSong();
  EXPECT_FALSE(engine.pollTimerActive());
  EXPECT_FALSE(engine.statusTimerActive());
}

TEST_F(EngineFixture, TransportButtonsStepThroughTheList) {
  config.playMode = 3;
  Fill(playlist, 3);
  PlayRow(1);
  engine.PickSong(1);  // previous from row 1: the last titled row
  EXPECT_EQ(started, QList<int>{3});
  engine.PickSong(2);
  EXPECT_EQ(started, (QList<int>{3, 1}));
  EXPECT_EQ(playlist.selectedRow(), 1);
}

TEST_F(EngineFixture, EmptyListStopsInsteadOfPicking) {
  Fill(playlist, 1);
  PlayRow(1);
  playlist.SetCell(1, 1, QStringLiteral("  "));
  for (int action : {1, 2, 4}) engine.PickSong(action);
  EXPECT_TRUE(started.isEmpty());
  EXPECT_EQ(player.playState(), PlayState::Stopped);
  EXPECT_FALSE(engine.pollTimerActive());
}

// ---- Dead links, time-outs and the ready state ----------------------------------------

TEST_F(EngineFixture, ShortWebClipReplaysThroughItsNextAddress) {
  Fill(results, 5);
  results.SetSelectedRow(4);
  engine.PrepareSong(PlayingGrid::Results, 4, ListKind::WebResults, QString());
  engine.PlayUrl(QStringLiteral("http://a/1.mp3"));
  player.SetDuration(45);
  player.SetState(PlayState::Playing);
  engine.OnPollTick();
  EXPECT_EQ(resultStarted, QList<int>{4});
  EXPECT_TRUE(started.isEmpty());
}

TEST_F(EngineFixture, DeadLinkTestNeedsSets1) {
  config.sets[1] = false;
  Fill(playlist, 3);
  PlayRow(1, 45);
  engine.OnPollTick();
  EXPECT_FALSE(engine.recoveryPending());
  EXPECT_EQ(engine.statusLine(), QStringLiteral("001. 歌1 ----- 歌手1"));
}

TEST_F(EngineFixture, ShortPlaylistClipWaitsThenPlaysTheNextSong) {
  Fill(playlist, 3);
  PlayRow(1, 45);
  engine.OnPollTick();
  EXPECT_EQ(engine.statusLine(), QStringLiteral("阻止弹窗,1秒后切换下一首"));
  EXPECT_TRUE(engine.recoveryPending());
  EXPECT_TRUE(started.isEmpty());  // not before the wait
  EXPECT_TRUE(QTest::qWaitFor([this] { return !started.isEmpty(); }, 1000));
  EXPECT_EQ(started, QList<int>{2});
}

TEST_F(EngineFixture, StopDuringTheRecoveryWaitCancelsIt) {
  engine.SetRecoveryWaitMs(30);
  Fill(playlist, 3);
  PlayRow(1, 45);
  engine.OnPollTick();
  ASSERT_TRUE(engine.recoveryPending());
  engine.StopButton();
  QTest::qWait(80);
  EXPECT_TRUE(started.isEmpty());
}

TEST_F(EngineFixture, ReadyStateMarksThePlaylistRowRedAndMovesOn) {
  Fill(playlist, 3);
  PlayRow(2);
  player.SetState(PlayState::Ready);
  engine.OnPollTick();
  EXPECT_EQ(engine.statusLine(), QStringLiteral("媒体错误,1秒后切换下一首"));
  EXPECT_EQ(playlist.rowColor(2), QColor(255, 0, 0));
  EXPECT_TRUE(QTest::qWaitFor([this] { return !started.isEmpty(); }, 1000));
  EXPECT_EQ(started, QList<int>{3});
}

TEST_F(EngineFixture, ReadyStateIsLeftAloneWithoutSets1) {
  config.sets[1] = false;
  Fill(playlist, 3);
  PlayRow(2);
  player.SetState(PlayState::Ready);
  for (int i = 0; i < 5; ++i) engine.OnPollTick();
  EXPECT_FALSE(engine.recoveryPending());
  EXPECT_FALSE(playlist.rowColor(2).isValid());
}

TEST_F(EngineFixture, ConnectingTimesOutAfter150TicksOnlyWithSets0) {
  Fill(playlist, 3);
  PlayRow(1);
  player.SetState(PlayState::Transitioning);
  for (int i = 0; i < 150; ++i) engine.OnPollTick();
  EXPECT_EQ(engine.statusLine(), QStringLiteral("正在连接媒体.. "));
  EXPECT_EQ(engine.state().waitTicks, 150);
  engine.OnPollTick();
  EXPECT_EQ(engine.statusLine(), QStringLiteral("连接超时,1秒后切换下一首"));
  EXPECT_EQ(engine.state().waitTicks, 0);

  config.sets[0] = false;
  PlayRow(1);
  player.SetState(PlayState::Buffering);
  player.SetBuffering(42);
  for (int i = 0; i < 300; ++i) engine.OnPollTick();
  EXPECT_EQ(engine.statusLine(), QStringLiteral("缓冲处理：% 42"));
  EXPECT_EQ(engine.state().waitTicks, 0);
}

TEST_F(EngineFixture, RadioThatNeverConnectsStops) {
  resultKind = ListKind::Radio;
  Fill(results, 3);
  engine.PrepareSong(PlayingGrid::Results, 2, ListKind::Radio, QString());
  engine.PlayUrl(QStringLiteral("mms://radio/1"));
  player.SetState(PlayState::Buffering);
  for (int i = 0; i <= 150; ++i) engine.OnPollTick();
  EXPECT_EQ(engine.statusLine(), QStringLiteral("无法连接媒体"));
  EXPECT_EQ(player.playState(), PlayState::Stopped);
  EXPECT_FALSE(engine.pollTimerActive());
  engine.OnPollTick();  // the stop was ours: no next station
  EXPECT_TRUE(resultStarted.isEmpty());
  EXPECT_EQ(engine.statusLine(), QStringLiteral("无法连接媒体"));
}

TEST_F(EngineFixture, WebSongOutOfAddressesMovesToTheNextRow) {
  Fill(results, 3);
  engine.PrepareSong(PlayingGrid::Results, 1, ListKind::WebResults, QString());
  engine.state().altAddressCount = 19;
  engine.PlayUrl(QStringLiteral("http://a/1.mp3"));
  player.SetState(PlayState::Ready);
  engine.OnPollTick();
  EXPECT_TRUE(resultStarted.isEmpty());
  EXPECT_TRUE(QTest::qWaitFor([this] { return !resultStarted.isEmpty(); }, 1000));
  EXPECT_EQ(resultStarted, QList<int>{2});
}

// ---- What the playing state writes and shows ------------------------------------------

TEST_F(EngineFixture, PlayingWritesTagsBackAndTracksFocus) {
  Fill(playlist, 12);
  playlist.SetCell(9, 2, QStringLiteral("未知"));
  playlist.SetCell(9, 1, QStringLiteral("未知"));
  playlist.SetSelectedRow(9);
  StartPlaylistRow(9);
  player.SetDuration(187.4);
  player.SetTag(QStringLiteral("Author"), QStringLiteral("  王菲 "));
  player.SetTag(QStringLiteral("Title"), QStringLiteral("红豆"));
  QSignalSpy lyrics(&engine, &PlaybackEngine::LyricsWanted);
  QSignalSpy tag(&engine, &PlaybackEngine::TagEditorTextChanged);
  player.SetState(PlayState::Playing);
  EXPECT_EQ(playlist.cell(9, 3), QStringLiteral("03:07"));
  EXPECT_EQ(playlist.cell(9, 2), QStringLiteral("王菲"));
  EXPECT_EQ(playlist.cell(9, 1), QStringLiteral("红豆"));
  // The playing title was taken when the row started, before the tags arrived.
  EXPECT_EQ(engine.statusLine(), QStringLiteral("009. 未知 ----- 王菲"));
  EXPECT_EQ(playlist.selectedRow(), 0);
  EXPECT_EQ(playlist.topRow(), 3);
  ASSERT_EQ(lyrics.count(), 1);
  ASSERT_EQ(tag.count(), 1);
  EXPECT_EQ(tag.at(0).at(0).toString(), QStringLiteral("编辑ID3-Tag"));
}

TEST_F(EngineFixture, KnobFollowsThePositionExceptOnRadio) {
  Fill(playlist, 3);
  PlayRow(1, 240);
  player.SetPosition(60);
  engine.OnPollTick();
  EXPECT_EQ(engine.knobLeft(), 1170);
  EXPECT_EQ(engine.timeText(), QStringLiteral("01:00"));
  // A drag in progress keeps the knob where the user holds it.
  ASSERT_TRUE(engine.BeginKnobDrag());
  engine.DragKnob(9000);
  player.SetPosition(120);
  engine.OnPollTick();
  EXPECT_EQ(engine.knobLeft(), 3960);
  engine.EndKnobDrag(1170);
  EXPECT_EQ(player.calls().last(), QStringLiteral("seek:60"));

  resultKind = ListKind::Radio;
  Fill(results, 2);
  engine.PrepareSong(PlayingGrid::Results, 1, ListKind::Radio, QString());
  engine.PlayUrl(QStringLiteral("http://radio/live"));
  player.SetState(PlayState::Playing);
  player.SetPosition(75);
  engine.OnPollTick();
  EXPECT_EQ(engine.knobLeft(), 240);
  EXPECT_EQ(engine.timeText(), QStringLiteral("00:00"));
  EXPECT_FALSE(engine.BeginKnobDrag());
  EXPECT_FALSE(engine.SeekFromTrack(2000));
}

TEST_F(EngineFixture, VolumeStaysWithinItsEnds) {
  QSignalSpy saved(&engine, &PlaybackEngine::VolumeSaveWanted);
  EXPECT_EQ(engine.SetVolumeFromKnob(5000), 100);
  EXPECT_EQ(engine.statusLine(), QStringLiteral("音量:100%"));
  EXPECT_EQ(player.volume(), 100);
  EXPECT_EQ(engine.SetVolumeFromKnob(-40), 0);
  EXPECT_EQ(engine.statusLine(), QStringLiteral("音量:0%"));
  engine.VolumeKnobReleased();
  EXPECT_EQ(saved.count(), 1);
  EXPECT_EQ(engine.statusLine(), QStringLiteral("准备就绪"));

  player.SetVolume(97);
  engine.mnuControls_Click(4);
  EXPECT_EQ(player.volume(), 100);
  player.SetVolume(3);
  engine.mnuControls_Click(5);
  EXPECT_EQ(player.volume(), 0);
  EXPECT_EQ(config.volume, 0);
  EXPECT_EQ(saved.count(), 1);  // the menu does not store the volume
}

TEST_F(EngineFixture, PauseStopsTheTimersAndCaptionTakesTheText) {
  Fill(playlist, 2);
  PlayRow(1);
  engine.PlayPause();
  EXPECT_EQ(player.playState(), PlayState::Paused);
  EXPECT_FALSE(engine.pollTimerActive());
  EXPECT_FALSE(engine.statusTimerActive());
  EXPECT_EQ(engine.caption(), QStringLiteral("暂停播放"));
  engine.PlayPause();
  EXPECT_TRUE(engine.pollTimerActive());
  EXPECT_TRUE(engine.statusTimerActive());
}

TEST_F(EngineFixture, MonitorValuesEveryThirdStatusTick) {
  config.currentList = QStringLiteral("默认列表");
  config.playMode = 4;
  Fill(playlist, 8);
  PlayRow(7);
  QSignalSpy monitor(&engine, &PlaybackEngine::MonitorValuesChanged);
  for (int i = 0; i < 6; ++i) engine.OnStatusTick();
  ASSERT_EQ(monitor.count(), 2);
  const QStringList v = monitor.at(1).at(0).toStringList();
  ASSERT_EQ(v.size(), 16);
  EXPECT_EQ(v[0], QStringLiteral("搜狗(Sogou)引擎"));
  EXPECT_EQ(v[9], QStringLiteral("%AplicationPath%playlist\\默认列表.lst"));
  EXPECT_EQ(v[10], QStringLiteral("007"));
  EXPECT_EQ(v[14], QStringLiteral("随机播放"));
  EXPECT_TRUE(v[8].isNull());  // the online notice is not the engine's
}

}  // namespace
