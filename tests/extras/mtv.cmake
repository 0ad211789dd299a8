# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_test(mtvscan_test SOURCES mtvscan_test.cpp LIBS tw_mtv)
tw_add_test(musicvideo_test SOURCES musicvideo_test.cpp LIBS tw_mtv tw_demoservice)
tw_add_test(mtv_journey_test SOURCES mtv_journey_test.cpp LIBS tw_app_ui tw_demoservice)
target_compile_definitions(mtv_journey_test PRIVATE
  TW_DEMO_VIDEO_DIR="${CMAKE_BINARY_DIR}/demo-videos")
