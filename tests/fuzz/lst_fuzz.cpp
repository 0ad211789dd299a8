// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A .lst file as it comes from disk. Besides not crashing: whatever was read, once written it
// reads back as the same songs, so a save and a load never shift or lose a field.
#include "common/gbk.h"
#include "fuzz/fuzzcheck.h"
#include "playlist/lstfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = common::DecodeFileText(fuzz::Bytes(data, size));
  const playlist::ParsedLst read = playlist::ParseLst(text);
  const QString written = playlist::FormatLst(read.records);
  const playlist::ParsedLst back = playlist::ParseLst(written);
  fuzz::Check(back.badLines == 0, "a written list reads back cleanly");
  const QString again = playlist::FormatLst(back.records);
  fuzz::Check(again == written, "a written list reads back as the same songs");
  return 0;
}
