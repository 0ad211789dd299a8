# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The singer profile: page scanners and the lookup behind the singer window.
tw_add_library(tw_singer
  SOURCES singerscan.h singerscan.cpp singerprofile.h singerprofile.cpp
  LIBS tw_extras tw_web tw_download tw_shell Qt6::Core Qt6::Network)
