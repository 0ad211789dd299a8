// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

// Which row plays next, from the play mode, the playing row and the grid's titles.
namespace playback {

enum class PickAction { Previous = 1, Next = 2, Replay = 3, Random = 4 };

struct PickOutcome {
  enum class Kind { Stop, Replay, Row };
  Kind kind = Kind::Stop;
  int row = 0;  // for Kind::Row
};

// A uniform number in [0, 1).
using RandomSource = std::function<double()>;
// True when the title cell of a program row (1..rows-1) is blank.
using IsBlankRow = std::function<bool(int row)>;

// rows counts the header row. An empty list (blank row 1) stops; action 3 replays the loaded
// song; previous/next follow the list in modes 0..3 and draw a random row in mode 4; any other
// action draws a random row.
PickOutcome PickSong(int action, int playMode, int currentRow, int rows, const IsBlankRow& isBlank,
                     const RandomSource& random);

// The random draw: n = Int(random * (rows - 1)) + 1 until row n has a title. Bounded: after
// many misses it draws uniformly among the titled rows instead, which has the same odds.
int DrawRandomRow(int rows, const IsBlankRow& isBlank, const RandomSource& random);

// A clock-seeded uniform generator.
RandomSource ClockRandomSource();

}  // namespace playback
