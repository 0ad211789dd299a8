// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "picturepages.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>

#include "catalogue.h"
#include "demoserver.h"

namespace {

constexpr int kPerPage = 20;
// Result pages per singer, in catalogue order: short bars, a bar of exactly 9 and 12, and
// long ones that need the page walk.
constexpr int kPagesBySinger[] = {37, 3, 1, 12, 9, 60, 2, 130, 5};

QStringList Singers(const DemoCatalogue& catalogue) {
  QStringList singers;
  for (const DemoSong& s : catalogue.songs())
    if (!singers.contains(s.singer)) singers << s.singer;
  return singers;
}

QString Query(const DemoRequest& r, int page) {
  return QStringLiteral("/pics?query=%1&page=%2&mode=%3&di=%4")
      .arg(QString::fromLatin1(r.query.value(QStringLiteral("query")).toUtf8().toPercentEncoding()),
           QString::number(page), r.Value(QStringLiteral("mode")), r.Value(QStringLiteral("di")));
}

// The bar shows up to ten pages around the current one, as the real service did.
QString PageBar(const DemoRequest& r, int page, int count) {
  const int first = qMax(1, page - 4);
  const int last = qMin(count, first + 9);
  QString bar = QStringLiteral("<div class=pagebar>");
  bar += page > 1 ? QStringLiteral("<a id=image_prev href=%1 >上一页</a>").arg(Query(r, page - 1))
                  : QStringLiteral("<span>上一页</span>");
  for (int p = first; p <= last; ++p)
    bar += p == page ? QStringLiteral(" <b>%1</b>").arg(p)
                     : QStringLiteral(" <a href=%1 >%2</a>").arg(Query(r, p)).arg(p);
  bar += page < count ? QStringLiteral(" <a href=%1 >下一页</a>").arg(Query(r, page + 1))
                      : QStringLiteral(" <span>下一页</span>");
  return bar + QStringLiteral("</div>\r\n");
}

QString ResultPage(const QString& base, const DemoRequest& r, int singer, int count) {
  const QString words = r.Value(QStringLiteral("query"));
  QString html = QStringLiteral("<html><head><title>") + words +
                 QStringLiteral(
                     " - 图片搜索</title></head><body>\r\n<div>在结果中按照主色调搜索:"
                     "红 黄 蓝 绿</div>\r\n");
  if (count == 0) {
    html += QStringLiteral("<p>没有找到与 ") + words + QStringLiteral(" 相关的图片</p>\r\n");
  } else {
    const int page = qBound(1, r.Value(QStringLiteral("page")).toInt(), count);
    html += QStringLiteral(
        "<script>document.getElementById('content1').style.width='980px'"
        "</script>\r\n<ul id=content1>\r\n");
    const int total = count * kPerPage - 7;  // the last page is not full
    for (int i = 0; i < kPerPage; ++i) {
      const int id = (page - 1) * kPerPage + i + 1;
      if (id > total) break;
      const QString name = QStringLiteral("%1_%2").arg(singer).arg(id);
      html += QStringLiteral(
                  "<li><a href=/picset?s=%1&id=%2 class=pic><img src=%3/picthumb/%4.jpg "
                  "title=\"%5 写真 %2\"></a></li>\r\n")
                  .arg(QString::number(singer), QString::number(id), base, name, words);
    }
    html += QStringLiteral("</ul>\r\n") + PageBar(r, page, count);
  }
  return html + QStringLiteral("<div>相关搜索: ") + words +
         QStringLiteral("</div></body></html>\r\n");
}

QString SetPage(const QString& base, int singer, int id) {
  QString html = QStringLiteral("<html><body><div>正在加载图片...</div>\r\n");
  for (int k = 1; k <= DemoSetSize(id); ++k)
    html += QStringLiteral(
                "<div><img src=%1/picfull/%2_%3_%4.jpg><a href=/dl?url=%1/picfull/"
                "%2_%3_%4.jpg>保存此图</a></div>\r\n")
                .arg(base, QString::number(singer), QString::number(id), QString::number(k));
  return html + QStringLiteral("<div>相关搜索</div></body></html>\r\n");
}

// A picture told apart by its numbers: a colour per singer and set, a circle per picture.
QByteArray Picture(const QString& name, QSize size) {
  const QStringList parts = name.section(u'.', 0, 0).split(u'_');
  const int singer = parts.value(0).toInt(), id = parts.value(1).toInt(),
            k = parts.value(2).toInt();
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  const QColor top = QColor::fromHsv((singer * 40 + id * 7) % 360, 140, 230);
  QLinearGradient fill(0, 0, size.width(), size.height());
  fill.setColorAt(0, top);
  fill.setColorAt(1, top.darker(250));
  p.fillRect(image.rect(), fill);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 160));
  const int d = size.height() / 3;
  p.drawEllipse(QRect(d / 2 + (k * d) % qMax(1, size.width() - d), size.height() / 3, d, d));
  p.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 85);
  return bytes;
}

DemoResponse Jpeg(const QByteArray& bytes) {
  DemoResponse r;
  r.contentType = "image/jpeg";
  r.body = bytes;
  if (bytes.isEmpty()) r.status = 404;
  return r;
}

}  // namespace

int DemoSetSize(int id) {
  return id % 5 == 1 ? 1 : 2 + id % 4;
}

int DemoPicturePages(const DemoCatalogue& catalogue, const QString& words) {
  const qsizetype i = Singers(catalogue).indexOf(words.trimmed());
  return i < 0 ? 0 : kPagesBySinger[i % std::size(kPagesBySinger)];
}

void RegisterPicturePages(DemoServer& server, const DemoCatalogue& catalogue) {
  const DemoServer* srv = &server;
  const DemoCatalogue* cat = &catalogue;
  server.AddRoute(QStringLiteral("/pics"), [srv, cat](const DemoRequest& r) {
    const QString words = r.Value(QStringLiteral("query")).trimmed();
    const int singer = static_cast<int>(Singers(*cat).indexOf(words));
    return DemoResponse::Html(ResultPage(srv->baseUrl(), r, singer, DemoPicturePages(*cat, words)));
  });
  server.AddRoute(QStringLiteral("/picset"), [srv](const DemoRequest& r) {
    return DemoResponse::Html(SetPage(srv->baseUrl(), r.Value(QStringLiteral("s")).toInt(),
                                      r.Value(QStringLiteral("id")).toInt()));
  });
  server.AddPrefixRoute(QStringLiteral("/picthumb/"), [](const DemoRequest& r) {
    return Jpeg(Picture(r.path.section(u'/', -1), QSize(120, 90)));
  });
  server.AddPrefixRoute(QStringLiteral("/picfull/"), [](const DemoRequest& r) {
    return Jpeg(Picture(r.path.section(u'/', -1), QSize(800, 600)));
  });
}
