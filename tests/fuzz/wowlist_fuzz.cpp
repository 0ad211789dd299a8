// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The local chart list: any bytes as the file.
#include <cstddef>
#include <cstdint>

#include "common/gbk.h"
#include "common/textfile.h"
#include "web/chartscan.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList lines = common::SplitLines(common::DecodeGbk(bytes));
  const auto hits = web::ScanWowList(lines);
  if (hits.size() > lines.size()) __builtin_trap();
  return 0;
}
