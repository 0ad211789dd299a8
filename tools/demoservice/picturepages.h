// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class DemoCatalogue;
class DemoServer;

// The picture search service: /pics result pages for the catalogue's singers (page bars of
// several lengths, 20 thumbnails a page), /picset picture sets of one or more pictures, and
// the generated pictures themselves under /picthumb/ and /picfull/.
void RegisterPicturePages(DemoServer& server, const DemoCatalogue& catalogue);

// How many result pages the service has for a singer; 0 for words it finds nothing for.
int DemoPicturePages(const DemoCatalogue& catalogue, const QString& words);
// How many pictures set `id` holds.
int DemoSetSize(int id);
