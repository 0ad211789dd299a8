// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DemoCatalogue;
class DemoServer;

// The music service's singer search (on /music.so, "as=t") and a singer page for each singer
// of the catalogue with a generated picture, facts, an introduction and its songs as hot
// songs; the forum page a singer's name links to. Register after the music search.
void RegisterSingerPages(DemoServer& server, const DemoCatalogue& catalogue);
