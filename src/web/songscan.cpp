// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/songscan.h"

#include <QSet>

namespace web {

namespace {
// The scanners count positions from 1 and 0 means "not found", as the markers are described;
// these keep that arithmetic readable. Out-of-range arguments give empty text, never a crash.
qsizetype InStr(const QString& s, const QString& sub) {
  return s.indexOf(sub) + 1;
}
QString Mid(const QString& s, qsizetype start) {
  return start < 1 ? s : s.mid(start - 1);
}
QString Left(const QString& s, qsizetype len) {
  return len <= 0 ? QString() : s.left(len);
}
// The scanners walk one page with an offset instead of cutting copies of its rest. A Finder
// remembers where its marker occurs next, so rounds that ask again from a later offset do not
// search the page again: each marker costs one pass over the page in all.
class Finder {
 public:
  Finder(const QString& page, QString marker) : page_(page), marker_(std::move(marker)) {}
  // InStr on the rest of the page from offset `from`: 1-based, 0 when absent.
  qsizetype InStr(qsizetype from) {
    if (from < lastFrom_ || (next_ >= 0 && next_ < from))
      next_ = page_.indexOf(marker_, from);
    else if (next_ == kUnknown)
      next_ = page_.indexOf(marker_, from);
    lastFrom_ = from;
    return next_ < 0 ? 0 : next_ - from + 1;
  }
  qsizetype size() const { return marker_.size(); }

