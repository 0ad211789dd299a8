// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// Scanners of the album pages: page text (read back, lines joined) in, records out. Each is
// one forward pass over the page; a missing marker ends the scan with what was read so far.
namespace extras {

struct AlbumItem {
  QString link;   // the album's page, absolute http(s); "" when the page gave none usable
  QString cover;  // the cover picture's address
  QString title;
  QString singer;
  QString date;
  QString hitSong;
};

struct AlbumPage {
  QString cover;
  QString title;
  QString singer;
  QString style;
  QString company;
  QString date;
  QString language;
  QString region;
  QString intro;  // plain text, see CleanIntroText
  QStringList tracks;
};

struct SingerAlbums {
  int count = 0;  // the number the page states
  QList<AlbumItem> albums;
};

// An album list page, at most kMaxAlbums albums:
//   <td width="33%"><a href="/a/1.html"><img src="http://h/c1.jpg"/></a>
//   <dt><a href="..">Title</a></dt><dd><strong>歌手：</strong><a href="..">Singer</a></dd>
//   <dd><strong>时间：</strong>2007-01-01</dd><dd><strong>主打歌：</strong><a ..>Song</a></dd>
//   => {link "HOST/a/1.html", cover "http://h/c1.jpg", "Title", "Singer", "2007-01-01", "Song"}
// host: scheme and host that relative links are resolved against.
QList<AlbumItem> ScanAlbumList(const QString& page, const QString& host);

// An album's own page, from <div id="main">: cover, facts after their labels
// ("歌手：" ... "地区："), the introduction and the track names.
AlbumPage ScanAlbumPage(const QString& page, const QString& host);

// "a&nbsp;b<p>c</p><br>d" -> "a bc\r\nd": entities, paragraphs and line breaks of an
// introduction; nothing is trimmed.
QString CleanIntroText(QString html);

// A singer page's album section: the count in "全部专辑<em>(共N张)" and the albums after it,
// each <li><a href="L" title="T"><img src="C"/>...</li>, at most kMaxAlbums.
SingerAlbums ScanSingerAlbums(const QString& page, const QString& host);

// An address from a page as the program may fetch it: http(s) as it is, a relative one on
// host, anything else (file:, javascript:, ...) "".
QString ResolvePageLink(const QString& link, const QString& host);

}  // namespace extras
