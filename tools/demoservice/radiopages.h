// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

class DemoCatalogue;
class DemoServer;

// Endless radio streams: /radio/<category>/<n> plays a tune with ICY stream titles that change
// every few seconds; /radio/drop ends its stream after dropSeconds; /radio/dead never answers.
void RegisterRadioStations(DemoServer& server, const DemoCatalogue& catalogue, int dropSeconds = 20,
                           int titleSeconds = 10);

// The ICY metadata block for a title: a length byte (16-byte units), then
// "StreamTitle='<title>';" padded with NULs.
QByteArray IcyBlock(const QString& title);

// Rewrites the station list's loopback addresses ("http://127.0.0.1:PORT") to base, so the
// stations play from a service that got another port. False when the file cannot be written.
bool PointRadioListAt(const QString& path, const QString& base);