 private:
  static constexpr qsizetype kUnknown = -2;
  const QString& page_;
  const QString marker_;
  qsizetype next_ = kUnknown;  // -1: absent from lastFrom_ on, so from any later offset
  qsizetype lastFrom_ = 0;
};
qsizetype Advance(const QString& page, qsizetype from, qsizetype start) {
  return qMin(page.size(), from + (start < 1 ? 0 : start - 1));
}
QString MidFrom(const QString& page, qsizetype from, qsizetype start, qsizetype len) {
  if (len <= 0) return QString();
  return page.mid(from + qMax<qsizetype>(start, 1) - 1, len);
}

const QString kQuote = QStringLiteral("\"");
const QString kSogouHit = QStringLiteral("<a pb=t class=mr style=");
const QString kO2 = QStringLiteral("o2('");
const QString kReturnFalse = QStringLiteral("');return(false);");
const QString kZero = QStringLiteral("00:00");

QString FormatCell(const char* const table[4], int format) {
  return QString::fromUtf8(table[(format >= 0 && format <= 3) ? format : 3]);
}
}  // namespace

QString SearchFormatFilter(Engine engine, int format) {
  static const char* const sogou[4] = {"&pf=mp3", "&pf=wma", "&pf=rm", "&pf="};
  static const char* const baidu[4] = {"&lm=0", "&lm=2", "&lm=1", "&lm=-1"};
  static const char* const soso[4] = {"mp3", "wma", "rm", ""};
  switch (engine) {
    case Engine::Sogou:
      return FormatCell(sogou, format);
    case Engine::Baidu:
      return FormatCell(baidu, format);
    case Engine::Soso:
      return FormatCell(soso, format);
  }
  return QString();
}

QString ResolveFormatFilter(Engine engine, int format) {
  static const char* const soso[4] = {"&clz=mp3", "&clz=wma", "&clz=rm", "&clz="};
  if (engine == Engine::Soso) return FormatCell(soso, format);
  return SearchFormatFilter(engine, format);
}

QString SearchAddress(Engine engine, const EngineHosts& hosts, const QString& key, int page,
                      int format) {
  const QString f = SearchFormatFilter(engine, format);
  switch (engine) {
    case Engine::Sogou:
      return hosts.sogouSearch + QStringLiteral("/music.so?as=false&query=") + key +
             QStringLiteral("&page=") + QString::number(page) + f +
             QStringLiteral("&w=02009900&_asf=") + hosts.SogouSiteName();
    case Engine::Baidu:
      return hosts.baiduSearch + QStringLiteral("/m?f=ms&rn=&tn=baidump3&ct=134217728&word=") +
             key + QStringLiteral("&pn=") + QString::number((page - 1) * 30) + f;
    case Engine::Soso:
      return hosts.sosoSearch + QStringLiteral("/music.cgi?w=") + key +
             QStringLiteral("&pl=&co=&ch=s.m.res&sc=mus&sz=&clz=") + f + QStringLiteral("&pg=") +
             QString::number(page);
  }
  return QString();
}

QString ResolveAddress(Engine engine, const EngineHosts& hosts, const QString& query, int format) {
  const QString f = ResolveFormatFilter(engine, format);
  switch (engine) {
    case Engine::Sogou:
      return hosts.sogouSearch + QStringLiteral("/music.so?w=02210201&query=") + query + f;
    case Engine::Baidu:
      return hosts.baiduSearch + QStringLiteral("/m?f=ms&rn=&tn=baidump3&ct=134217728&word=") +
             query + f;
    case Engine::Soso:
      return hosts.sosoSearch + QStringLiteral("/music.cgi?w=") + query +
             QStringLiteral("&sc=mus&ch=w.m.soso") + f;
  }
  return QString();
}

QList<SearchHit> ScanSogouResults(const QString& page) {
  QList<SearchHit> hits;
  const qsizetype first = InStr(page, kSogouHit);
  if (first == 0) return hits;
  qsizetype t = first - 1;  // the rest of the page still to scan starts here
  Finder o2(page, kO2), returnFalse(page, kReturnFalse), hit(page, kSogouHit),
      title(page, QStringLiteral(" title=")), action(page, QStringLiteral(" action=")),
      singerStart(page, QStringLiteral("class=mr target=_blank>")),
      singerEnd(page, QStringLiteral("</a>&nbsp"));
  for (int round = 0; round < 30; ++round) {
    const qsizetype s = o2.InStr(t) + 4;
    const qsizetype e = returnFalse.InStr(t);
    const qsizetype m = hit.InStr(t);
    if (e > s) {
      SearchHit row;
      const qsizetype ti = title.InStr(t);
      const qsizetype a = action.InStr(t);
      if (ti >= 1 && a > ti) {
        row.title = MidFrom(page, t, ti + 8, a - ti - 9);
        const qsizetype u = Advance(page, t, a + 1);
        const qsizetype found = singerStart.InStr(u);
        const qsizetype p = found + 23;
        const qsizetype q = singerEnd.InStr(u);
        if (found > 0 && q > p) row.singer = StripTags(MidFrom(page, u, p, q - p));
        row.duration = kZero;
      }
      hits << row;
    }
    t = Advance(page, t, m + 25);
  }
  return hits;
}

QList<SearchHit> ScanBaiduResults(const QString& page) {
  const QString marker =
      QStringLiteral("onclick=") + kQuote + QStringLiteral("return ow(event,this)") + kQuote +
      QStringLiteral("  target=") + kQuote + QStringLiteral("_blank") + kQuote + u'>';
  const QString blank =
      QStringLiteral("target=") + kQuote + QStringLiteral("_blank") + kQuote + u'>';
  QList<SearchHit> hits;
  qsizetype t = 0;
  Finder next(page, marker);
  for (int round = 0; round < 29; ++round) {
    const qsizetype found = next.InStr(t);
    if (found == 0) continue;
    t = Advance(page, t, found + marker.size());
    const qsizetype q = next.InStr(t);
    if (q == 0) continue;
    const QString s = page.mid(t, q);
    const qsizetype r = InStr(s, QStringLiteral("</a></td>"));
    if (r <= 0) continue;
    SearchHit hit;
    hit.title = StripTags(Left(s, r - 1));
    hit.duration = kZero;
    const qsizetype b = InStr(s, blank);
    if (b > 0) {
      const QString v = Mid(s, b + blank.size());
      const qsizetype u = InStr(v, QStringLiteral("</a>&nbsp"));
      if (u > 0) hit.singer = StripTags(Left(v, u - 1));
    }
    hits << hit;
  }
  return hits;
}

QList<SearchHit> SosoRows(const QString& key) {
  return QList<SearchHit>(20, SearchHit{key, kUnknownSinger, kZero});
}

int CandidateLimit(Engine engine) {
  return engine == Engine::Soso
             ? kSosoCandidateLimit
             : (engine == Engine::Baidu ? kBaiduCandidateLimit : kSogouCandidateLimit);
}

QList<Candidate> CollectSogouCandidates(const QString& page, const QString& listenPrefix) {
  QList<Candidate> out;
  qsizetype t = 0;
  Finder hit(page, kSogouHit), o2(page, kO2), returnFalse(page, kReturnFalse);
  for (int round = 0; round < 25; ++round) {
    const qsizetype p = hit.InStr(t) + kSogouHit.size();
    t = Advance(page, t, p + 1);
    const qsizetype s = o2.InStr(t) + 4;
    const qsizetype e = returnFalse.InStr(t);
    if (e > s) {
      if (out.size() >= kSogouCandidateLimit) break;
      const QString address = listenPrefix + MidFrom(page, t, s, e - s);
      if (IsNetworkAddress(address)) out << Candidate{address, address};
    }
  }
  return out;
}

QList<Candidate> CollectBaiduCandidates(const QString& page) {
  const QString link = QStringLiteral("<td class=d><a href=") + kQuote;
  const QString tip = kQuote + QStringLiteral(" title=") + kQuote + QStringLiteral("请点击左键");
  const QString word = QStringLiteral("&word=");
  QList<Candidate> out;
  qsizetype t = 0;
  Finder links(page, link), tips(page, tip);
  for (int round = 0; round < 25; ++round) {
    t = Advance(page, t, links.InStr(t) + link.size());
    const qsizetype q = tips.InStr(t);
    if (q <= 0) continue;
    if (out.size() >= kBaiduCandidateLimit) break;
    Candidate c;
    c.address = MidFrom(page, t, 1, q - 1);
    if (!IsNetworkAddress(c.address)) continue;
    QString shown = c.address;
    const qsizetype w = InStr(shown, word);
    if (w > 0) shown = Mid(shown, w + word.size() + 1);
    const qsizetype comma = InStr(shown, QStringLiteral(","));
    if (comma > 0) shown = Mid(shown, comma + 1);
    c.slot = QStringLiteral("UrlEncode") + QString::number(out.size()) + u'=' + shown;
    out << c;
  }
  return out;
}

QList<Candidate> CollectSosoCandidates(const QString& page) {
  const QString meta = QStringLiteral("<div id=") + kQuote + QStringLiteral("meta_info_");
  QList<Candidate> out;
  qsizetype t = 0;
  const qsizetype rate = InStr(page, QStringLiteral("连通率"));
  if (rate > 0) t = Advance(page, t, rate + 1);
  Finder metas(page, meta), ends(page, QStringLiteral(";;|$|"));
  for (int round = 0; round < 20; ++round) {
    const qsizetype m = metas.InStr(t);
    if (m == 0) break;
    t = Advance(page, t, m + meta.size() + 1);
    const qsizetype end = ends.InStr(t);
    if (end == 0) break;
    const QStringList fields = MidFrom(page, t, 1, end - 1).split(u';');
    for (const QString& field : fields) {
      if (out.size() >= 21) break;
      const qsizetype h = InStr(field, QStringLiteral("http://"));
      if (h == 0) continue;
      const QString address = Mid(field, h);
      if (IsNetworkAddress(address)) out << Candidate{address, address};
    }
    if (out.size() >= kSosoCandidateLimit) break;
  }
  return out;
}

QString ParseSogouListen(const QStringList& lines) {
  const QString end = QStringLiteral("}]};");
  for (const QString& line : lines) {
    const qsizetype u = InStr(line, QStringLiteral("url"));
    if (u < 2) continue;
    const QString r = Mid(line, u + 6);
    const qsizetype close = InStr(r, end);
    if (close == 0) continue;
    const QString address = Left(r, close - 2);
    return IsNetworkAddress(address) ? address : QString();
  }
  return QString();
}

namespace {
QString DecodeEntities(QString s) {
  if (!s.contains(u'&')) return s;
  QString out;
  out.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    const qsizetype semi = s.at(i) == u'&' ? s.indexOf(u';', i) : -1;
    if (semi > i && semi - i <= 10) {
      const QString name = s.mid(i + 1, semi - i - 1);
      QChar c;
      if (name == u"amp")
        c = u'&';
      else if (name == u"lt")
        c = u'<';
      else if (name == u"gt")
        c = u'>';
      else if (name == u"quot")
        c = u'"';
      else if (name == u"apos")
        c = u'\'';
      else if (name.startsWith(u'#')) {
        bool ok = false;
        const uint code = name.startsWith(QStringLiteral("#x"), Qt::CaseInsensitive)
                              ? name.mid(2).toUInt(&ok, 16)
                              : name.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code < 0x10000) c = QChar(static_cast<char16_t>(code));
      }
      if (!c.isNull()) {
        out += c;
        i = semi;
        continue;
      }
    }
    out += s.at(i);
  }
  return out;
}
}  // namespace

