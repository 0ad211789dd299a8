// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include "config/appconfig.h"
#include "config/menuform.h"
#include "playback/playbackstate.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistmanager.h"
#include "playlist/songgridmodel.h"
#include "support/fakemediaplayer.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

// The playlist and its commands over a scratch program folder, scripted prompts and a fake player.
class PlaylistFixture : public ::testing::Test {
 protected:
  // Builds the list menu and loads the list named `current` into the grid.
  void Start(const QString& current = QStringLiteral("default")) {
    lists.EnsureDefaultList();
    lists.BuildListMenu();
    lists.MarkCurrent(current);
    lists.LoadLST();
  }

  TempAppDir dir;
  MenuForm menus;
  ScriptedPrompter prompter;
  AppConfig config;
  PlaybackState state;
  FakeMediaPlayer player;
  SongGridModel grid{SongGridModel::Kind::Songs};
  SongGridModel results{SongGridModel::Kind::Songs};
  QAbstractItemModelTester tester{&grid, QAbstractItemModelTester::FailureReportingMode::Fatal};
  PlaylistManager lists{grid, menus, prompter, dir.paths(), config};
  PlaylistCommands commands{lists, results, prompter, state, player};
};
