# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Picture search, the viewer's commands and the wallpaper.
tw_add_library(tw_pictures
  SOURCES picturescan.h picturescan.cpp picsearch.h picsearch.cpp picviewer.h picviewer.cpp
          wallpaper.h wallpaper.cpp
  LIBS tw_extras tw_web tw_download tw_config tw_shell Qt6::Core Qt6::Gui Qt6::DBus)
