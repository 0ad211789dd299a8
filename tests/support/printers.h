// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <ostream>

// Failure messages show texts as text rather than as bytes.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << s.toStdString();
}
