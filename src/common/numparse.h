// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <cstdint>

// Number parsing and formatting shared by every Part that reads numbers out of text.
namespace common {

// The number written at the start of a text: leading blanks skipped, digits with an optional
// sign and decimal point; 0 when the text does not start with one ("12abc" -> 12, "x" -> 0).
double Val(const QString& text);
// The largest whole number not above x (Int(-1.5) == -2).
double Int(double x);
// Rounds halves to the even neighbour (2.5 -> 2, 3.5 -> 4), as integer conversions do.
int64_t RoundHalfEven(double x);
// Three-digit row numbers: 1 -> "001", 999 -> "999", 1000 -> "1000".
QString ThreeDigits(int64_t n);
// Seconds as mm:ss with two-digit minutes (more digits above 99 minutes): 187 -> "03:07".
QString FormatMmSs(double seconds);
// Seconds of an mm:ss text ("03:07" -> 187); 0 when it is not one.
int ParseMmSs(const QString& text);

}  // namespace common
