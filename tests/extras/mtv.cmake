# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_test(mtvscan_test SOURCES mtvscan_test.cpp LIBS tw_mtv)
tw_add_test(musicvideo_test SOURCES musicvideo_test.cpp LIBS tw_mtv tw_demoservice)
tw_add_test(mtv_journey_test SOURCES mtv_journey_test.cpp LIBS tw_app_ui tw_demoservice)
target_compile_definitions(mtv_journey_test PRIVATE
  TW_DEMO_VIDEO_DIR="${CMAKE_BINARY_DIR}/demo-videos")
# The same journeys on a real X server, where the video draws into the window.
find_program(XVFB_RUN xvfb-run)
if(XVFB_RUN)
  add_test(NAME mtv_journey_xvfb COMMAND ${XVFB_RUN} -a $<TARGET_FILE:mtv_journey_test>)
  set_tests_properties(mtv_journey_xvfb PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=xcb" TIMEOUT 240)
endif()
