// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "albumpages.h"

#include <QRegularExpression>
#include <QStringList>
#include <QtEndian>

#include "catalogue.h"
#include "demoserver.h"
#include "extras/albumcatalog.h"

namespace {

constexpr int kMoviePages = 5;
constexpr int kLastPageAlbums = 12;
constexpr int kSlowSlot = 2;
constexpr int kMissingSlot = 4;
constexpr int kSlowBytesPerSecond = 6000;  // a 30 KB cover in about five seconds

const char* const kWords[] = {"晴空", "远方", "回忆", "夜航", "微光", "城南", "长风",
                              "初雪", "晚霞", "半岛", "白昼", "归途", "海岸", "月台"};

// An album is named by its place: group, style, page and slot.
int AlbumId(int group, int style, int page, int slot) {
  return group * 100000 + style * 1000 + page * 30 + slot;
}

QStringList Singers(const DemoCatalogue& catalogue) {
  QStringList singers;
  for (const DemoSong& s : catalogue.songs())
    if (!singers.contains(s.singer)) singers << s.singer;
  return singers;
}

struct DemoAlbum {
  int id;
  QString title, singer, date;
  QStringList tracks;
};

DemoAlbum Album(const DemoCatalogue& catalogue, int id) {
  const QStringList singers = Singers(catalogue);
  DemoAlbum a;
  a.id = id;
  a.singer = singers.at(id % singers.size());
  const int words = static_cast<int>(std::size(kWords));
  a.title = QString::fromUtf8(kWords[id % words]) +
            QString::fromUtf8(kWords[(id * 5 + id / words) % words]);
  a.date = QStringLiteral("20%1-%2-%3")
               .arg(5 + id % 4, 2, 10, QLatin1Char('0'))
               .arg(1 + id % 12, 2, 10, QLatin1Char('0'))
               .arg(1 + id % 28, 2, 10, QLatin1Char('0'));
  for (const DemoSong& s : catalogue.songs())
    if (s.singer == a.singer) a.tracks << s.title;
  return a;
}

QString CoverPath(int id, int slotOnFirstPage) {
  if (slotOnFirstPage == kSlowSlot) return QStringLiteral("/album/cover/slow.bmp");
  if (slotOnFirstPage == kMissingSlot) return QStringLiteral("/album/cover/missing.bmp");
  return QStringLiteral("/album/cover/%1.bmp").arg(id);
}

int PagesOf(int group, int style) {
  return group == 0 ? kMoviePages : extras::AlbumPageCount(group, style);
}

QString AlbumPage(const DemoAlbum& a, const QString& base) {
  QString tracks;
  for (const QString& t : a.tracks)
    tracks += QStringLiteral(
                  "<tr><td class=\"musicName\"><a href=\"/music.so?query=%1\" "
                  "target=\"_blank\">%1</a></td><td>%2</td></tr>")
                  .arg(t, a.singer);
  return QStringLiteral(
             "<html><head><title>%1</title></head><body><div id=\"top\"><img src=\"/logo.gif\">"
             "</div><div id=\"main\"><div class=\"albumPic\"><img src=\"%2/album/cover/%3.bmp\" "
             "width=\"150\"></div><table class=\"albumInfo\"><caption>%1</caption>"
             "<tr><td>歌手：<a href=\"/music.so?query=%4\">%4</a></td><td>曲风：流行</td></tr>"
             "<tr><td>公司：演示唱片</td><td>时间：%5</td></tr>"
             "<tr><td>语种：国语</td><td>地区：内地</td></tr></table>"
             "<div class=\"intro\"><p class=\"spIntroText\"><p>《%1》是%4的新专辑，"
             "收录了%6首歌曲。</p><br>&nbsp;&nbsp;制作：演示工作室</p></div>"
             "<table class=\"songList\">%7</table></div></body></html>")
      .arg(a.title, base, QString::number(a.id), a.singer, a.date, QString::number(a.tracks.size()),
           tracks);
}

QString SingerSearchPage(const QString& singer, int index) {
  return QStringLiteral(
             "<html><body><div class=\"singer\"><strong><a href=\"/album/singer/%1.html\" "
             "target=\"_blank\"><font color=\"#c00\">%2</font></a></strong></div>"
             "</body></html>")
      .arg(QString::number(index), singer.toHtmlEscaped());
}

QString SingerAlbumsPage(const DemoCatalogue& catalogue, int k, const QString& base) {
  return QStringLiteral("<html><body><dl><dt>%1</dt></dl>%2</body></html>")
      .arg(Singers(catalogue).at(k), DemoSingerAlbumSection(catalogue, k, base));
}

}  // namespace

