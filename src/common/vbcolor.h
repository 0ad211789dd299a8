// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <cstdint>

// Colours are stored as 32-bit 0x00BBGGRR numbers; RGB(r,g,b) builds one.
namespace common {

inline constexpr uint32_t Rgb(int r, int g, int b) {
  return static_cast<uint32_t>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline QColor ColorFromVb(uint32_t v) { return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF); }
inline uint32_t VbFromColor(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

}  // namespace common
