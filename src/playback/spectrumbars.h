// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QColor>
#include <array>

// The spectrum's bar arithmetic: 17 bars, each following one raw byte of the captured block,
// drawn as stacked 3-pixel segments that light from the bottom up.
namespace playback {

inline constexpr int kBarCount = 17;
inline constexpr int kBarLeft = 2;  // left margin
inline constexpr int kBarStep = 4;  // 2-pixel bar + 2-pixel gap
inline const QColor kLitColor{33, 219, 255};
inline const QColor kUnlitColor{0, 0, 0};

using BarHeights = std::array<int, kBarCount>;

// S = (H - 3) / 3 rounded; segments j = 0..S run from the top (j = 0) to the bottom (j = S).
int SegmentCount(int height);
// h = byte i / 255 * H rounded, for the first 17 bytes of the block (missing bytes are 0).
BarHeights ComputeBarHeights(const QByteArray& block, int height);
// Segment j is lit when (1 - j / S) * 255 <= h: at H = 45, h = 45 lights segments 12..14.
bool SegmentLit(int j, int segments, int barHeight);
// Height 1 for every bar: only the bottom segments are lit.
BarHeights IdleBarHeights();

}  // namespace playback
