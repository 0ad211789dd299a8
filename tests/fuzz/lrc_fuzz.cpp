// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A lyrics file from the web: the usability check, the time tags and the offset edit. Setting
// the offset twice gives what setting it once gives, so repeated saves never pile up lines.
#include "common/gbk.h"
#include "common/textfile.h"
#include "fuzz/fuzzcheck.h"
#include "lyrics/lrcformat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzz::Bytes(data, size);
  const QString text = common::DecodeFileText(bytes);
  const QStringList lines = common::SplitLines(text);
  lyrics::IsValidLrcLines(lines);
  float offset = 0;
  lyrics::LastLyricTime(text, &offset);
  // Each line as a tag's text, the way the display hands tags over.
  for (const QString& line : lines) lyrics::ParseLrcTime(line, &offset);
  const QByteArray once = lyrics::WithOffsetTag(bytes, "[offset:500");
  fuzz::Check(lyrics::WithOffsetTag(once, "[offset:500") == once, "the offset edit is idempotent");
  return 0;
}
