# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_library(tw_mtv_ui
  SOURCES mtvwindow.h mtvwindow.cpp
  LIBS tw_mtv tw_shell_ui tw_components_ui Qt6::Widgets)
