// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/picksong.h"

#include <QDateTime>
#include <memory>
#include <random>
#include <vector>

namespace playback {

namespace {
constexpr int kDrawAttempts = 64;

int Uniform(const RandomSource& random, int count) {
  double r = random ? random() : 0.0;
  if (!(r >= 0.0) || r >= 1.0) r = 0.0;
  return static_cast<int>(r * count);  // 0..count-1
}
}  // namespace

int DrawRandomRow(int rows, const IsBlankRow& isBlank, const RandomSource& random) {
  const int songs = rows - 1;
  if (songs < 1) return 0;
  for (int attempt = 0; attempt < kDrawAttempts; ++attempt) {
    const int n = Uniform(random, songs) + 1;
    if (!isBlank(n)) return n;
  }
  std::vector<int> titled;
  for (int n = 1; n < rows; ++n)
    if (!isBlank(n)) titled.push_back(n);
  if (titled.empty()) return 0;
  return titled[static_cast<size_t>(Uniform(random, static_cast<int>(titled.size())))];
}

PickOutcome PickSong(int action, int playMode, int currentRow, int rows, const IsBlankRow& isBlank,
                     const RandomSource& random) {
  if (rows < 2 || isBlank(1)) return {PickOutcome::Kind::Stop, 0};
  if (action == static_cast<int>(PickAction::Replay)) return {PickOutcome::Kind::Replay, 0};

  const bool inOrder = playMode >= 0 && playMode <= 3;
  int row = 0;
  if (action == static_cast<int>(PickAction::Previous) && inOrder) {
    if (currentRow >= 2 && currentRow <= rows - 1) {
      row = currentRow - 1;
    } else {
      row = rows - 1;
      while (row > 1 && isBlank(row)) --row;
    }
  } else if (action == static_cast<int>(PickAction::Next) && inOrder) {
    if (currentRow >= 1 && currentRow < rows - 1) {
      row = currentRow + 1;
      if (isBlank(row)) row = 1;
    } else {
      row = 1;
    }
  } else {
    row = DrawRandomRow(rows, isBlank, random);
  }
  if (row < 1) return {PickOutcome::Kind::Stop, 0};
  return {PickOutcome::Kind::Row, row};
}

RandomSource ClockRandomSource() {
  auto engine =
      std::make_shared<std::mt19937_64>(static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch()));
  return [engine]() {
    // Re-seeded from the clock on every draw, mixed with the running state.
    engine->seed((*engine)() ^ static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(*engine);
  };
}

}  // namespace playback
