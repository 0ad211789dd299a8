// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DemoCatalogue;
class DemoServer;

// Files to download: "/download/song/ID.wav" (a song's audio, paced), "/download/broken/ID.wav"
// (breaks off halfway while declaring the full length) and "/download/missing.wav" (404).
void RegisterDownloads(DemoServer& server, const DemoCatalogue& catalogue);
