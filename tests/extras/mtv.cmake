# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_test(mtvscan_test SOURCES mtvscan_test.cpp LIBS tw_mtv)
tw_add_test(musicvideo_test SOURCES musicvideo_test.cpp LIBS tw_mtv tw_demoservice)
