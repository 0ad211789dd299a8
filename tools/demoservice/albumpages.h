// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

class DemoCatalogue;
class DemoServer;

// The album pages of the music service: a list for every group, style and page the album
// menus offer (generated covers), each album's page with tracks that are catalogue songs,
// and a singer's album list behind the singer search. Album 3 of the first Chinese pop page
// has a cover that arrives slowly; album 5 of that page has none on the server.
// Register after the music search: they share /music.so.
void RegisterAlbumPages(DemoServer& server, const DemoCatalogue& catalogue);

// One list page as the service writes it ("" for a page the menus never offer).
QString DemoAlbumListPage(const DemoCatalogue& catalogue, const QString& base, int group, int style,
                          int page);
// A small 24-bit BMP cover, its colours drawn from id.
QByteArray DemoCover(int id);
// A singer's album list as the singer page carries it ("全部专辑<em>(共N张)" and its items);
// k is the singer's place in the catalogue.
QString DemoSingerAlbumSection(const DemoCatalogue& catalogue, int k, const QString& base);
