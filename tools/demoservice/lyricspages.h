// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

class DemoCatalogue;
class DemoServer;
struct DemoSong;

// One lyrics hit the demo engines list for a song.
struct DemoLyricsHit {
  const DemoSong* song;
  int index;  // /lrcfiles/<id>-<index>.lrc
  QString singer;
};

// The two lyrics search engines: the first site at "/" and the Baidu lyrics search sharing
// "/m" with the music search (register after it), and the lyrics files under /lrcfiles/.
void RegisterLyricsSearch(DemoServer& server, const DemoCatalogue& catalogue);

// What the engines list for a song: nothing for every sixth song; otherwise a cover by another
// singer, an error page under the song's singer, then the song's own lyrics.
QList<DemoLyricsHit> DemoLyricsHits(const DemoSong& song);
// The file behind a hit (GBK with CR LF, UTF-8 with a BOM, or UTF-8 with LF only, by song);
// an HTML error page for the error hit.
QByteArray DemoLyricsFile(const DemoSong& song, int index);
