// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cmath>

// Window geometry is given in twips; Qt works in logical pixels and scales for the screen.
namespace common {

inline constexpr int kTwipsPerPixel = 15;

inline int TwipsToPx(double twips) { return static_cast<int>(std::lround(twips / kTwipsPerPixel)); }
inline int PxToTwips(int px) { return px * kTwipsPerPixel; }
inline QRect TwipsRect(double left, double top, double width, double height) {
  return QRect(TwipsToPx(left), TwipsToPx(top), TwipsToPx(width), TwipsToPx(height));
}

}  // namespace common
