// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/albumscan.h"

#include "extras/albumcatalog.h"
#include "extras/picturecache.h"

namespace extras {
namespace {

const QString kQuote = QStringLiteral("\"");

// A cursor over the page: every find moves forward, so a whole scan is linear in the page.
class Cursor {
 public:
  explicit Cursor(const QString& text, qsizetype from = 0) : text_(text), pos_(from) {}

  // Moves past the next marker; false (and the cursor spent) when there is none.
  bool Skip(const QString& marker) {
    if (pos_ < 0) return false;
    const qsizetype at = text_.indexOf(marker, pos_);
    pos_ = at < 0 ? -1 : at + marker.size();
    return pos_ >= 0;
  }
  // The text up to the next `end`, moving past it; nullopt when `end` is missing.
  std::optional<QString> Upto(const QString& end) {
    if (pos_ < 0) return std::nullopt;
    const qsizetype at = text_.indexOf(end, pos_);
    if (at < 0) return pos_ = -1, std::nullopt;
    const QString piece = text_.mid(pos_, at - pos_);
    pos_ = at + end.size();
    return piece;
  }
  // The text between the next `start` and the `end` after it.
  std::optional<QString> Between(const QString& start, const QString& end) {
    if (!Skip(start)) return std::nullopt;
    return Upto(end);
  }
  qsizetype pos() const { return pos_; }

 private:
  const QString& text_;
  qsizetype pos_;
};

// A fact after its label on the album page, searched from the start of the main part.
QString Fact(const QString& text, qsizetype from, const QString& label, const QString& start,
             const QString& end) {
  Cursor c(text, from);
  if (!c.Skip(label)) return {};
  if (!start.isEmpty() && !c.Skip(start)) return {};
  return c.Upto(end).value_or(QString()).trimmed();
}

}  // namespace

QString ResolvePageLink(const QString& link, const QString& host) {
  const QString l = link.trimmed();
  if (l.isEmpty()) return {};
  if (IsWebAddress(l)) return l;
  // A scheme of any other kind (file:, javascript:, data:) is never followed.
  const qsizetype colon = l.indexOf(u':');
  const qsizetype slash = l.indexOf(u'/');
  if (colon >= 0 && (slash < 0 || colon < slash)) return {};
  if (l.startsWith(QStringLiteral("//"))) return {};
  return host + (l.startsWith(u'/') ? QString() : QStringLiteral("/")) + l;
}

QList<AlbumItem> ScanAlbumList(const QString& page, const QString& host) {
  QList<AlbumItem> albums;
  Cursor c(page);
  if (!c.Skip(QStringLiteral("<table class=\"newsplist\">"))) return albums;
  while (albums.size() < kMaxAlbums) {
    AlbumItem a;
    if (!c.Skip(QStringLiteral("<td width=\"33%\">"))) break;
    const auto link = c.Between(QStringLiteral("href=") + kQuote, kQuote + QStringLiteral(">"));
    if (!link || !c.Skip(QStringLiteral("<img"))) break;
    const auto cover = c.Between(QStringLiteral("src=") + kQuote, kQuote + QStringLiteral("/>"));
    if (!cover || !c.Skip(QStringLiteral("<dt><a"))) break;
    const auto title = c.Between(QStringLiteral(">"), QStringLiteral("</a></dt>"));
    if (!title || !c.Skip(QStringLiteral("<dd><strong>歌手：</strong>"))) break;
    const auto singer = c.Between(QStringLiteral(">"), QStringLiteral("</a>"));
    if (!singer) break;
    const auto date =
        c.Between(QStringLiteral("<dd><strong>时间：</strong>"), QStringLiteral("</dd>"));
    if (!date || !c.Skip(QStringLiteral("<dd><strong>主打歌：</strong>"))) break;
    const auto hit = c.Between(QStringLiteral(">"), QStringLiteral("</a>"));
    if (!hit) break;
    a.link = ResolvePageLink(*link, host);
    a.cover = ResolvePageLink(*cover, host);
    a.title = title->trimmed();
    a.singer = singer->trimmed();
    a.date = date->trimmed();
    a.hitSong = hit->trimmed();
    albums << a;
  }
  return albums;
}

AlbumPage ScanAlbumPage(const QString& page, const QString& host) {
  AlbumPage p;
  qsizetype main = page.indexOf(QStringLiteral("<div id=\"main\">"));
  if (main < 0) main = 0;
  Cursor c(page, main);
  if (const auto cover = c.Between(QStringLiteral("<img src=") + kQuote, kQuote))
    p.cover = ResolvePageLink(*cover, host);
  const QString td = QStringLiteral("</td>");
  p.title = Fact(page, main, QStringLiteral("<caption>"), {}, QStringLiteral("</caption>"));
  p.singer =
      Fact(page, main, QStringLiteral("歌手："), QStringLiteral(">"), QStringLiteral("</a></td>"));
  p.style = Fact(page, main, QStringLiteral("曲风："), {}, td);
  p.company = Fact(page, main, QStringLiteral("公司："), {}, td);
  p.date = Fact(page, main, QStringLiteral("时间："), {}, td);
  p.language = Fact(page, main, QStringLiteral("语种："), {}, td);
  p.region = Fact(page, main, QStringLiteral("地区："), {}, td);
  Cursor intro(page, main);
  if (const auto text =
          intro.Between(QStringLiteral("<p class=\"spIntroText\">"), QStringLiteral("</p></div>")))
    p.intro = CleanIntroText(*text);
  Cursor tracks(page, main);
  // Bounded like every other scan: one pass, one name per marker.
  while (tracks.Skip(QStringLiteral("<td class=\"musicName\"><a"))) {
    const auto name = tracks.Between(QStringLiteral(">"), QStringLiteral("</a>"));
    if (!name) break;
    p.tracks << name->trimmed();
  }
  return p;
}

QString CleanIntroText(QString html) {
  html.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
  html.remove(QStringLiteral("</p>"));
  html.remove(QStringLiteral("<p>"));
  html.replace(QStringLiteral("<br>"), QStringLiteral("\r\n"));
  return html;
}

SingerAlbums ScanSingerAlbums(const QString& page, const QString& host) {
  SingerAlbums result;
  Cursor c(page);
  const auto count = c.Between(QStringLiteral("全部专辑<em>(共"), QStringLiteral("张)"));
  if (!count) return result;
  result.count = count->trimmed().toInt();
  while (result.albums.size() < kMaxAlbums) {
    const auto item = c.Between(QStringLiteral("<li>"), QStringLiteral("</li>"));
    if (!item) break;
    Cursor li(*item);
    const auto link =
        li.Between(QStringLiteral("href=") + kQuote, kQuote + QStringLiteral(" title=") + kQuote);
    if (!link) break;
    const auto title = li.Upto(kQuote + QStringLiteral(">"));
    const auto cover = li.Between(QStringLiteral("src=") + kQuote, kQuote + QStringLiteral("/>"));
    if (!title || !cover) break;
    AlbumItem a;
    a.link = ResolvePageLink(*link, host);
    a.title = title->trimmed();
    a.cover = ResolvePageLink(*cover, host);
    result.albums << a;
  }
  return result;
}

}  // namespace extras
