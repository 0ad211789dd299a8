// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/lyricsdisplay.h"

#include "components/mediaplayer.h"
