# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_library(tw_albums_ui
  SOURCES qqpai.h qqpai.cpp albumdetail.h albumdetail.cpp
  LIBS tw_albums tw_shell_ui Qt6::Widgets)