QString FindUrlaAnchor(const QString& html, const QUrl& base) {
  const qsizetype n = html.size();
  qsizetype i = 0;
  while (i < n) {
    const qsizetype lt = html.indexOf(u'<', i);
    if (lt < 0) break;
    if (html.mid(lt, 4) == u"<!--") {
      const qsizetype close = html.indexOf(QStringLiteral("-->"), lt + 4);
      if (close < 0) break;
      i = close + 3;
      continue;
    }
    qsizetype j = lt + 1;
    while (j < n && (html.at(j).isLetterOrNumber() || html.at(j) == u'!' || html.at(j) == u'/'))
      ++j;
    const QString tag = html.mid(lt + 1, j - lt - 1).toUpper();
    QString id, href;
    // Attributes up to the closing '>', honouring quotes so a '>' inside a value is text.
    while (j < n && html.at(j) != u'>') {
      while (j < n && (html.at(j).isSpace() || html.at(j) == u'/')) ++j;
      const qsizetype nameStart = j;
      while (j < n && !html.at(j).isSpace() && html.at(j) != u'=' && html.at(j) != u'>') ++j;
      const QString name = html.mid(nameStart, j - nameStart).toLower();
      while (j < n && html.at(j).isSpace()) ++j;
      QString value;
      if (j < n && html.at(j) == u'=') {
        ++j;
        while (j < n && html.at(j).isSpace()) ++j;
        if (j < n && (html.at(j) == u'"' || html.at(j) == u'\'')) {
          const QChar q = html.at(j);
          const qsizetype close = html.indexOf(q, j + 1);
          const qsizetype stop = close < 0 ? n : close;
          value = html.mid(j + 1, stop - j - 1);
          j = close < 0 ? n : close + 1;
        } else {
          const qsizetype start = j;
          while (j < n && !html.at(j).isSpace() && html.at(j) != u'>') ++j;
          value = html.mid(start, j - start);
        }
      } else if (nameStart == j) {
        ++j;  // a stray character; step over it
        continue;
      }
      if (name == u"id") id = value;
      if (name == u"href") href = value;
    }
    i = j + 1;
    if (tag == u"A" && id == u"urla") {
      QString address = DecodeEntities(href.trimmed());
      if (base.isValid()) address = base.resolved(QUrl(address)).toString();
      return IsNetworkAddress(address) ? address : QString();
    }
  }
  return QString();
}

