// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class DemoCatalogue;
class DemoServer;

// The music-video site and its video host:
// - "/mtv/search.php?search=1&keywords=W&page=P": two videos (MV and 现场版) of every song whose
//   title or singer holds W, 20 a page; "MV" finds all 44 (three pages); "巨量" claims a total
//   of 99,999,999,999 over one real page.
// - "/mtv/v/ID-K.htm": the video page of song ID, version K (0 MV, 1 现场版). Songs whose id
//   leaves 0 or 1 divided by 3 name the servers s1 and s2 of the path script; the rest name s9,
//   which the script lacks, so they play from the fallback server. Song 7's 现场版 names s6,
//   which the script maps to a file: address the player must refuse.
// - "/v/js/path.js": the server table; "/video/mvN.wmv" and "/mtv/mvN.wmv" (the fallback
//   server) serve the three short videos made at build time, N = id % 3 + 1.
void RegisterMtvPages(DemoServer& server, const DemoCatalogue& catalogue,
                      const QString& videoDir = QString());
