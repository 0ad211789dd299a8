// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DemoCatalogue;
class DemoServer;

// The music search engines' pages (results and candidate links), the listen and decode pages
// and the audio files, in the page forms the player's scrapers read.
void RegisterMusicSearch(DemoServer& server, const DemoCatalogue& catalogue);
