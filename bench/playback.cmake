# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
if(TARGET tw_playback_ui)
  tw_add_bench(playback_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/playback_bench.cpp LIBS tw_playback_ui)
endif()
