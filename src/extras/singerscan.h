// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// The singer profile's scrapers, pure functions of a page read back with its lines joined,
// each one pass over the page.
namespace extras {

// The singer search: "/music.so?as=t&st=heat&query=" + name on the music service's host.
QString SingerSearchAddress(const QString& musicHost, const QString& name);
// The forum page of a name: forumHost + "/t?s=" + name + "&page=1&p=41330400".
QString SingerForumAddress(const QString& forumHost, const QString& name);

// The singer page link of a search page, made absolute on musicHost; "" when a marker is
// missing. <strong><a href="/singer/7.html" target="_blank"><font  =>  musicHost + "/singer/7.html"
QString ScanSingerLink(const QString& page, const QString& musicHost);

// What a singer page tells about the singer. Missing facts are "".
struct SingerFacts {
  QString picture;  // the picture's address, as the page gives it (quotes removed)
  QString name;     // "" when the page has no <dt> name
  QString englishName;
  QString region;
  QString albums;
  QString singles;
};
// starIntro ... <img src="http://h/p/7.jpg" onerror=...> ... <dt>林</dt><dd>英文名：Lin</dd>
//   => {picture "http://h/p/7.jpg", name "林", englishName "Lin", ...}
SingerFacts ScanSingerFacts(const QString& page);

// The introduction: after "歌手资料", the text between the next <li> and </ul>, each </li> a
// line break, without "<li>" and ">>阅读全部"; nullopt when the page has no "歌手资料".
std::optional<QString> ScanSingerIntro(const QString& page);

// The hot songs' titles (<td title="T"><input ...) after "hotsongTable"; nullopt when the page
// has no such table.
std::optional<QStringList> ScanSingerSongs(const QString& page);

}  // namespace extras