QString DemoSingerAlbumSection(const DemoCatalogue& catalogue, int k, const QString& base) {
  const QStringList singers = Singers(catalogue);
  if (k < 0 || k >= singers.size()) return {};
  QString items;
  int count = 0;
  // Every album of the first Chinese pop pages whose singer this is.
  for (int page = 1; page <= 2; ++page)
    for (int slot = 0; slot < extras::kMaxAlbums; ++slot) {
      const int id = AlbumId(1, 0, page, slot);
      if (id % singers.size() != k) continue;
      const DemoAlbum a = Album(catalogue, id);
      items += QStringLiteral(
                   "<li><a href=\"/album/%1.html\" title=\"%2\"><img "
                   "src=\"%3/album/cover/%1.bmp\"/></a><span>%2</span></li>")
                   .arg(QString::number(id), a.title, base);
      ++count;
    }
  return QStringLiteral("<h3>全部专辑<em>(共%1张)</em></h3><ul class=\"albums\">%2</ul>")
      .arg(QString::number(count), items);
}

QString DemoAlbumListPage(const DemoCatalogue& catalogue, const QString& base, int group, int style,
                          int page) {
  const int pages = PagesOf(group, style);
  if (page < 1 || page > pages) return {};
  const int albums = page == pages && pages > 1 ? kLastPageAlbums : extras::kMaxAlbums;
  const bool firstPopPage = group == 1 && style == 0 && page == 1;
  QString cells;
  for (int slot = 0; slot < albums; ++slot) {
    if (slot % 3 == 0) cells += QStringLiteral("<tr>");
    const DemoAlbum a = Album(catalogue, AlbumId(group, style, page, slot));
    const QString hit = a.tracks.value(0);
    cells +=
        QStringLiteral(
            "<td width=\"33%\"><div class=\"pic\"><a href=\"/album/%1.html\"><img "
            "alt=\"%2\" src=\"%3%4\"/></a></div><dl><dt><a href=\"/album/%1.html\" "
            "title=\"%2\">%2</a></dt><dd><strong>歌手：</strong><a href=\"/music.so?query=%5\">"
            "%5</a></dd><dd><strong>时间：</strong>%6</dd><dd><strong>主打歌：</strong>"
            "<a href=\"/music.so?query=%7\">%7</a></dd></dl></td>")
            .arg(QString::number(a.id), a.title, base, CoverPath(a.id, firstPopPage ? slot : -1),
                 a.singer, a.date, hit);
    if (slot % 3 == 2 || slot == albums - 1) cells += QStringLiteral("</tr>");
  }
  return QStringLiteral(
             "<html><head><title>%1</title></head><body><h2>%1 %2</h2>"
             "<table class=\"newsplist\">%3</table></body></html>")
      .arg(extras::AlbumGroupCaption(group), extras::AlbumPageCaption(page), cells);
}

QByteArray DemoCover(int id) {
  constexpr int kSide = 100;
  const int rowBytes = kSide * 3;  // a multiple of four: no row padding
  QByteArray bmp;
  auto le32 = [&bmp](quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    bmp.append(c, 4);
  };
  auto le16 = [&bmp](quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    bmp.append(c, 2);
  };
  bmp.append("BM", 2);
  le32(54 + rowBytes * kSide);
  le32(0);
  le32(54);
  le32(40);
  le32(kSide);
  le32(kSide);
  le16(1);
  le16(24);
  le32(0);
  le32(rowBytes * kSide);
  le32(2835);
  le32(2835);
  le32(0);
  le32(0);
  const quint32 seed = static_cast<quint32>(id) * 2654435761u;
  const int r0 = 60 + seed % 160, g0 = 60 + (seed >> 8) % 160, b0 = 60 + (seed >> 16) % 160;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x) {
      // A gradient with a disc in the middle, like a record sleeve.
      const int dx = x - kSide / 2, dy = y - kSide / 2;
      const bool disc = dx * dx + dy * dy < 900;
      const bool hole = dx * dx + dy * dy < 30;
      const int shade = (x + y) / 2;
      int r = (r0 + shade) % 256, g = (g0 + shade / 2) % 256, b = (b0 + 100 - shade / 2) % 256;
      if (disc) r = g = b = 30;
      if (hole) r = 230, g = 200, b = 80;
      bmp.append(static_cast<char>(b));
      bmp.append(static_cast<char>(g));
      bmp.append(static_cast<char>(r));
    }
  return bmp;
}

