# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The album browser: tables, page scanners and the browser the album window drives.
tw_add_library(tw_albums
  SOURCES albumcatalog.h albumcatalog.cpp albumscan.h albumscan.cpp
          albumbrowser.h albumbrowser.cpp
  LIBS tw_extras tw_singer tw_web tw_download tw_playlist tw_config tw_shell Qt6::Core Qt6::Network)
