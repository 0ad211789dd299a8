// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSignalSpy>
#include <QTest>
#include <cctype>
#include <ostream>
#include <string>

#include "playback/enginefixture.h"

namespace {

// ---- End of song by play mode ---------------------------------------------------------

// padTo 0: the last song is the grid's last row; expectedRow 0: nothing new starts.
struct EndCase {
  int mode, songs, padTo, playing, expectedRow;
  bool replay;
};

void PrintTo(const EndCase& c, std::ostream* os) {
  *os << "mode " << c.mode << ", row " << c.playing << " of " << c.songs;
}

class EndOfSongTest : public EngineFixture, public ::testing::WithParamInterface<EndCase> {};

TEST_P(EndOfSongTest, PlayModeDecidesWhatFollows) {
  const EndCase c = GetParam();
  config.playMode = c.mode;
  Fill(playlist, c.songs, c.padTo);
  PlayRow(c.playing);
  player.SetState(PlayState::Stopped);  // the song ends on its own
  engine.OnPollTick();
  EXPECT_EQ(engine.statusLine(),
            c.expectedRow ? QStringLiteral("正在打开媒体...") : QStringLiteral("停止播放"));
  EXPECT_EQ(started, c.expectedRow ? QList<int>{c.expectedRow} : QList<int>{});
  const QString call = c.expectedRow ? QStringLiteral("url:/music/%1.mp3").arg(c.expectedRow)
                                     : QStringLiteral("play");
  const bool goesOn = c.expectedRow != 0 || c.replay;
  EXPECT_EQ(player.calls().contains(call), goesOn);
  EXPECT_EQ(Timers(), std::pair(goesOn, goesOn));
}

INSTANTIATE_TEST_SUITE_P(
    Modes, EndOfSongTest,
    ::testing::Values(EndCase{0, 3, 20, 2, 0, false},   // one song, then stop
                      EndCase{1, 3, 20, 2, 0, true},    // the loaded song again, no row change
                      EndCase{2, 3, 0, 3, 0, false},    // after the last row nothing plays
                      EndCase{2, 3, 20, 3, 0, false},   // nor after the last song of a padded grid
                      EndCase{2, 3, 0, 2, 3, false},    // down the list
                      EndCase{3, 3, 0, 3, 1, false},    // wraps to row 1
                      EndCase{3, 3, 20, 3, 1, false},   // the next title is empty: row 1
                      EndCase{4, 1, 20, 1, 1, false}),  // random on one song replays it
    [](const ::testing::TestParamInfo<EndCase>& info) {
      const EndCase& c = info.param;
      return "Mode" + std::to_string(c.mode) + "Playing" + std::to_string(c.playing) + "Of" +
             std::to_string(c.songs) + (c.padTo ? "Padded" : "Exact");
    });

TEST_F(EngineFixture, TransportButtonsPauseAndAUserStopThatDoesNotAdvance) {
  EXPECT_EQ(Timers(), std::pair(false, false));  // an idle engine runs no timers
  config.playMode = 3;
  Fill(playlist, 3);
  PlayRow(1);
  EXPECT_EQ(Timers(), std::pair(true, true));
  engine.PlayPause();
  EXPECT_EQ(player.playState(), PlayState::Paused);
  EXPECT_EQ(Timers(), std::pair(false, false));
  EXPECT_EQ(engine.caption(), QStringLiteral("暂停播放"));
  engine.PlayPause();
  EXPECT_EQ(Timers(), std::pair(true, true));
  engine.PickSong(1);  // previous from row 1: the last titled row
  EXPECT_EQ(started, QList<int>{3});
  engine.PickSong(2);
  EXPECT_EQ(started, (QList<int>{3, 1}));
  EXPECT_EQ(playlist.selectedRow(), 1);

  engine.OnPollTick();
  for (int tick = 0; tick < 3; ++tick) engine.OnStatusTick();  // the caption scrolls
  engine.StopButton();
  EXPECT_EQ(Timers(), std::pair(false, false));
  engine.OnPollTick();  // a poll already on its way finds no end of song
  EXPECT_EQ(started.size(), 2);
  EXPECT_EQ(engine.statusLine(), QStringLiteral("停止播放"));
  EXPECT_EQ(engine.caption(), QStringLiteral("停止播放"));  // no fragment of the marquee
  EXPECT_EQ(engine.timeText(), QStringLiteral("00:00"));
  EXPECT_EQ(engine.knobLeft(), 240);

  PlayRow(1);  // an empty list stops instead of picking
  for (int row = 1; row <= 3; ++row) playlist.SetCell(row, 1, QStringLiteral("  "));
  for (int action : {1, 2, 4}) engine.PickSong(action);
  EXPECT_TRUE(started.isEmpty());
  EXPECT_EQ(player.playState(), PlayState::Stopped);
  EXPECT_FALSE(engine.pollTimerActive());
}

// ---- Dead links, time-outs and the ready state ----------------------------------------

// Row 2 of the playlist (or of the results, for web results) starts, the player reports
// `state` for a song of `seconds`, and the poll runs `ticks` times.
struct FailCase {
  const char* what;
  ListKind kind;
  PlayState state;
  double seconds;
  int ticks;
  bool sets0, sets1;
  const char* status;  // nullptr: not checked
  int now, later;      // the row started at once and after the recovery wait, 0: none
  bool red;
  bool stops = false;  // the engine stops the player and its poll for good
  int altAddressesUsed = 0;
  bool local = false;  // the song is a local file rather than a web address
};

void PrintTo(const FailCase& c, std::ostream* os) {
  *os << c.what;
}

class FailureTest : public EngineFixture, public ::testing::WithParamInterface<FailCase> {};

TEST_P(FailureTest, RecoveryRule) {
  const FailCase& c = GetParam();
  SCOPED_TRACE(c.what);
  config.sets[0] = c.sets0;
  config.sets[1] = c.sets1;
  const bool onPlaylist = c.kind == ListKind::Playlist;
  SongGridModel& grid = onPlaylist ? playlist : results;
  const QList<int>& rows = onPlaylist ? started : resultStarted;
  resultKind = c.kind;
  Fill(grid, 3);
  if (!c.local) grid.SetCell(2, 4, QStringLiteral("http://cdn.example/2.mp3"));
  engine.PrepareSong(onPlaylist ? PlayingGrid::Playlist : PlayingGrid::Results, 2, c.kind, {});
  engine.state().altAddressCount = c.altAddressesUsed;
  engine.PlayUrl(grid.path(2));
  player.SetDuration(c.seconds);
  player.SetBuffering(42);
  player.SetState(c.state);
  for (int i = 0; i < c.ticks; ++i) engine.OnPollTick();
  if (c.status) {
    EXPECT_EQ(engine.statusLine(), QString::fromUtf8(c.status));
  }
  QList<int> expected;
  if (c.now) expected << c.now;
  EXPECT_EQ(rows, expected);
  QTest::qWait(20);  // the fixture's recovery wait is 0 ms
  if (c.later) expected << c.later;
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(grid.rowColor(2) == QColor(255, 0, 0), c.red);
  EXPECT_EQ(engine.pollTimerActive(), !c.stops);
  if (c.stops) {
    EXPECT_EQ(player.playState(), PlayState::Stopped);
    engine.OnPollTick();  // the stop was ours: nothing follows
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(engine.statusLine(), QString::fromUtf8(c.status));
  }
}

using LK = ListKind;
using PS = PlayState;
INSTANTIATE_TEST_SUITE_P(
    Rules, FailureTest,
    ::testing::Values(FailCase{"45 s web result: its next address", LK::WebResults, PS::Playing, 45,
                               1, true, true, nullptr, 2, 0, false},
                      FailCase{"45 s song without Sets(1)", LK::Playlist, PS::Playing, 45, 1, true,
                               false, "002. 歌2 ----- 歌手2", 0, 0, false},
                      FailCase{"45 s song: wait, then the next", LK::Playlist, PS::Playing, 45, 1,
                               true, true, "阻止弹窗,1秒后切换下一首", 0, 3, false},
                      FailCase{"45 s local file plays on", LK::Playlist, PS::Playing, 45, 1, true,
                               true, "002. 歌2 ----- 歌手2", 0, 0, false, false, 0, true},
                      FailCase{"ready: red row, then the next", LK::Playlist, PS::Ready, 200, 1,
                               true, true, "媒体错误,1秒后切换下一首", 0, 3, true},
                      FailCase{"ready without Sets(1)", LK::Playlist, PS::Ready, 200, 5, true,
                               false, nullptr, 0, 0, false},
                      FailCase{"150 ticks connecting", LK::Playlist, PS::Transitioning, 200, 150,
                               true, true, "正在连接媒体.. ", 0, 0, false},
                      FailCase{"the 151st tick times out", LK::Playlist, PS::Transitioning, 200,
                               151, true, true, "连接超时,1秒后切换下一首", 0, 3, false},
                      FailCase{"no time-out without Sets(0)", LK::Playlist, PS::Buffering, 200, 300,
                               false, true, "缓冲处理：% 42", 0, 0, false},
                      FailCase{"web song out of addresses: next row", LK::WebResults, PS::Ready,
                               200, 1, true, true, nullptr, 0, 3, false, false, 19},
                      FailCase{"radio that never connects", LK::Radio, PS::Buffering, 200, 151,
                               true, true, "无法连接媒体", 0, 0, false, true}),
    [](const ::testing::TestParamInfo<FailCase>& info) {
      // "45 s web result: its next address" -> "45sWebResultItsNextAddress"
      std::string name;
      bool upper = true;
      for (const char* p = info.param.what; *p; ++p) {
        const char c = *p;
        if (!std::isalnum(static_cast<unsigned char>(c))) {
          upper = true;
          continue;
        }
        name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
        upper = false;
      }
      return name + "_" + std::to_string(info.index);
    });

TEST_F(EngineFixture, PlayingAPlaylistRowMovesTheMarksAndStartsThePlayer) {
  Fill(playlist, 3);
  QSignalSpy starting(&engine, &PlaybackEngine::PlaylistRowStarting);
  engine.PlayPlaylistRow(10);  // padding: nothing happens
  EXPECT_TRUE(player.calls().isEmpty());
  EXPECT_EQ(starting.count(), 0);

  PlayRow(1);
  playlist.SetRowColor(1, QColor(255, 0, 0));  // failed meanwhile
  engine.PlayPlaylistRow(2);
  EXPECT_EQ(player.calls(), QStringList({"stop", "url:/music/2.mp3", "play"}));
  EXPECT_EQ(player.origin(), UrlOrigin::User);  // a list row may name a local file
  EXPECT_EQ(engine.statusLine(), "正在打开媒体...");
  EXPECT_EQ(engine.state().currentRow, 2);
  EXPECT_EQ(engine.state().titleText, "歌2");
  EXPECT_EQ(engine.state().artistText, "歌手2");
  EXPECT_EQ(playlist.nowPlayRow(), 2);
  EXPECT_EQ(playlist.rowColor(2), QColor(77, 163, 12));
  EXPECT_EQ(playlist.rowColor(1), QColor(255, 0, 0));  // the red mark stays

  // Another row, then a result row: each time the last row goes back to the normal colour.
  engine.PlayPlaylistRow(3);
  EXPECT_FALSE(playlist.rowColor(2).isValid());
  Fill(results, 2);
  engine.PrepareSong(PlayingGrid::Results, 1, ListKind::WebResults, QString());
  EXPECT_FALSE(playlist.rowColor(3).isValid());
  EXPECT_EQ(playlist.nowPlayRow(), 0);
  EXPECT_EQ(results.nowPlayRow(), 1);
}

TEST_F(EngineFixture, StopDuringTheRecoveryWaitCancelsIt) {
  engine.SetRecoveryWaitMs(30);
  Fill(playlist, 3);
  playlist.SetCell(1, 4, QStringLiteral("http://cdn.example/1.mp3"));  // a short web clip
  PlayRow(1, 45);
  engine.OnPollTick();
  ASSERT_TRUE(engine.recoveryPending());
  engine.StopButton();
  QTest::qWait(80);
  EXPECT_TRUE(started.isEmpty());
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
  // The knob's right end and its release are driven through the main window's test.
  QSignalSpy saved(&engine, &PlaybackEngine::VolumeSaveWanted);
  EXPECT_EQ(engine.SetVolumeFromKnob(-40), 0);
  EXPECT_EQ(engine.statusLine(), QStringLiteral("音量:0%"));
  player.SetVolume(97);
  engine.mnuControls_Click(4);
  EXPECT_EQ(player.volume(), 100);
  player.SetVolume(3);
  engine.mnuControls_Click(5);
  EXPECT_EQ(player.volume(), 0);
  EXPECT_EQ(config.volume, 0);
  EXPECT_EQ(saved.count(), 0);  // the menu does not store the volume
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
  EXPECT_EQ(v[9], QStringLiteral("%AplicationPath%playlist\\默认列表.lst"));
  EXPECT_EQ(v[10], QStringLiteral("007"));
  EXPECT_EQ(v[14], QStringLiteral("随机播放"));
  EXPECT_TRUE(v[8].isNull());  // the online notice is not the engine's
}

}  // namespace
