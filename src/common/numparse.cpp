// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/numparse.h"

#include <cmath>

namespace common {

double Val(const QString& text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && (text.at(i) == u' ' || text.at(i) == u'\t')) ++i;
  qsizetype start = i;
  if (i < n && (text.at(i) == u'-' || text.at(i) == u'+')) ++i;
  bool digits = false;
  while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) ++i, digits = true;
  if (i < n && text.at(i) == u'.') {
    ++i;
    while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) ++i, digits = true;
  }
  if (!digits) return 0;
  bool ok = false;
  double v = text.mid(start, i - start).toDouble(&ok);
  return ok && std::isfinite(v) ? v : 0;
}

double Int(double x) { return std::floor(x); }

int64_t RoundHalfEven(double x) {
  if (!std::isfinite(x)) return 0;
  if (x > 9.2e18) return INT64_MAX;
  if (x < -9.2e18) return INT64_MIN;
  return static_cast<int64_t>(std::nearbyint(x));  // default rounding mode: to nearest even
}

QString ThreeDigits(int64_t n) { return QString::number(n).rightJustified(3, u'0'); }

QString FormatMmSs(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0) seconds = 0;
  int64_t d = RoundHalfEven(seconds);
  return QStringLiteral("%1:%2")
      .arg(d / 60, 2, 10, QChar(u'0'))
      .arg(d % 60, 2, 10, QChar(u'0'));
}

int ParseMmSs(const QString& text) {
  const qsizetype colon = text.indexOf(u':');
  if (colon < 0) return 0;
  return static_cast<int>(Val(text.left(colon)) * 60 + Val(text.mid(colon + 1)));
}

}  // namespace common
