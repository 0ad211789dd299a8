// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "singerpages.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QStringList>

#include "albumpages.h"
#include "catalogue.h"
#include "demoserver.h"

namespace {

QString Page(const QString& title, const QString& body) {
  return QStringLiteral(
             "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
             "charset=gb2312\">\r\n<title>") +
         title.toHtmlEscaped() + QStringLiteral("</title>\r\n</head>\r\n<body>\r\n") + body +
         QStringLiteral("</body>\r\n</html>\r\n");
}

// The catalogue's singers in order of their first song; a singer's id is its place + 1.
QStringList Singers(const DemoCatalogue& catalogue) {
  QStringList singers;
  for (const DemoSong& song : catalogue.songs())
    if (!singers.contains(song.singer)) singers << song.singer;
  return singers;
}

const char* const kRegions[] = {"内地", "港台", "内地", "新加坡"};
const char* const kEnglish[] = {"Lin Che",    "Su Wanqing", "Chen Ye", "Bai Xiaolu", "Zhou Mu",
                                "Xu Nanshan", "Ye Zhiqiu",  "Gu Bei",  "Tang Yinuo"};

QString SingerPage(const QString& base, int id, const QString& singer,
                   const QList<const DemoSong*>& songs, const QString& albumSection) {
  const QString english =
      id <= 9 ? QString::fromUtf8(kEnglish[id - 1]) : QStringLiteral("Singer %1").arg(id);
  QString body = QStringLiteral("<div class=\"starIntro\">\r\n<img src=\"") + base +
                 QStringLiteral(
                     "/singerpic/%1.png\" onerror=\"this.src='/none.gif'\" "
                     "width=120 height=120>\r\n<dl>\r\n<dt>")
                     .arg(id) +
                 singer.toHtmlEscaped() + QStringLiteral("</dt>\r\n<dd>英文名：") + english +
                 QStringLiteral("</dd>\r\n<dd>所属地区：") + QString::fromUtf8(kRegions[id % 4]) +
                 QStringLiteral("</dd>\r\n<dd>专辑数：") + QString::number(1 + id % 3) +
                 QStringLiteral("</dd>\r\n<dd>单曲数：") + QString::number(songs.size()) +
                 QStringLiteral("</dd>\r\n</dl>\r\n</div>\r\n");
  body +=
      QStringLiteral("<div class=\"box\"><h3>歌手资料</h3>\r\n<ul>\r\n<li>") +
      singer.toHtmlEscaped() +
      QStringLiteral("，演示曲库里的歌手，嗓音清亮，擅长民谣与流行。</li>\r\n<li>代表作《") +
      songs.value(0)->title.toHtmlEscaped() +
      QStringLiteral("》。</li>\r\n<li>出道以来发行过多张专辑。>>阅读全部</li>\r\n</ul></div>\r\n");
  body += QStringLiteral("<table class=\"hotsongTable\">\r\n");
  for (const DemoSong* song : songs)
    body +=
        QStringLiteral("<tr><td title=\"") + song->title.toHtmlEscaped() +
        QStringLiteral("\"><input type=\"checkbox\" name=\"song\" value=\"%1\">").arg(song->id) +
        song->title.toHtmlEscaped() + QStringLiteral("</td></tr>\r\n");
  body += QStringLiteral("</table>\r\n");
  body += albumSection;  // last: the album items are read from their heading on
  return Page(singer + QStringLiteral(" - 歌手"), body);
}

// A portrait-like picture in the singer's own colours: a head and shoulders on a gradient.
QByteArray SingerPicture(int id) {
  QImage image(160, 160, QImage::Format_RGB32);
  const QColor top = QColor::fromHsv((id * 47) % 360, 90, 240);
  const QColor bottom = QColor::fromHsv((id * 47 + 40) % 360, 160, 150);
  QPainter p(&image);
  QLinearGradient gradient(0, 0, 0, 160);
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  p.fillRect(image.rect(), gradient);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 200));
  p.drawEllipse(QPointF(80, 62), 28, 30);
  p.drawChord(QRectF(28, 100, 104, 110), 0, 180 * 16);
  p.end();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

}  // namespace

void RegisterSingerPages(DemoServer& server, const DemoCatalogue& catalogue) {
  const DemoCatalogue* cat = &catalogue;
  const DemoServer* srv = &server;
  const QStringList singers = Singers(catalogue);
  // The singer search shares /music.so with the song search, which answers everything else.
  const DemoRoute songSearch = server.Route(QStringLiteral("/music.so"));
  server.AddRoute(QStringLiteral("/music.so"), [singers, songSearch](const DemoRequest& r) {
    if (r.Value(QStringLiteral("as")) != u"t" && songSearch) return songSearch(r);
    const QString name = r.Value(QStringLiteral("query")).trimmed();
    const qsizetype index = name.isEmpty() ? -1 : singers.indexOf(name);
    if (index < 0)
      return DemoResponse::Html(Page(name + QStringLiteral(" - 歌手搜索"),
                                     QStringLiteral("<p>没有找到相关歌手</p>\r\n")));
    const QString body = QStringLiteral(
                             "<div class=\"singer\"><strong><a href=\"/singer/%1.html\" "
                             "target=\"_blank\"><font color=\"#c00\">")
                             .arg(index + 1) +
                         name.toHtmlEscaped() +
                         QStringLiteral("</font></a></strong> 的相关歌曲</div>\r\n");
    return DemoResponse::Html(Page(name + QStringLiteral(" - 歌手搜索"), body));
  });
  server.AddPrefixRoute(QStringLiteral("/singer/"), [singers, cat, srv](const DemoRequest& r) {
    QString file = r.path.mid(8);
    file.chop(5);  // ".html"
    bool ok = false;
    const int id = file.toInt(&ok);
    if (!ok || id < 1 || id > singers.size() || !r.path.endsWith(QStringLiteral(".html")))
      return DemoResponse::Html(Page(QStringLiteral("歌手"), QStringLiteral("没有这个歌手")), 404);
    QList<const DemoSong*> songs;
    for (const DemoSong& song : cat->songs())
      if (song.singer == singers.at(id - 1)) songs << &song;
    return DemoResponse::Html(SingerPage(srv->baseUrl(), id, singers.at(id - 1), songs,
                                         DemoSingerAlbumSection(*cat, id - 1, srv->baseUrl())));
  });
  server.AddPrefixRoute(QStringLiteral("/singerpic/"), [singers](const DemoRequest& r) {
    const int id = r.path.mid(11).section(u'.', 0, 0).toInt();
    if (id < 1 || id > singers.size()) return DemoResponse::Html(QStringLiteral("missing"), 404);
    DemoResponse response;
    response.contentType = "image/png";
    response.body = SingerPicture(id);
    return response;
  });
  server.AddRoute(QStringLiteral("/t"), [](const DemoRequest& r) {
    const QString name = r.Value(QStringLiteral("s"));
    return DemoResponse::Html(
        Page(name + QStringLiteral("吧"),
             QStringLiteral("<h1>") + name.toHtmlEscaped() +
                 QStringLiteral("吧</h1>\r\n<p>欢迎来到歌迷的说吧。</p>\r\n")));
  });
}
