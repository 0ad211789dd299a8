// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/spectrumbars.h"

#include "common/numparse.h"

namespace playback {

int SegmentCount(int height) {
  return static_cast<int>(common::RoundHalfEven((height - 3) / 3.0));
}

BarHeights ComputeBarHeights(const QByteArray& block, int height) {
  BarHeights h{};
  for (int i = 0; i < kBarCount; ++i) {
    const int byte = i < block.size() ? static_cast<unsigned char>(block.at(i)) : 0;
    h[i] = static_cast<int>(common::RoundHalfEven(byte / 255.0 * height));
  }
  return h;
}

bool SegmentLit(int j, int segments, int barHeight) {
  const double fraction = segments > 0 ? static_cast<double>(j) / segments : 0.0;
  return (1.0 - fraction) * 255.0 <= barHeight;
}

BarHeights IdleBarHeights() {
  BarHeights h;
  h.fill(1);
  return h;
}

}  // namespace playback
