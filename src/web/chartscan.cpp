// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/chartscan.h"

#include <optional>

namespace web {

namespace {

const QString kZero = QStringLiteral("00:00");
const QString kUnknown = QStringLiteral("未知");

// Finds one marker in a page scanned forwards, remembering where it occurs next so that
// rounds asking again from a later offset do not search the page again: every marker costs
// one pass over the page however many rounds ask for it.
class Mark {
 public:
  Mark(const QString& page, QString marker) : page_(page), marker_(std::move(marker)) {}
  // Offset of the marker at or after from; -1 when absent.
  qsizetype From(qsizetype from) {
    if (marker_.isEmpty()) return from;
    if (known_ && from >= asked_ && (next_ < 0 || next_ >= from)) return next_;
    next_ = page_.indexOf(marker_, from);
    asked_ = from;
    known_ = true;
    return next_;
  }
  qsizetype size() const { return marker_.size(); }

 private:
  const QString& page_;
  const QString marker_;
  qsizetype next_ = -1;
  qsizetype asked_ = 0;
  bool known_ = false;
};

// A text taken from between two markers: after `from` (and then after the next ">" when
// afterTag), up to `to`. An empty `from` starts where the scan stands.
struct FieldMarks {
  QString from;
  bool afterTag = false;
  QString to;
};

// How a source's page is scanned: the section, where each item begins, and its two fields.
struct ChartMarks {
  QString sectionStart;  // "" = the page's start
  QString sectionEnd;    // "" = the page's end
  QString itemStart;
  QString itemNext;  // a marker that must follow the item start inside the item ("" = none)
  FieldMarks title;
  FieldMarks singer;
  bool unknownSinger = false;  // "未知" when the item has no singer
  bool apostrophes = false;    // "&#39;" in the title read as "'"
  bool boldTitle = false;      // a title wrapped in <b>..</b> is taken from inside
};

const ChartMarks& MarksFor(ChartSource source, int arg) {
  static const QString q = QStringLiteral("\"");
  static const ChartMarks siteB{QStringLiteral("第1组歌曲"),
                                QStringLiteral("联系本站"),
                                QStringLiteral("a href="),
                                QStringLiteral(" target"),
                                {QStringLiteral("_blank"), true, QStringLiteral("</a>")},
                                {QStringLiteral("#3866af"), true, QStringLiteral("</font>")}};
  static const ChartMarks baidu{
      QStringLiteral("<input type=hidden name=refreshtime value=@+RESBODY+@>"),
      QStringLiteral("<input type=hidden name=refreshtime value=@-RESBODY-@>"),
      QStringLiteral("17%"),
      QStringLiteral("a href="),
      {QStringLiteral("_blank>"), false, QStringLiteral("<")},
      {QStringLiteral("_blank>"), false, QStringLiteral("<")},
      false,
      false,
      true};
  static const ChartMarks sogou0{
      {},
      {},
      QStringLiteral("<input type="),
      QStringLiteral(" w="),
      {QStringLiteral(" title="), false, QStringLiteral(">")},
      {QStringLiteral("target=_blank>"), false, QStringLiteral("</a>&gt")}};
  static const ChartMarks sogou12{
      {},
      {},
      QStringLiteral(".<input type="),
      QStringLiteral("w="),
      {QStringLiteral(" target=_blank>"), false, QStringLiteral("</a>")},
      {QStringLiteral("target=_blank>"), false, QStringLiteral("</a>&gt")},
      false,
      true};
  static const ChartMarks sogou3{{},
                                 {},
                                 QStringLiteral("<input section="),
                                 QStringLiteral("href="),
                                 {QStringLiteral("title="), false, QStringLiteral(" target=")},
                                 {QStringLiteral("  title="), false, QStringLiteral(" singer=")},
                                 false,
                                 true};
  static const ChartMarks siteC{QStringLiteral("共收录"),
                                {},
                                QStringLiteral("target=") + q + QStringLiteral("play") + q + u'>',
                                {},
                                {{}, false, QStringLiteral("</a> - <a")},
                                {{}, true, QStringLiteral("</a></li>")}};
  static const ChartMarks siteD{
      QStringLiteral("<!--hot music here-->"),
      {},
      QStringLiteral(". <A href='"),
      {},
      {QStringLiteral("' target=htmlplay>"), false, QStringLiteral("</A>")},
      {QStringLiteral("target=_blank>"), false, QStringLiteral("</A>")},
      true};
  static const ChartMarks soso{QStringLiteral("No.1—12"),
                               {},
                               QStringLiteral("<input name="),
                               {},
                               {QStringLiteral("<a title="), true, QStringLiteral("</a>")},
                               {{}, true, QStringLiteral("</a>")}};
  static const ChartMarks siteE01{
      QStringLiteral("<div id=") + q + QStringLiteral("TopHt") + q +
          QStringLiteral("><div class=") + q + QStringLiteral("all_c") + q +
          QStringLiteral("><ul>"),
      {},
      QStringLiteral("<input name=") + q + QStringLiteral("chkTracks") + q,
      {},
      {QStringLiteral("target=") + q + QStringLiteral("Player") + q + u'>', false,
       QStringLiteral("</a>")},
      {QStringLiteral("target=_blank>["), false, QStringLiteral("]</a>")}};
  static const ChartMarks siteE24{
      QStringLiteral("<div class=") + q + QStringLiteral("middle_t") + q + u'>',
      QStringLiteral("<div class=") + q + QStringLiteral("middle_b") + q + u'>',
      QStringLiteral("target=Player>"),
      {},
      {{}, false, QStringLiteral("</a>")},
      {QStringLiteral("target=_blank>"), false, QStringLiteral("</a>")}};
  static const ChartMarks none;
  switch (source) {
    case ChartSource::SiteB:
      return siteB;
    case ChartSource::Baidu:
      return baidu;
    case ChartSource::Sogou:
      return arg == 0 ? sogou0 : arg == 3 ? sogou3 : sogou12;
    case ChartSource::SiteC:
      return siteC;
    case ChartSource::SiteD:
      return siteD;
    case ChartSource::Soso:
      return soso;
    case ChartSource::SiteE:
      return arg <= 1 ? siteE01 : siteE24;
    default:
      return none;
  }
}

// Reads one field inside [pos, end); moves pos past its end marker. nullopt when a marker is
// missing inside the item.
std::optional<QString> ReadField(const QString& page, Mark& from, Mark& gt, Mark& to,
                                 const FieldMarks& marks, qsizetype& pos, qsizetype end) {
  qsizetype p = from.From(pos);
  if (p < 0 || p >= end) return std::nullopt;
  p += from.size();
  if (marks.afterTag) {
    const qsizetype g = gt.From(p);
    if (g < 0 || g >= end) return std::nullopt;
    p = g + 1;
  }
  const qsizetype e = to.From(p);
  if (e < 0 || e + to.size() > end) return std::nullopt;
  pos = e + to.size();
  return page.mid(p, e - p);
}

QList<SearchHit> ScanItems(const QString& page, const ChartMarks& m, int limit) {
  QList<SearchHit> hits;
  qsizetype begin = 0;
  qsizetype sectionEnd = page.size();
  if (!m.sectionStart.isEmpty()) {
    const qsizetype s = page.indexOf(m.sectionStart);
    if (s < 0) return hits;
    begin = s + m.sectionStart.size();
  }
  if (!m.sectionEnd.isEmpty()) {
    const qsizetype e = page.indexOf(m.sectionEnd, begin);
    if (e >= 0) sectionEnd = e;
  }
  Mark item(page, m.itemStart), next(page, m.itemNext), gt(page, QStringLiteral(">"));
  Mark titleFrom(page, m.title.from), titleTo(page, m.title.to);
  Mark singerFrom(page, m.singer.from), singerTo(page, m.singer.to);
  Mark boldOpen(page, QStringLiteral("<b>")), boldClose(page, QStringLiteral("</b>"));
  qsizetype pos = begin;
  for (int round = 0; round < limit; ++round) {
    const qsizetype start = item.From(pos);
    if (start < 0 || start >= sectionEnd) break;
    pos = start + item.size();
    // An item runs up to the next item's start, so a field never comes from a neighbour.
    qsizetype end = item.From(pos);
    if (end < 0 || end > sectionEnd) end = sectionEnd;
    if (!m.itemNext.isEmpty()) {
      const qsizetype n = next.From(pos);
      if (n < 0 || n >= end) continue;
      pos = n + next.size();
    }
    std::optional<QString> title;
    if (m.boldTitle) {
      const qsizetype t = titleFrom.From(pos);
      if (t >= 0 && t < end && page.mid(t + titleFrom.size(), 3) == QLatin1String("<b>")) {
        const qsizetype open = boldOpen.From(t);
        const qsizetype close = boldClose.From(open + 3);
        if (close >= 0 && close < end) {
          title = page.mid(open + 3, close - open - 3);
          pos = close + 4;
        }
      }
    }
    if (!title) title = ReadField(page, titleFrom, gt, titleTo, m.title, pos, end);
    if (!title) {
      pos = end;
      continue;
    }
    std::optional<QString> singer = ReadField(page, singerFrom, gt, singerTo, m.singer, pos, end);
    if (!singer && m.unknownSinger) singer = kUnknown;
    QString t = title->trimmed();
    if (m.apostrophes) t.replace(QStringLiteral("&#39;"), QStringLiteral("'"));
    hits.append({t, singer.value_or(QString()).trimmed(), kZero});
    pos = qMax(pos, end);
  }
  return hits;
}

// Chart site A, as its pages were read: the two characters after "<input name=" are
// dropped, the title runs to "</a></li>", and every "-" splits title from singer.
QList<SearchHit> ScanSiteA(const QString& page, int limit) {
  static const QString kInput = QStringLiteral("<input name=");
  static const QString kListen = QStringLiteral(" title='点击试听'>");
  static const QString kEnd = QStringLiteral("</a></li>");
  QList<SearchHit> hits;
  Mark input(page, kInput), listen(page, kListen), end(page, kEnd);
  qsizetype pos = 0;
  const qsizetype size = page.size();
  for (int round = 0; round < limit && pos < size; ++round) {
    // A missing marker still moves on by the marker's length, as the cut it replaces did.
    qsizetype i = input.From(pos);
    pos = qMin(size, i < 0 ? pos + kInput.size() + 1 : i + kInput.size() + 2);
    qsizetype l = listen.From(pos);
    pos = qMin(size, l < 0 ? pos + kListen.size() - 1 : l + kListen.size());
    const qsizetype e = end.From(pos);
    if (e < 0) continue;
    const QString text = page.mid(pos, e - pos);
    if (text.contains(u'-')) {
      const QStringList pieces = text.split(u'-');
      hits.append({pieces.at(0), pieces.at(1), kZero});
    } else {
      hits.append({text, kUnknown, kZero});
    }
  }
  return hits;
}

}  // namespace

QList<ChartEntry> ChartMenuEntries(const QString& siteBName, const QString& siteDName) {
  using S = ChartSource;
  struct Row {
    const char* name;
    S source;
    int arg;
  };
  static const Row rows[kChartCount] = {
      {"去听去听热门歌曲", S::SiteA, 0},
      {nullptr, S::SiteB, 0},
      {"流行歌曲精选推荐", S::SiteB, 1},
      {"华语歌曲新歌推荐", S::SiteB, 2},
      {"欧美歌曲月排行", S::SiteB, 3},
      {"日韩歌曲月排行", S::SiteB, 4},
      {"百度歌曲TOP500", S::Baidu, 0},
      {"华人男歌手月排行", S::SiteB, 5},
      {"华人女歌手月排行", S::SiteB, 6},
      {"华人乐队组合月排行", S::SiteB, 7},
      {"华人影视歌曲月排行", S::SiteB, 8},
      {"华人DJ单曲月排行", S::SiteB, 9},
      {"华人DJ单曲最新推荐", S::SiteB, 10},
      {"搜狗热搜歌曲TOP100", S::Sogou, 0},
      {"非主流音乐排行", S::SiteC, 0},
      {"华语经典老歌排行榜", S::Sogou, 1},
      {"欧美经典老歌排行榜", S::Sogou, 2},
      {"精选背景音乐集", S::SiteC, 1},
      {"精选搞笑音乐集", S::SiteC, 2},
      {"摇滚歌曲榜", S::Baidu, 1},
      {"热门对唱榜", S::Baidu, 2},
      {"WOW玩家必听100", S::WowFile, -1},
      {nullptr, S::SiteD, 0},
      {"网友评选歌曲推荐", S::SiteD, 1},
      {"欧美音乐总排行", S::SiteD, 2},
      {"日韩音乐总排行", S::SiteD, 3},
      {"最新音乐推荐", S::SiteA, 1},
      {"本月入围男歌手", S::SiteA, 2},
      {"本月入围女歌手", S::SiteA, 3},
      {"本月入榜单曲", S::SiteA, 4},
      {"本周入榜单曲", S::SiteA, 5},
      {"SOSO热门歌曲排行", S::Soso, 0},
      {"新歌UP!UP!UP!", S::Soso, 1},
      {"华语流行魅力", S::Soso, 2},
      {"欧美流行前沿", S::Soso, 3},
      {"流金岁月", S::Soso, 4},
      {"搜狗新歌速递", S::Sogou, 3},
      {"本年度总排行", S::SiteA, 6},
      {"似水年华", S::SiteA, 7},
      {"日韩金曲月排行", S::SiteA, 8},
      {"欧美金曲月排行", S::SiteA, 9},
      {"华人乐队单曲排行", S::SiteA, 10},
      {"九天音乐网TOP500", S::SiteE, 0},
      {"新歌抢鲜听", S::SiteE, 1},
      {"华语九天榜", S::SiteE, 2},
      {"欧美九天榜", S::SiteE, 3},
      {"日韩九天榜", S::SiteE, 4},
  };
  QList<ChartEntry> entries;
  entries.reserve(kChartCount);
  for (int i = 0; i < kChartCount; ++i) {
    QString name = rows[i].name ? QString::fromUtf8(rows[i].name)
                   : i == 1     ? siteBName + QStringLiteral("音乐排行榜")
                                : siteDName + QStringLiteral("音乐网总排行");
    entries.append({QStringLiteral("%1. ").arg(i + 1, 2, 10, QLatin1Char('0')) + name,
                    rows[i].source, rows[i].arg});
  }
  return entries;
}

QString ChartPagePath(ChartSource source, int arg) {
  static const QStringList siteA{"/Top/cn.htm",     "/top/tuijian.html", "/top/C1.htm",
                                 "/top/C2.htm",     "/top/Week.htm",     "/top/Today.htm",
                                 "/Top/Top100.htm", "/Top/Month.htm",    "/Top/krjp.htm",
                                 "/Top/oumei.htm",  "/Top/C3.htm"};
  static const QStringList siteB{"/music101.htm",  "/music100.htm",  "/music103.htm",
                                 "/top/top-7.htm", "/top/top-5.htm", "/top/top-1.htm",
                                 "/top/top-2.htm", "/top/top-3.htm", "/top/top-6.htm",
                                 "/top/top-4.htm", "/music102.htm"};
  static const QStringList baidu{"/topso/mp3topsong.html", "/list/yaogun.html",
                                 "/list/duichang.html?top9"};
  static const QStringList sogou{
      "/sogou_phb/html/song/topsong.html", "/sogou_phb/html/category/classic_zh.html",
      "/sogou_phb/html/category/classic_en.html", "/sogou_phb/html/song/newtop.html"};
  static const QStringList siteC{"/feizhuliugequ/", "/beijingyinle/", "/gaoxiaogequ/"};
  static const QStringList siteD{"/paihang.htm", "/GaoFen.htm", "/oumei.htm", "/rihan.htm"};
  static const QStringList soso{"/music/htm/ii_hotmusic.shtml", "/music/htm/ii_newmusic.shtml",
                                "/music/htm/ii_hkmusic.shtml", "/music/htm/ii_foreignmusic.shtml",
                                "/music/htm/ii_oldmusic.shtml"};
  static const QStringList siteE{"/top/210.htm", "/top/203.htm", "/top/221.htm", "/top/223.htm",
                                 "/top/222.htm"};
  switch (source) {
    case ChartSource::SiteA:
      return siteA.value(arg);
    case ChartSource::SiteB:
      return siteB.value(arg);
    case ChartSource::Baidu:
      return baidu.value(arg);
    case ChartSource::Sogou:
      return sogou.value(arg);
    case ChartSource::SiteC:
      return siteC.value(arg);
    case ChartSource::SiteD:
      return siteD.value(arg);
    case ChartSource::Soso:
      return soso.value(arg);
    case ChartSource::SiteE:
      return siteE.value(arg);
    case ChartSource::WowFile:
      return QString();
  }
  return QString();
}

int ChartRoundLimit(ChartSource source, int arg) {
  if (arg < 0 || ChartPagePath(source, arg).isEmpty()) return 0;
  switch (source) {
    case ChartSource::SiteA:
      return 200;
    case ChartSource::SiteB:
      return 500;
    case ChartSource::Baidu:
      return arg == 1 ? 1000 : 500;
    case ChartSource::Sogou:
      return (arg == 0 || arg == 3) ? 180 : 500;
    case ChartSource::SiteC:
      return 100;
    case ChartSource::SiteD:
      return arg == 1 ? 1000 : 500;
    case ChartSource::Soso:
      return 400;
    case ChartSource::SiteE:
      return arg == 0 ? 500 : arg == 1 ? 100 : 50;
    case ChartSource::WowFile:
      return 0;
  }
  return 0;
}

QString ChartHostKey(ChartSource source) {
  switch (source) {
    case ChartSource::SiteA:
      return QStringLiteral("ChartSiteA");
    case ChartSource::SiteB:
      return QStringLiteral("ChartSiteB");
    case ChartSource::Baidu:
      return QStringLiteral("ChartBaidu");
    case ChartSource::Sogou:
      return QStringLiteral("ChartSogou");
    case ChartSource::SiteC:
      return QStringLiteral("ChartSiteC");
    case ChartSource::SiteD:
      return QStringLiteral("ChartSiteD");
    case ChartSource::Soso:
      return QStringLiteral("ChartSoso");
    case ChartSource::SiteE:
      return QStringLiteral("ChartSiteE");
    case ChartSource::WowFile:
      return QString();
  }
  return QString();
}

QString ChartKindName(ChartSource source) {
  switch (source) {
    case ChartSource::SiteA:
      return QStringLiteral("chart-site-a");
    case ChartSource::SiteB:
      return QStringLiteral("chart-site-b");
    case ChartSource::Baidu:
      return QStringLiteral("chart-baidu");
    case ChartSource::Sogou:
      return QStringLiteral("chart-sogou");
    case ChartSource::SiteC:
      return QStringLiteral("chart-site-c");
    case ChartSource::SiteD:
      return QStringLiteral("chart-site-d");
    case ChartSource::Soso:
      return QStringLiteral("chart-soso");
    case ChartSource::SiteE:
      return QStringLiteral("chart-site-e");
    case ChartSource::WowFile:
      return QStringLiteral("chart-wow");
  }
  return QString();
}

QList<SearchHit> ScanChart(ChartSource source, int arg, const QString& page) {
  const int limit = ChartRoundLimit(source, arg);
  if (limit <= 0) return {};
  if (source == ChartSource::SiteA) return ScanSiteA(page, limit);
  return ScanItems(page, MarksFor(source, arg), limit);
}

QList<SearchHit> ScanWowList(const QStringList& lines) {
  QList<SearchHit> hits;
  for (const QString& line : lines) {
    if (line.isEmpty()) continue;
    const QStringList fields = line.split(u',');
    if (fields.size() < 2) continue;
    const QStringList pieces = fields.at(1).split(u'-');
    auto clean = [](QString s) { return s.replace(u'_', u' ').trimmed(); };
    if (pieces.size() >= 2)
      hits.append({clean(pieces.at(1)), clean(pieces.at(0)), kZero});
    else
      hits.append({clean(pieces.at(0)), QStringLiteral("wow玩家必听"), kZero});
  }
  return hits;
}

}  // namespace web
