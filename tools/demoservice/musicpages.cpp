// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "musicpages.h"

#include <QStringList>

#include "catalogue.h"
#include "demoserver.h"

namespace {
constexpr int kSogouPerPage = 28;  // two scan rounds go to the page's select-all link
constexpr int kBaiduPerPage = 30;

QString Escape(const QString& s) {
  return s.toHtmlEscaped();
}

QString Page(const QString& title, const QString& body) {
  return QStringLiteral(
             "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
             "charset=gb2312\">\r\n<title>") +
         Escape(title) + QStringLiteral("</title>\r\n</head>\r\n<body>\r\n") + body +
         QStringLiteral("</body>\r\n</html>\r\n");
}

struct Link {
  const DemoSong* song;
  int mirror;
};

// Search pages list each song once (its first mirror); candidate pages list every mirror of
// the songs the words match.
QList<Link> SearchLinks(const QList<const DemoSong*>& songs, int from, int count) {
  QList<Link> out;
  for (int i = from; i < songs.size() && i < from + count; ++i) out.append({songs[i], 0});
  return out;
}
QList<Link> CandidateLinks(const QList<const DemoSong*>& songs) {
  QList<Link> out;
  for (const DemoSong* s : songs)
    for (int m = 0; m < DemoCatalogue::kMirrors; ++m) out.append({s, m});
  return out;
}

QString SogouPage(const QString& words, const QList<Link>& links) {
  // A page without hits carries no select-all link either: its return(false) would read as a
  // hit of its own.
  if (links.isEmpty())
    return Page(words + QStringLiteral(" - 音乐搜索"), QStringLiteral("<p>没有找到相关歌曲</p>\r\n"));
  QString body = QStringLiteral(
      "<div class=bar><a pb=t class=mr style=\"display:inline\" href=\"#\" "
      "onclick=\"selectAll('songs');return(false);\">全选</a></div>\r\n<table>\r\n");
  for (const Link& l : links) {
    const QString arg = QStringLiteral("id=%1&m=%2").arg(l.song->id).arg(l.mirror);
    body += QStringLiteral(
                "<tr><td><a pb=t class=mr style=\"display:inline\" href=\"#\"\r\n"
                "onclick=\"o2('") +
            arg + QStringLiteral("');return(false);\" title=\"") + Escape(l.song->title) +
            QStringLiteral("\" action=\"listen\" target=_blank>") + Escape(l.song->title) +
            QStringLiteral("</a></td>\r\n<td><a href=\"/singer?name=") + Escape(l.song->singer) +
            QStringLiteral("\" class=mr target=_blank><b>") + Escape(l.song->singer) +
            QStringLiteral("</b></a>&nbsp;</td></tr>\r\n");
  }
  // The pager closes the list: without a marker after it, the scan would take the last hit
  // again.
  body += QStringLiteral(
      "</table>\r\n<div class=pager><a pb=t class=mr style=\"display:inline\" "
      "href=\"#\">下一页</a></div>\r\n");
  return Page(words + QStringLiteral(" - 音乐搜索"), body);
}

QString BaiduPage(const QString& base, const QString& words, const QList<Link>& hits,
                  const QList<Link>& candidates) {
  const QString ow = QStringLiteral("onclick=\"return ow(event,this)\"  target=\"_blank\">");
  QString body = QStringLiteral("<table>\r\n");
  for (const Link& l : hits)
    body += QStringLiteral("<tr><td class=t><a href=\"/songinfo?id=") +
            QString::number(l.song->id) + QStringLiteral("\" ") + ow + Escape(l.song->title) +
            QStringLiteral("</a></td>\r\n<td><a href=\"/singer?name=") + Escape(l.song->singer) +
            QStringLiteral("\" target=\"_blank\">") + Escape(l.song->singer) +
            QStringLiteral("</a>&nbsp;</td></tr>\r\n");
  for (const Link& l : candidates)
    body += QStringLiteral("<tr><td class=d><a href=\"") + base +
            QStringLiteral("/baidu/link?id=%1&m=%2&word=wav,").arg(l.song->id).arg(l.mirror) +
            Escape(l.song->title) +
            QStringLiteral("\" title=\"请点击左键，选择目标另存为\">下载</a></td></tr>\r\n");
  body += QStringLiteral("</table>\r\n<div class=more><a href=\"/more\" ") + ow +
          QStringLiteral("更多结果</a></div>\r\n");
  return Page(words + QStringLiteral(" - 音乐搜索"), body);
}

QString SosoPage(const QString& base, const QString& words, const QList<Link>& candidates) {
  QString body = QStringLiteral("<div class=rate>连通率: 100%</div>\r\n");
  int n = 1;
  for (const Link& l : candidates)
    body += QStringLiteral("<div id=\"meta_info_") + QString::number(n++) +
            QStringLiteral("\" style=\"display:none\">") + Escape(l.song->title) + u';' +
            Escape(l.song->singer) + u';' + base +
            QStringLiteral("/audio/%1-%2.wav;;|$|</div>\r\n").arg(l.song->id).arg(l.mirror);
  return Page(words + QStringLiteral(" - 音乐搜索"), body);
}

QString AudioAddress(const QString& base, int id, int mirror) {
  return base + QStringLiteral("/audio/%1-%2.wav").arg(id).arg(mirror);
}
}  // namespace

