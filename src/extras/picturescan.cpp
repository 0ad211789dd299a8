// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/picturescan.h"

#include "extras/picturecache.h"

namespace extras {

namespace {

const QString kResultStart = QStringLiteral("在结果中按照主色调搜索");
const QString kResultEnd = QStringLiteral("相关搜索");
const QString kContent = QStringLiteral("document.getElementById('content1').style.width='980px'");

QString Common(const QString& words, int page, PicKind kind, const QString& host) {
  return QStringLiteral("query=%1&page=%2&mood=0&dheight=768&dwidth=1024&mode=%3&di=%4&_asf=%5")
      .arg(QueryWord(words), QString::number(page), QString::number(kind.mode),
           QString::number(kind.di), host);
}

// Quotes around an attribute value are the page's, not the address's.
QString Unquote(QString value) {
  value = value.trimmed();
  while (!value.isEmpty() && (value.front() == u'"' || value.front() == u'\'')) value.remove(0, 1);
  while (!value.isEmpty() && (value.back() == u'"' || value.back() == u'\'')) value.chop(1);
  return value.trimmed();
}

QString Absolute(const QString& link, const QString& root) {
  const QString l = Unquote(link);
  if (l.isEmpty() || IsWebAddress(l)) return l;
  if (l.contains(QStringLiteral("://")) || l.startsWith(QStringLiteral("//"))) return QString();
  return l.startsWith(u'/') ? root + l : root + u'/' + l;
}

// A page number written in the bar; counts past the cap stop at the cap.
int PageNumber(QStringView text) {
  text = text.trimmed();
  if (text.isEmpty()) return 0;
  qint64 n = 0;
  for (QChar c : text) {
    if (c < u'0' || c > u'9') return 0;
    n = n * 10 + (c.unicode() - u'0');
    if (n > kMaxPicturePages) return kMaxPicturePages;
  }
  return static_cast<int>(n);
}

// The value after `key` up to the first of `ends`, searching from `from` but not past `limit`.
QString ValueAfter(const QString& page, const QString& key, qsizetype from, qsizetype limit,
                   std::initializer_list<QChar> ends, qsizetype* next = nullptr) {
  const qsizetype at = page.indexOf(key, from);
  if (at < 0 || at >= limit) return QString();
  const qsizetype start = at + key.size();
  qsizetype end = start;
  while (end < limit) {
    const QChar c = page.at(end);
    bool stop = false;
    for (QChar e : ends) stop = stop || c == e;
    if (stop) break;
    ++end;
  }
  if (next) *next = end;
  return page.mid(start, end - start);
}

}  // namespace

QString FirstPageQuery(const QString& words, PicKind kind, const QString& host) {
  return QStringLiteral("query=%1&mode=%2&mood=0&dheight=768&dwidth=1024&di=%3&_asf=%4&w=05009900")
      .arg(QueryWord(words), QString::number(kind.mode), QString::number(kind.di), host);
}

QString WalkPageQuery(const QString& words, int page, PicKind kind, const QString& host) {
  return Common(words, page, kind, host) + QStringLiteral("&w=05000000&dr=1");
}

QString ThumbPageQuery(const QString& words, int page, PicKind kind, const QString& host) {
  return QStringLiteral("query=%1&page=%2&mood=0&mode=%3&di=%4&_asf=%5&w=05000000&dr=1")
      .arg(QueryWord(words), QString::number(page), QString::number(kind.mode),
           QString::number(kind.di), host);
}

QList<int> WalkPages() {
  QList<int> pages{10};
  for (int k = 0; k <= 10; ++k) pages << 9 * k + 19;
  return pages;
}

QString ResultPart(const QString& page) {
  const qsizetype start = page.indexOf(kResultStart);
  const qsizetype from = start < 0 ? 0 : start + kResultStart.size();
  const qsizetype end = page.indexOf(kResultEnd, from);
  return page.mid(from, end < 0 ? -1 : end - from);
}

PageBar ScanPageBar(const QString& page, const QString& root) {
  PageBar bar;
  const qsizetype mark = page.indexOf(QStringLiteral("pagebar"));
  if (mark < 0) return bar;
  const QString prev = QStringLiteral("上一页"), next = QStringLiteral("下一页");
  const qsizetype prevAt = page.indexOf(prev, mark);
  if (prevAt < 0) return bar;
  const qsizetype from = prevAt + prev.size();
  const qsizetype to = page.indexOf(next, from);
  if (to < 0) return bar;
  bar.found = true;
  bar.lastPage = 1;

  // Page numbers are the texts between tags: links and the current page alike.
  qsizetype i = page.indexOf(u'>', from);
  while (i >= 0 && i < to) {
    qsizetype lt = page.indexOf(u'<', i + 1);
    if (lt < 0 || lt > to) lt = to;
    bar.lastPage = qMax(bar.lastPage, PageNumber(QStringView(page).mid(i + 1, lt - i - 1)));
    i = page.indexOf(u'>', lt);
  }

  const QString href = QStringLiteral(" href=");
  qsizetype at = from;
  while ((at = page.indexOf(href, at)) >= 0 && at < to) {
    const qsizetype start = at + href.size();
    qsizetype end = page.indexOf(QStringLiteral(" >"), start);
    if (end < 0 || end > to) end = to;
    const QString link = Absolute(page.mid(start, end - start), root);
    if (!link.isEmpty()) bar.links << link;
    // The last link running up to "下一页" is the next-page link.
    bar.hasNext = end + 2 == to;
    at = end;
  }
  return bar;
}

QList<Thumbnail> ScanThumbnails(const QString& page, const QString& root) {
  QList<Thumbnail> items;
  const qsizetype content = page.indexOf(kContent);
  if (content < 0) return items;
  const QString item = QStringLiteral("<li><a href=");
  const QString cls = QStringLiteral(" class=");
  qsizetype at = content + kContent.size();
  while (items.size() < kThumbnailSlots && (at = page.indexOf(item, at)) >= 0) {
    const qsizetype start = at + item.size();
    const qsizetype nextItem = page.indexOf(item, start);
    const qsizetype limit = nextItem < 0 ? page.size() : nextItem;
    at = limit;
    qsizetype end = page.indexOf(cls, start);
    if (end < 0 || end > limit) continue;
    Thumbnail t;
    t.pageUrl = Absolute(page.mid(start, end - start), root);
    qsizetype after = end;
    t.thumbUrl = Absolute(
        ValueAfter(page, QStringLiteral("<img src="), end, limit, {u' ', u'>'}, &after), root);
    t.title = Unquote(ValueAfter(page, QStringLiteral(" title="), after, limit, {u'>'}));
    if (t.title.endsWith(u'/')) t.title = Unquote(t.title.chopped(1));
    if (!IsWebAddress(t.pageUrl) || !IsWebAddress(t.thumbUrl)) continue;
    items << t;
  }
  return items;
}

QStringList ScanPictureSet(const QString& page, int maxPictures) {
  QStringList pictures;
  const QString startMark = QStringLiteral("正在加载图片");
  const qsizetype start = page.indexOf(startMark);
  const qsizetype from = start < 0 ? 0 : start + startMark.size();
  qsizetype to = page.indexOf(kResultEnd, from);
  if (to < 0) to = page.size();
  const QString key = QStringLiteral("dl?url="), save = QStringLiteral(">保存此图");
  qsizetype at = from;
  while (pictures.size() < maxPictures && (at = page.indexOf(key, at)) >= 0 && at < to) {
    const qsizetype begin = at + key.size();
    const qsizetype end = page.indexOf(save, begin);
    if (end < 0 || end > to) break;
    const QString url = Unquote(page.mid(begin, end - begin));
    if (IsWebAddress(url) && !pictures.contains(url)) pictures << url;
    at = end + save.size();
  }
  return pictures;
}

QString SetCaption(int n) {
  return n == 1 ? QStringLiteral("共1张") : QStringLiteral("共%1张(套图)").arg(n);
}

}  // namespace extras
