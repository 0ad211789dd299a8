// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <QList>

#include "config/appconfig.h"
#include "common/numparse.h"
#include "playback/playbackengine.h"
#include "playlist/songgridmodel.h"
#include "support/fakemediaplayer.h"

// An engine over a fake player and two grids whose row actions play the row as the playlist
// window does, recording which rows were started.
class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() {
    engine.SetRecoveryWaitMs(0);
    engine.SetRowPlayAction(PlayingGrid::Playlist, [this](int row) {
      started << row;
      StartPlaylistRow(row);
    });
    engine.SetRowPlayAction(PlayingGrid::Results, [this](int row) {
      resultStarted << row;
      engine.PrepareSong(PlayingGrid::Results, row, resultKind,
                         QStringLiteral("正在分析,请稍候..."));
      engine.PlayUrl(results.path(row));
    });
    engine.SetRandomSource([] { return 0.0; });
  }

  // songs rows titled "歌1".."歌n"; padTo pads with blank rows (0 keeps the grid exact).
  static void Fill(SongGridModel& grid, int songs, int padTo = SongGridModel::kMinRows) {
    grid.Setup();
    grid.SetRows(1);
    for (int i = 1; i <= songs; ++i)
      grid.AppendRow({common::ThreeDigits(i), QStringLiteral("歌%1").arg(i),
                      QStringLiteral("歌手%1").arg(i), QStringLiteral("00:00"),
                      QStringLiteral("/music/%1.mp3").arg(i)});
    if (padTo > 0 && grid.rows() < padTo) grid.SetRows(padTo);
  }

  // What the playlist window's double-click does on the engine's side.
  void StartPlaylistRow(int row) {
    engine.PrepareSong(PlayingGrid::Playlist, row, ListKind::Playlist,
                       QStringLiteral("正在打开媒体..."));
    engine.PlayUrl(playlist.path(row), UrlOrigin::User);
  }

  // Starts a playlist row and brings the player to the playing state with a song length.
  void PlayRow(int row, double duration = 200) {
    playlist.SetSelectedRow(row);
    StartPlaylistRow(row);
    player.SetDuration(duration);
    player.SetState(PlayState::Playing);
    started.clear();
    player.ClearCalls();
  }

  std::pair<bool, bool> Timers() const {
    return {engine.pollTimerActive(), engine.statusTimerActive()};
  }

  FakeMediaPlayer player;
  AppConfig config;
  SongGridModel playlist{SongGridModel::Kind::Songs};
  SongGridModel results{SongGridModel::Kind::Songs};
  PlaybackEngine engine{player, config, playlist, results};
  ListKind resultKind = ListKind::WebResults;
  QList<int> started;
  QList<int> resultStarted;
};