void RegisterMusicSearch(DemoServer& server, const DemoCatalogue& catalogue) {
  const DemoServer* srv = &server;
  const DemoCatalogue* cat = &catalogue;

  // Sogou: w=02009900 is a result page, w=02210201 the candidate page of one hit.
  server.AddRoute(QStringLiteral("/music.so"), [srv, cat](const DemoRequest& r) {
    const QString words = r.Value(QStringLiteral("query"));
    const auto songs = cat->Match(words);
    if (r.Value(QStringLiteral("w")) == u"02210201")
      return DemoResponse::Html(SogouPage(words, CandidateLinks(songs)));
    const int page = qMax(1, r.Value(QStringLiteral("page")).toInt());
    return DemoResponse::Html(
        SogouPage(words, SearchLinks(songs, (page - 1) * kSogouPerPage, kSogouPerPage)));
    Q_UNUSED(srv);
  });
  server.AddRoute(QStringLiteral("/listenV2.jsp"), [srv, cat](const DemoRequest& r) {
    const DemoSong* song = cat->Song(r.Value(QStringLiteral("id")).toInt());
    if (!song)
      return DemoResponse::Html(Page(QStringLiteral("试听"), QStringLiteral("没有这首歌")));
    const int m = r.Value(QStringLiteral("m")).toInt();
    const QString script =
        QStringLiteral(
            "<script type=\"text/javascript\">\r\nvar songlist = {\"total\":1,\"songs\":"
            "[{\"name\":\"") +
        song->title + QStringLiteral("\",\"singer\":\"") + song->singer +
        QStringLiteral("\",\"url\":\"") + AudioAddress(srv->baseUrl(), song->id, m) +
        QStringLiteral("\"}]};\r\n</script>\r\n");
    return DemoResponse::Html(Page(song->title + QStringLiteral(" - 试听"), script));
  });

  // Baidu: the same result page lists hits and, for the candidate search, download links.
  server.AddRoute(QStringLiteral("/m"), [srv, cat](const DemoRequest& r) {
    const QString words = r.Value(QStringLiteral("word"));
    const auto songs = cat->Match(words);
    const bool paged = r.query.contains(QStringLiteral("pn"));
    const int from = r.Value(QStringLiteral("pn")).toInt();
    return DemoResponse::Html(BaiduPage(srv->baseUrl(), words,
                                        SearchLinks(songs, from, kBaiduPerPage),
                                        paged ? QList<Link>() : CandidateLinks(songs)));
  });
  server.AddRoute(QStringLiteral("/baidu/link"), [srv, cat](const DemoRequest& r) {
    const DemoSong* song = cat->Song(r.Value(QStringLiteral("id")).toInt());
    if (!song)
      return DemoResponse::Html(Page(QStringLiteral("下载"), QStringLiteral("链接已失效")));
    const QString body =
        QStringLiteral("<p>") + Escape(song->title) +
        QStringLiteral("</p>\r\n<a id=\"urla\" href=\"") +
        AudioAddress(srv->baseUrl(), song->id, r.Value(QStringLiteral("m")).toInt()) +
        QStringLiteral("\">") + Escape(song->title) + QStringLiteral("</a>\r\n");
    return DemoResponse::Html(Page(song->title + QStringLiteral(" - 下载"), body));
  });

  // Soso: result pages are only fetched; the candidate page carries the meta blocks.
  server.AddRoute(QStringLiteral("/music.cgi"), [srv, cat](const DemoRequest& r) {
    const QString words = r.Value(QStringLiteral("w"));
    const auto songs = cat->Match(words);
    if (r.Value(QStringLiteral("ch")) == u"w.m.soso")
      return DemoResponse::Html(SosoPage(srv->baseUrl(), words, CandidateLinks(songs)));
    QString list;
    for (const DemoSong* s : songs)
      list += QStringLiteral("<li>") + Escape(s->title) + QStringLiteral(" - ") +
              Escape(s->singer) + QStringLiteral("</li>\r\n");
    return DemoResponse::Html(
        Page(words + QStringLiteral(" - 音乐搜索"),
             QStringLiteral("<ul>\r\n") + list + QStringLiteral("</ul>\r\n")));
  });

  server.AddPrefixRoute(QStringLiteral("/audio/"), [cat](const DemoRequest& r) {
    // "/audio/ID-MIRROR.wav"
    const QString name = r.path.mid(7).section(u'.', 0, 0);
    const int id = name.section(u'-', 0, 0).toInt();
    const int mirror = name.section(u'-', 1, 1).toInt();
    const DemoSong* song = cat->Song(id);
    if (!song || mirror < 0 || mirror >= DemoCatalogue::kMirrors ||
        DemoCatalogue::Mirror(id, mirror) == MirrorState::Missing)
      return DemoResponse::Html(QStringLiteral("<html><body>404 文件不存在</body></html>"), 404);
    DemoResponse audio;
    if (DemoCatalogue::Mirror(id, mirror) == MirrorState::Stalled) {
      audio.stall = true;
      return audio;
    }
    audio.contentType = "audio/wav";
    audio.body = song->wav;
    audio.rangeable = true;
    audio.bytesPerSecond = 300 * 1000;  // slow enough for a download's progress to show
    return audio;
  });
}
