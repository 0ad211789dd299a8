# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_test(picturescan_test SOURCES picturescan_test.cpp LIBS tw_pictures)
tw_add_test(picsearch_test SOURCES picsearch_test.cpp LIBS tw_pictures tw_demoservice)
tw_add_test(picviewer_test SOURCES picviewer_test.cpp LIBS tw_pictures_ui)
# Starts a session bus of its own (dbus-daemon) with a fake desktop portal on it.
tw_add_test(wallpaper_test SOURCES wallpaper_test.cpp LIBS tw_pictures Qt6::DBus)
tw_add_test(journey_pictures_test SOURCES journey_pictures_test.cpp LIBS tw_app_ui tw_demoservice)
