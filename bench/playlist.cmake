# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_bench(playlist_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/playlist_bench.cpp
  LIBS tw_playlist Qt6::Gui)
