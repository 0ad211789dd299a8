# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Music videos: the site's scanners, the hit grid and the window's commands.
tw_add_library(tw_mtv
  SOURCES mtvscan.h mtvscan.cpp mtvhitmodel.h mtvhitmodel.cpp musicvideo.h musicvideo.cpp
  LIBS tw_extras tw_web tw_config tw_components Qt6::Core)
