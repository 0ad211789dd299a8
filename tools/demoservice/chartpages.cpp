// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "chartpages.h"

#include <memory>

#include "catalogue.h"
#include "demoserver.h"

namespace {
using web::ChartSource;

// Pages of the time were long: the filler keeps every real chart past the short-page rule.
QString Wrap(const QString& title, const QString& body) {
  return QStringLiteral("<html><head><title>") + title +
         QStringLiteral("</title></head><body><!-- ") + QString(1100, u'=') +
         QStringLiteral(" -->\r\n") + body + QStringLiteral("\r\n</body></html>");
}

QString Item(ChartSource source, int arg, int n, const QString& t, const QString& s) {
  const QString num = QString::number(n);
  switch (source) {
    case ChartSource::SiteA:
      return QStringLiteral(
                 "<li><input name=s%1 type=checkbox value=%1><a href=/p/%1 "
                 "title='点击试听'>%2-%3</a></li>\r\n")
          .arg(num, t, s);
    case ChartSource::SiteB:
      return QStringLiteral(
                 "<tr><td><a href='/p/%1' target=_blank>%2</a></td><td><font "
                 "color=#3866af>%3</font></td><td bgcolor=#95d889></td></tr>\r\n")
          .arg(num, t, s);
    case ChartSource::Baidu:
      return QStringLiteral(
                 "<tr><td width=17%><a href=/p/%1 target=_blank><b>%2</b></a></td><td><a "
                 "href=/s/%1 target=_blank>%3</a></td></tr>\r\n")
          .arg(num, t, s);
    case ChartSource::Sogou:
      if (arg == 0)
        return QStringLiteral(
                   "<li><input type=checkbox w=%1 title=%2><a href=/s/%1 "
                   "target=_blank>%3</a>&gt;</li>\r\n")
            .arg(num, t, s);
      if (arg == 3)
        return QStringLiteral(
                   "<li><input section=%1 href=/p/%1 title=%2 target=_blank  title=%3 "
                   "singer=%1></li>\r\n")
            .arg(num, t, s);
      return QStringLiteral(
                 "<li>%1.<input type=checkbox w=%1><a href=/p/%1 target=_blank>%2</a> <a "
                 "href=/s/%1 target=_blank>%3</a>&gt;</li>\r\n")
          .arg(num, t, s);
    case ChartSource::SiteC:
      return QStringLiteral(
                 "<li><a href=/p/%1 target=\"play\">%2</a> - <a href=/s/%1>%3</a></li>\r\n")
          .arg(num, t, s);
    case ChartSource::SiteD:
      return QStringLiteral(
                 "%1. <A href='/p/%1' target=htmlplay>%2</A> <A href=/s/%1 "
                 "target=_blank>%3</A><br>\r\n")
          .arg(num, t, s);
    case ChartSource::Soso:
      return QStringLiteral(
                 "<li><input name=c%1><a title=\"%2\" href=/p/%1>%2</a> <a "
                 "href=/s/%1>%3</a></li>\r\n")
          .arg(num, t, s);
    case ChartSource::SiteE:
      if (arg <= 1)
        return QStringLiteral(
                   "<li><input name=\"chkTracks\" value=%1><a href=/p/%1 target=\"Player\">%2</a> "
                   "<a href=/s/%1 target=_blank>[%3]</a></li>\r\n")
            .arg(num, t, s);
      return QStringLiteral(
                 "<li><a href=/p/%1 target=Player>%2</a> <a href=/s/%1 "
                 "target=_blank>%3</a></li>\r\n")
          .arg(num, t, s);
    case ChartSource::WowFile:
      break;
  }
  return QString();
}

// The section a source's scraper reads, around the items.
QString Section(ChartSource source, int arg, const QString& items) {
  const QString q = QStringLiteral("\"");
  switch (source) {
    case ChartSource::SiteB:
      return QStringLiteral("<h2>第1组歌曲</h2><table>") + items +
             QStringLiteral("</table><p>联系本站</p>");
    case ChartSource::Baidu:
      return QStringLiteral("<input type=hidden name=refreshtime value=@+RESBODY+@><table>") +
             items +
             QStringLiteral("</table><input type=hidden name=refreshtime value=@-RESBODY-@>");
    case ChartSource::SiteC:
      return QStringLiteral("<p>共收录歌曲</p><ul>") + items + QStringLiteral("</ul>");
    case ChartSource::SiteD:
      return QStringLiteral("<!--hot music here-->") + items;
    case ChartSource::Soso:
      return QStringLiteral("<h3>No.1—12</h3><ul>") + items + QStringLiteral("</ul>");
    case ChartSource::SiteE:
      if (arg <= 1)
        return QStringLiteral("<div id=") + q + QStringLiteral("TopHt") + q +
               QStringLiteral("><div class=") + q + QStringLiteral("all_c") + q +
               QStringLiteral("><ul>") + items + QStringLiteral("</ul></div></div>");
      return QStringLiteral("<div class=") + q + QStringLiteral("middle_t") + q + u'>' + items +
             QStringLiteral("<div class=") + q + QStringLiteral("middle_b") + q + u'>';
    default:
      return QStringLiteral("<ul>") + items + QStringLiteral("</ul>");
  }
}

}  // namespace

QString DemoChartPage(ChartSource source, int arg, const DemoCatalogue& catalogue, int first,
                      int count) {
  const auto& songs = catalogue.songs();
  QString items;
  for (int i = 0; i < count && !songs.isEmpty(); ++i) {
    const DemoSong& song = songs.at((first + i) % songs.size());
    items += Item(source, arg, i + 1, song.title, song.singer);
  }
  return Wrap(QStringLiteral("排行榜"), Section(source, arg, items));
}

void RegisterChartPages(DemoServer& server, const DemoCatalogue& catalogue) {
  const auto entries = web::ChartMenuEntries(QString(), QString());
  for (int index = 0; index < entries.size(); ++index) {
    const web::ChartEntry& entry = entries.at(index);
    QString path = web::ChartPagePath(entry.source, entry.arg);
    if (path.isEmpty()) continue;
    path = path.section(u'?', 0, 0);
    QString page;
    if (entry.source == ChartSource::SiteC && entry.arg == 2)
      page = Wrap(QStringLiteral("本榜暂无歌曲"), QStringLiteral("<p>共收录 0 首</p>"));
    else
      page = DemoChartPage(entry.source, entry.arg, catalogue, index * 3, 12 + index % 9);
    if (entry.source == ChartSource::SiteA && entry.arg == 0) {
      auto asked = std::make_shared<int>(0);
      server.AddRoute(path, [page, asked](const DemoRequest&) {
        // The first visit meets a busy server's short error page; the player asks again.
        if ((*asked)++ == 0)
          return DemoResponse::Html(QStringLiteral("<html><body>服务器忙,请刷新</body></html>"));
        return DemoResponse::Html(page);
      });
    } else {
      server.AddRoute(path, [page](const DemoRequest&) { return DemoResponse::Html(page); });
    }
  }
}
