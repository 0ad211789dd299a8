// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <array>
#include <cstdint>

#include "common/vbcolor.h"

// The user's settings of bin/config.ini, in memory. The settings menus mirror these fields;
// the settings commands change them and save the whole file at once.
struct AppConfig {
  QString currentList;
  int playlistCount = 0;
  int searchEngine = 0;  // 0 Sogou, 1 Baidu, 2 Soso
  int lyricsEngine = 0;  // 0 or 1
  bool showArtist = false;
  bool showLyrics = true;
  bool forceUpdate = true;
  bool mixSearch = false;
  bool focusTracking = true;
  // Sets(0..7): the six error-correction options (on at every start, not stored), then
  // lrcAutoDownload (6) and lrcFormatCheck (7).
  std::array<bool, 8> sets{true, true, true, true, true, true, true, true};
  int songFormat = 3;  // 0 mp3, 1 wma, 2 rm, 3 all
  int playMode = 3;    // 0..4
  int volume = 40;     // 0..100
  std::array<uint32_t, 3> lrcUserColors{16767777u, 9648139u, 65280u};
  std::array<int, 3> lrcColorMode{0, 0, 0};  // 0 built-in, 1 user

  bool lrcAutoDownload() const { return sets[6]; }
  bool lrcFormatCheck() const { return sets[7]; }

  // Built-in lyrics colours: foreground, background, highlight.
  static constexpr std::array<uint32_t, 3> kBuiltinLrcColors{9396556u, 16579057u, 13067302u};
  // The colour the lyrics display shows for k = 0 foreground, 1 background, 2 highlight.
  uint32_t EffectiveLrcColor(int k) const {
    return lrcColorMode[k] == 1 ? lrcUserColors[k] : kBuiltinLrcColors[k];
  }
};
