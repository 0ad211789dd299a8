# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_test(albums_test SOURCES albumscan_test.cpp albumbrowser_test.cpp LIBS tw_albums)
tw_add_test(albums_journey_test SOURCES albums_journey_test.cpp LIBS tw_app_ui tw_demoservice)
tw_add_test(albums_ui_test SOURCES qqpai_test.cpp LIBS tw_albums_ui)
