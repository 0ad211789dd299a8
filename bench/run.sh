#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Tunewharf developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of BUILD (default build) and prints one table.
B=${1:-build}/bench
echo "| benchmark | figure | value | goal |"
echo "|---|---|---|---|"
"$B/stall_bench" 3
"$B/playlist_bench" 100000 3 | awk '
  /^LoadLST/       { printf "| 100,000-song list | load, median | %s s | <= 0.35 s |\n", $3 }
  /^SaveList.*unchanged/ { printf "| 100,000-song list | save, songs unchanged, median | %s s | <= 0.2 s |\n", $3 }
  /^SaveList.*changed:/  { printf "| 100,000-song list | save after a change (backup + write), median | %s s | <= 0.2 s |\n", $3 }
  /^max RSS/       { printf "| 100,000-song list | peak RSS of the bench process (making the list included) | %s MiB | |\n", $3 }'
"$B/playback_bench" | sed -n 's/.*median \([0-9.]*\) us, p99 \([0-9.]*\) us.*/| spectrum | one frame, median (p99 \2 us) | \1 us | |/p'
