// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <algorithm>
#include <cmath>

// Where the progress and volume knobs of the main window sit, in twips, and what a knob
// position means for the player.
namespace playback {

inline constexpr int kKnobMin = 240;   // progress knob at the start of the song
inline constexpr int kKnobMax = 3960;  // ... and at its end
inline constexpr int kTrackWidth = 3720;
inline constexpr int kVolumeKnobMin = 2360;
inline constexpr int kVolumeKnobMax = 3180;

// 4-minute song at 60 s -> 1170.
inline int KnobLeftFor(double position, double duration) {
  if (!(duration > 0)) return kKnobMin;
  return static_cast<int>(std::lround(kTrackWidth / duration * position + kKnobMin));
}
inline int ClampKnob(int left) {
  return std::clamp(left, kKnobMin, kKnobMax);
}
inline int PlayedBarWidth(int knobLeft) {
  return std::max(0, knobLeft + 20 - 260);
}
// Seconds the player seeks to when the knob is let go at `left`.
inline double SeekSecondsFor(int left, double duration) {
  return (left - kKnobMin) * duration / kTrackWidth;
}

inline int ClampVolumeKnob(int left) {
  return std::clamp(left, kVolumeKnobMin, kVolumeKnobMax);
}
// The right end gives (3180 - 2360) * 0.122 = 100.04 -> 100.
inline int VolumeForKnob(int left) {
  return std::clamp(static_cast<int>((ClampVolumeKnob(left) - kVolumeKnobMin) * 0.122), 0, 100);
}
inline int VolumeKnobLeft(int volume) {
  return ClampVolumeKnob(static_cast<int>(std::lround(volume / 0.122 + kVolumeKnobMin)));
}
inline int VolumeBarWidth(int knobLeft) {
  return std::max(0, knobLeft - 2350);
}

}  // namespace playback
