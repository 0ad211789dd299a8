# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_test(singerscan_test SOURCES singerscan_test.cpp LIBS tw_singer)
tw_add_test(singerprofile_test SOURCES singerprofile_test.cpp LIBS tw_singer_ui tw_test_support)
tw_add_test(singer_e2e_test SOURCES singer_e2e_test.cpp LIBS tw_app_ui tw_demoservice)
