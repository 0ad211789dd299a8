// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/singerscan.h"

#include "extras/picturecache.h"

namespace extras {
namespace {

// The text between `open` (searched from *from) and the next `close`; moves *from past
// `close`. nullopt, with *from unchanged, when either marker is missing.
std::optional<QString> Between(const QString& page, const QString& open, const QString& close,
                               qsizetype* from) {
  const qsizetype start = page.indexOf(open, *from);
  if (start < 0) return std::nullopt;
  const qsizetype begin = start + open.size();
  const qsizetype end = page.indexOf(close, begin);
  if (end < 0) return std::nullopt;
  *from = end + close.size();
  return page.mid(begin, end - begin);
}

QString StripQuotes(QString text) {
  text = text.trimmed();
  const auto isQuote = [](QChar c) { return c == u'"' || c == u'\''; };
  if (!text.isEmpty() && isQuote(text.front())) text.remove(0, 1);
  if (!text.isEmpty() && isQuote(text.back())) text.chop(1);
  return text.trimmed();
}

// A fact ends at the next </dd>, or at </dt> when that comes first.
QString Fact(const QString& page, const QString& marker, qsizetype* from) {
  const qsizetype start = page.indexOf(marker, *from);
  if (start < 0) return QString();
  const qsizetype begin = start + marker.size();
  qsizetype end = page.indexOf(QStringLiteral("</dd>"), begin);
  const qsizetype dt = page.indexOf(QStringLiteral("</dt>"), begin);
  if (dt >= 0 && (end < 0 || dt < end)) end = dt;
  if (end < 0) return QString();
  *from = end + 5;
  return page.mid(begin, end - begin).trimmed();
}

}  // namespace

QString SingerSearchAddress(const QString& musicHost, const QString& name) {
  return musicHost + QStringLiteral("/music.so?as=t&st=heat&query=") + QueryWord(name);
}

QString SingerForumAddress(const QString& forumHost, const QString& name) {
  return forumHost + QStringLiteral("/t?s=") + name + QStringLiteral("&page=1&p=41330400");
}

QString ScanSingerLink(const QString& page, const QString& musicHost) {
  qsizetype from = 0;
  const auto link = Between(page, QStringLiteral("<strong><a href=\""),
                            QStringLiteral("\" target=\"_blank\"><font"), &from);
  if (!link) return QString();
  const QString path = link->trimmed();
  if (path.isEmpty()) return QString();
  // The link is relative to the service; anything else still stays on the service's host.
  return musicHost + (path.startsWith(u'/') ? QString() : QStringLiteral("/")) + path;
}

SingerFacts ScanSingerFacts(const QString& page) {
  SingerFacts facts;
  qsizetype from = 0;
  const qsizetype intro = page.indexOf(QStringLiteral("starIntro"));
  if (intro >= 0) {
    from = intro;
    if (const auto src =
            Between(page, QStringLiteral("<img src="), QStringLiteral(" onerror="), &from))
      facts.picture = StripQuotes(*src);
    else
      from = intro;
  }
  if (const auto name = Between(page, QStringLiteral("<dt>"), QStringLiteral("</dt>"), &from))
    facts.name = name->trimmed();
  facts.englishName = Fact(page, QStringLiteral("<dd>英文名："), &from);
  facts.region = Fact(page, QStringLiteral("<dd>所属地区："), &from);
  facts.albums = Fact(page, QStringLiteral("<dd>专辑数："), &from);
  facts.singles = Fact(page, QStringLiteral("<dd>单曲数："), &from);
  return facts;
}

std::optional<QString> ScanSingerIntro(const QString& page) {
  const qsizetype at = page.indexOf(QStringLiteral("歌手资料"));
  if (at < 0) return std::nullopt;
  qsizetype from = at;
  const auto body = Between(page, QStringLiteral("<li>"), QStringLiteral("</ul>"), &from);
  if (!body) return QString();
  QString text = *body;
  text.remove(QStringLiteral("<li>"));
  text.replace(QStringLiteral("</li>"), QStringLiteral("\n"));
  text.remove(QStringLiteral(">>阅读全部"));
  return text;
}

std::optional<QStringList> ScanSingerSongs(const QString& page) {
  const qsizetype at = page.indexOf(QStringLiteral("hotsongTable"));
  if (at < 0) return std::nullopt;
  QStringList songs;
  qsizetype from = at;
  while (const auto title =
             Between(page, QStringLiteral("<td title=\""), QStringLiteral("\"><input"), &from))
    songs << *title;
  return songs;
}

}  // namespace extras