void RegisterAlbumPages(DemoServer& server, const DemoCatalogue& catalogue) {
  const DemoServer* srv = &server;
  const DemoCatalogue* cat = &catalogue;

  server.AddPrefixRoute(QStringLiteral("/sogou_phb/html/album/"), [srv, cat](const DemoRequest& r) {
    static const QRegularExpression movie(QStringLiteral("^moviealbum_(\\d+)\\.html$"));
    static const QRegularExpression newest(
        QStringLiteral("^newalbum_(zh|en|jk)([A-Za-z]+)(\\d+)\\.html$"));
    const QString name = r.path.section(u'/', -1);
    int group = -1, style = -1, page = 0;
    if (const auto m = movie.match(name); m.hasMatch()) {
      group = 0, style = 0, page = m.captured(1).toInt();
    } else if (const auto n = newest.match(name); n.hasMatch()) {
      group = QStringList{"", "zh", "en", "jk"}.indexOf(n.captured(1));
      for (int s = 0; s < extras::kAlbumStyles; ++s)
        if (extras::AlbumStyleCode(group, s) == n.captured(2)) style = s;
      page = n.captured(3).toInt();
    }
    const QString text =
        style < 0 ? QString() : DemoAlbumListPage(*cat, srv->baseUrl(), group, style, page);
    if (text.isEmpty()) return DemoResponse::Html(QStringLiteral("<html>404</html>"), 404);
    return DemoResponse::Html(text);
  });

  server.AddPrefixRoute(QStringLiteral("/album/cover/"), [](const DemoRequest& r) {
    const QString name = r.path.section(u'/', -1);
    DemoResponse response;
    response.contentType = "image/bmp";
    if (name == u"missing.bmp") return DemoResponse::Html(QStringLiteral("<html>404</html>"), 404);
    if (name == u"slow.bmp") {
      response.body = DemoCover(7);
      response.bytesPerSecond = kSlowBytesPerSecond;
      return response;
    }
    bool ok = false;
    const int id = name.section(u'.', 0, 0).toInt(&ok);
    if (!ok) return DemoResponse::Html(QStringLiteral("<html>404</html>"), 404);
    response.body = DemoCover(id);
    return response;
  });

  server.AddPrefixRoute(QStringLiteral("/album/singer/"), [srv, cat](const DemoRequest& r) {
    bool ok = false;
    const int k = r.path.section(u'/', -1).section(u'.', 0, 0).toInt(&ok);
    if (!ok || k < 0 || k >= Singers(*cat).size())
      return DemoResponse::Html(QStringLiteral("<html>404</html>"), 404);
    return DemoResponse::Html(SingerAlbumsPage(*cat, k, srv->baseUrl()));
  });

  server.AddPrefixRoute(QStringLiteral("/album/"), [srv, cat](const DemoRequest& r) {
    bool ok = false;
    const int id = r.path.section(u'/', -1).section(u'.', 0, 0).toInt(&ok);
    if (!ok) return DemoResponse::Html(QStringLiteral("<html>404</html>"), 404);
    return DemoResponse::Html(AlbumPage(Album(*cat, id), srv->baseUrl()));
  });

  // The singer search (as=t, st=heat) shares /music.so with the song search: a page that
  // already names a singer page is kept, otherwise the singer's album page is named.
  const DemoRoute search = server.Route(QStringLiteral("/music.so"));
  server.AddRoute(QStringLiteral("/music.so"), [search, cat](const DemoRequest& r) {
    const bool singerSearch =
        r.Value(QStringLiteral("as")) == u"t" && r.Value(QStringLiteral("st")) == u"heat";
    if (!singerSearch) return search ? search(r) : DemoResponse::Html(QString(), 404);
    if (search) {
      DemoResponse earlier = search(r);
      if (earlier.body.contains("<strong><a href=\"")) return earlier;
    }
    const QString singer = r.Value(QStringLiteral("query")).trimmed();
    const int k = static_cast<int>(Singers(*cat).indexOf(singer));
    if (k < 0) return DemoResponse::Html(QStringLiteral("<html><body>没有找到</body></html>"));
    return DemoResponse::Html(SingerSearchPage(singer, k));
  });
}
