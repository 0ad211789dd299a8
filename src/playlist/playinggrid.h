// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which grid the playing song came from, and what kind of list that grid holds now.
enum class PlayingGrid { None = 0, Playlist = 1, Results = 2 };  // 1 MSF, 2 MSF1
enum class ListKind { Playlist = 0, WebResults = 2, Radio = 11 };
