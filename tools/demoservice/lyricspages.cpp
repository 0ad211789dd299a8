// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyricspages.h"

#include <QStringList>

#include "catalogue.h"
#include "common/gbk.h"
#include "demoserver.h"

namespace {
constexpr int kPerPage = 10;
constexpr int kCoverHit = 0, kErrorHit = 1, kOwnHit = 2;

const char* const kVerses[] = {
    "风从海上吹来 带着远方的消息",
    "你说月光落在码头 像一封没寄出的信",
    "我们走过青石板路 数着雨滴的声音",
    "候鸟飞过城市 没有人回头看",
    "把心事折成纸飞机 放进晚风里",
    "灯火一盏一盏亮起 照着回家的路",
    "星河很远 你很近",
    "第七个夏天 蝉声还在耳边",
};

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

QList<DemoLyricsHit> HitsFor(const DemoCatalogue& catalogue, const QString& words) {
  QList<DemoLyricsHit> hits;
  for (const DemoSong* song : catalogue.Match(words)) hits << DemoLyricsHits(*song);
  return hits;
}

QString LrcLink(const DemoLyricsHit& h) {
  return QStringLiteral("lrcfiles/%1-%2.lrc").arg(h.song->id).arg(h.index);
}

// First site: "共找到..." count, adverts, then entries of 10 a page.
QString SitePage(const QString& words, const QList<DemoLyricsHit>& hits, int page) {
  QString body = QStringLiteral("<div class=count>共找到<span class=\"fred\">") +
                 QString::number(hits.size()) + QStringLiteral("</span>个结果</div>\r\n") +
                 QStringLiteral("<div class=ad>赞助广告</div>\r\n<ul>\r\n");
  const int from = (page - 1) * kPerPage;
  for (int i = from; i >= 0 && i < hits.size() && i < from + kPerPage; ++i) {
    const DemoLyricsHit& h = hits[i];
    body +=
        QStringLiteral("<li>%1.歌曲：<a href=/song/%2.htm target=_blank><B>")
            .arg(i + 1)
            .arg(h.song->id) +
        Escape(h.song->title) + QStringLiteral("</B></a>\r\n 歌手：<a href=/singer.htm>") +
        Escape(h.singer) +
        QStringLiteral("</a>\r\n 下载：<a href=#>LRC格式</a> <span>>TXT格式<</span><a href=\"") +
        LrcLink(h) +
        QStringLiteral("\" target=_blank>下载</a>\r\n <a href=#>音乐播放LRC同步显示</a></li>\r\n");
  }
  return Page(words + QStringLiteral(" - 歌词搜索"), body + QStringLiteral("</ul>\r\n"));
}

QString BaiduLyricsPage(const QString& base, const QString& words, const QList<DemoLyricsHit>& hits,
                        int from) {
  QString body;
  for (int i = from; i >= 0 && i < hits.size() && i < from + kPerPage; ++i) {
    const DemoLyricsHit& h = hits[i];
    const QString link = base + u'/' + LrcLink(h);
    body += QStringLiteral("<div class=\"song\"><strong>歌曲：</strong><font color=\"#c60a00\">") +
            Escape(h.song->title) +
            QStringLiteral("</font></div>\r\n<div><strong>歌手：</strong><A href=\"/singer\">") +
            Escape(h.singer) +
            QStringLiteral("</a></div>\r\n<div style=\"word-break:break-all\"><a href=\"") + link +
            QStringLiteral("\" target=\"_blank\">") + link +
            QStringLiteral("</a></div>\r\n<div class=from>LRC歌词来自：demo</div>\r\n");
  }
  if (body.isEmpty()) body = QStringLiteral("<p>没有找到相关歌词</p>\r\n");
  return Page(words + QStringLiteral(" - 歌词搜索"), body);
}
}  // namespace

QList<DemoLyricsHit> DemoLyricsHits(const DemoSong& song) {
  if (song.id % 6 == 0) return {};
  return {{&song, kCoverHit, QStringLiteral("群星")},
          {&song, kErrorHit, song.singer},
          {&song, kOwnHit, song.singer}};
}

QByteArray DemoLyricsFile(const DemoSong& song, int index) {
  if (index == kErrorHit)
    return common::EncodeGbk(
        QStringLiteral("<html><head><title>出错了</title></head><body><div>歌词暂时无法下载"
                       "</div><br></body></html>\r\n"));
  // Time tags spread over the song so that the last line comes a few seconds before its end.
  QStringList lines{
      QStringLiteral("[ti:") + song.title + u']',
      QStringLiteral("[ar:") + (index == kCoverHit ? QStringLiteral("群星") : song.singer) + u']',
      QStringLiteral("[by:tunewharf-demo]")};
  const int count = 24;
  const double last = song.seconds - 4;
  for (int k = 0; k < count; ++k) {
    const int cs = static_cast<int>(last * 100 * k / (count - 1));
    lines << QString::asprintf("[%02d:%02d.%02d]", cs / 6000, cs / 100 % 60, cs % 100) +
                 QString::fromUtf8(kVerses[(k + song.id) % std::size(kVerses)]);
  }
  switch (song.id % 3) {
    case 0:
      return common::EncodeGbk(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    case 1:
      return "\xEF\xBB\xBF" +
             (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
    default:
      return (lines.join(u'\n') + u'\n').toUtf8();
  }
}

void RegisterLyricsSearch(DemoServer& server, const DemoCatalogue& catalogue) {
  const DemoServer* srv = &server;
  const DemoCatalogue* cat = &catalogue;
  server.AddRoute(QStringLiteral("/"), [cat](const DemoRequest& r) {
    const QString words = r.Value(QStringLiteral("k"));
    return DemoResponse::Html(
        SitePage(words, HitsFor(*cat, words), qMax(1, r.Value(QStringLiteral("p")).toInt())));
  });
  // The Baidu lyrics search answers at the music search's path; tn tells them apart.
  const DemoRoute music = server.Route(QStringLiteral("/m"));
  server.AddRoute(QStringLiteral("/m"), [srv, cat, music](const DemoRequest& r) {
    if (r.Value(QStringLiteral("tn")) != QStringLiteral("baidump3lyric"))
      return music ? music(r) : DemoResponse::Html(QString(), 404);
    const QString words = r.Value(QStringLiteral("word"));
    return DemoResponse::Html(BaiduLyricsPage(srv->baseUrl(), words, HitsFor(*cat, words),
                                              r.Value(QStringLiteral("pn")).toInt()));
  });
  server.AddPrefixRoute(QStringLiteral("/lrcfiles/"), [cat](const DemoRequest& r) {
    const QStringList parts =
        r.path.mid(10).chopped(r.path.endsWith(QStringLiteral(".lrc")) ? 4 : 0).split(u'-');
    const DemoSong* song = cat->Song(parts.value(0).toInt());
    const int index = parts.value(1, QStringLiteral("-1")).toInt();
    if (!song || index < 0 || index > kOwnHit || DemoLyricsHits(*song).isEmpty())
      return DemoResponse::Html(QStringLiteral("<html><body>404 找不到歌词</body></html>"), 404);
    DemoResponse response;
    response.contentType = "text/plain";
    response.body = DemoLyricsFile(*song, index);
    // The error hit answers like a broken site: an HTML page with status 200.
    if (index == kErrorHit) response.contentType = "text/html; charset=gb2312";
    return response;
  });
}
