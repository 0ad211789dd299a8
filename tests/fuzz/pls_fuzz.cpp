// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/listformat_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::ListRoundTrip(data, size, playlist::ParsePls, playlist::FormatPls);
  return 0;
}
