// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// An M3U or M3U8 list as it comes from disk. Besides not crashing: what is read, once exported,
// reads back as the same songs, so an export never shifts a title onto another path.
#include "common/gbk.h"
#include "fuzz/fuzzcheck.h"
#include "playlist/listformats.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = common::DecodeFileText(fuzz::Bytes(data, size));
  const playlist::ParsedList read = playlist::ParseM3u(text, QStringLiteral("/lists"));
  for (const SongEntry& song : read.songs)
    fuzz::Check(song.path.startsWith('/') || song.path.contains(QLatin1String("://")),
                "every path is absolute or an address");
  const QString written = playlist::FormatM3u(read.songs);
  const playlist::ParsedList back = playlist::ParseM3u(written, QStringLiteral("/elsewhere"));
  fuzz::Check(back.skipped == 0, "an exported list reads back whole");
  fuzz::Check(playlist::FormatM3u(back.songs) == written,
              "an exported list reads back as the same songs");
  return 0;
}
