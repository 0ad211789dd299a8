# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
tw_add_library(tw_singer_ui
  SOURCES frmnet.h frmnet.cpp
  LIBS tw_singer tw_shell_ui Qt6::Widgets)
