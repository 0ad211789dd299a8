// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Tag blocks come from any file the user plays: decode the last 128 bytes and re-encode them.
#include <cstddef>
#include <cstdint>

#include "tags/id3v1.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const tags::Id3Fields fields = tags::DecodeBlock(bytes.right(tags::kBlockSize));
  if (tags::EncodeBlock(fields).size() != tags::kBlockSize) __builtin_trap();
  tags::GenreToListIndex(fields.genre);
  tags::ShownText(fields.title);
  return 0;
}
