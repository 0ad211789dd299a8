// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

#include "playlist/playinggrid.h"

// The playback state shared by the grids' row play actions, the engine and the windows.
// The play mode itself is AppConfig::playMode.

struct PlaybackState {
  int currentRow = 0;  // grid row of the playing song; row 0 is the header
  PlayingGrid playingGrid = PlayingGrid::None;
  ListKind listKind = ListKind::Playlist;
  QString streamTitle;      // what a playing station says it plays; "" otherwise
  int altAddressCount = 0;  // alternative addresses tried for the current web song (limit 19)
  int repeatCount = 0;
  int waitTicks = 0;      // poll ticks spent connecting or buffering (limit 150)
  int playTicks = 0;      // poll ticks since playback began (cap 6000)
  bool dragging = false;  // the user drags the progress knob
  QString artistText;
  QString titleText;
  QString statusText;
  double positionCorrection = 0;
  bool lyricsLoaded = false;
  float lyricsOffset = 0;
  int manualAddressCount = 0;  // the second candidate counter shown by the monitor window
  bool singerFlag = false;     // the singer window follows each new song
};
