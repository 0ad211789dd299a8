# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The loopback server and the throw-away application folder come from the test support library.
if(TARGET tw_test_support)
  tw_add_bench(stall_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/stall_bench.cpp
    LIBS tw_web tw_playlist tw_lyrics tw_components tw_test_support Qt6::Gui)
endif()
