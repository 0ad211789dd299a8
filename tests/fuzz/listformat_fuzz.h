// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "common/gbk.h"
#include "fuzz/fuzzcheck.h"
#include "playlist/listformats.h"

namespace fuzz {

// A list file as it comes from disk. Besides not crashing: what is read, once exported, reads
// back as the same songs, so an export never shifts a title onto another path.
inline void ListRoundTrip(const uint8_t* data, size_t size,
                          playlist::ParsedList (*parse)(const QString&, const QString&),
                          QString (*format)(const std::vector<SongEntry>&, int*)) {
  const QString text = common::DecodeFileText(Bytes(data, size));
  const playlist::ParsedList read = parse(text, QStringLiteral("/lists"));
  for (const SongEntry& song : read.songs)
    Check(song.path.startsWith('/') || song.path.contains(QLatin1String("://")),
          "every path is absolute or an address");
  const QString written = format(read.songs, nullptr);
  const playlist::ParsedList back = parse(written, QStringLiteral("/elsewhere"));
  Check(back.skipped == 0, "an exported list reads back whole");
  Check(format(back.songs, nullptr) == written, "an exported list reads back as the same songs");
}

}  // namespace fuzz