QString NormaliseTitle(const QString& title, bool stripDecorations) {
  QString s = title;
  if (stripDecorations) {
    static const QStringList marks{QStringLiteral("("),  QStringLiteral("（"), QStringLiteral("["),
                                   QStringLiteral("【"), QStringLiteral("{"),  QStringLiteral("『"),
                                   QStringLiteral("<"),  QStringLiteral("《"), QStringLiteral("_"),
                                   QStringLiteral("-")};
    qsizetype cut = -1;
    for (const QString& mark : marks) {
      const qsizetype at = s.indexOf(mark);
      if (at >= 0 && (cut < 0 || at < cut)) cut = at;
    }
    if (cut >= 0) s.truncate(cut);
  }
  s.replace(QStringLiteral("＇"), QStringLiteral("'"));
  return s;
}

QString StripTags(const QString& html) {
  // One pass: each tag runs from a '<' to the first '>' after it. A '>' before the next '<'
  // ends the stripping; behind it only further copies of tags already removed go.
  QString s;
  s.reserve(html.size());
  QSet<QString> removed;
  const qsizetype n = html.size();
  qsizetype i = 0;
  for (;;) {
    const qsizetype a = html.indexOf(u'<', i);
    if (a < 0) break;
    const qsizetype b = html.indexOf(u'>', i);
    if (b < a) break;  // also when there is no '>'
    s += QStringView(html).mid(i, a - i);
    removed.insert(html.mid(a, b - a + 1));
    i = b + 1;
  }
  qsizetype kept = i, lastOpen = -1;
  for (qsizetype j = i; j < n && !removed.isEmpty(); ++j) {
    const QChar c = html.at(j);
    if (c == u'<') {
      lastOpen = j;
    } else if (c == u'>') {
      if (lastOpen >= 0 && removed.contains(html.mid(lastOpen, j - lastOpen + 1))) {
        s += QStringView(html).mid(kept, lastOpen - kept);
        kept = j + 1;
      }
      lastOpen = -1;
    }
  }
  s += QStringView(html).mid(kept);
  qsizetype a = 0, b = s.size();
  while (a < b && s.at(a) == u' ') ++a;
  while (b > a && s.at(b - 1) == u' ') --b;
  s = s.mid(a, b - a);
  s.replace(QStringLiteral("歌词"), kUnknownSinger);
  return s;
}

bool IsNetworkAddress(const QString& address) {
  const qsizetype sep = address.indexOf(QStringLiteral("://"));
  if (sep <= 0) return false;
  static const QSet<QString> allowed{QStringLiteral("http"), QStringLiteral("https"),
                                     QStringLiteral("mms"),  QStringLiteral("mmsh"),
                                     QStringLiteral("rtsp"), QStringLiteral("rtmp")};
  return allowed.contains(address.left(sep).toLower());
}

QStringList MonitorCandidateTexts(const QStringList& candidateSlots, const QString& listenPrefix) {
  QStringList out;
  for (int i = 0; i < 20; ++i) {
    QString text = candidateSlots.value(i);
    text.replace(listenPrefix, QStringLiteral("...?"));
    out << text;
  }
  return out;
}

}  // namespace web
