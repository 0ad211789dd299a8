# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The picture list and the full-screen viewer.
tw_add_library(tw_pictures_ui
  SOURCES piclist.h piclist.cpp showpic.h showpic.cpp
  LIBS tw_pictures tw_shell_ui Qt6::Widgets)
