// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/albumcatalog.h"

#include <array>

namespace extras {
namespace {

struct Style {
  const char16_t* caption;
  const char16_t* code;
  const char16_t* otherCaption;  // under groups other than 1, when it differs
  const char16_t* otherCode;
};

constexpr std::array<Style, kAlbumStyles> kStyles{{
    {u"流行", u"lx", nullptr, nullptr},
    {u"R&&B", u"RBHipHop", nullptr, nullptr},
    {u"摇滚", u"yg", nullptr, nullptr},
    {u"影视原声", u"ysys", nullptr, nullptr},
    {u"电子舞曲", u"dzwq", nullptr, nullptr},
    {u"游戏动漫", u"yhdm", u"游戏音乐", u"yhyl"},
    {u"校园民谣", u"xymy", u"乡村音乐", u"xcyl"},
    {u"少儿歌曲", u"segq", nullptr, nullptr},
    {u"中国民乐", u"zgml", u"轻音乐", u"qyl"},
    {u"轻音乐", u"qyl", u"拉丁音乐", u"ldyl"},
}};

// Rows: styles; columns: groups 1 (华语), 2 (欧美), 3 (日韩).
constexpr int kPages[kAlbumStyles][3] = {{19, 19, 19}, {1, 19, 11}, {9, 19, 8}, {11, 19, 19},
                                         {2, 19, 4},   {0, 3, 7},   {0, 19, 0}, {1, 4, 0},
                                         {0, 19, 8},   {6, 9, 0}};

constexpr std::array<const char16_t*, kAlbumGroups> kGroups{u"影视原声", u"华语最新", u"欧美最新",
                                                            u"日韩最新"};
constexpr std::array<const char16_t*, kAlbumGroups> kBases{
    u"/sogou_phb/html/album/moviealbum_", u"/sogou_phb/html/album/newalbum_zh",
    u"/sogou_phb/html/album/newalbum_en", u"/sogou_phb/html/album/newalbum_jk"};

bool Valid(int group, int style) {
  return group >= 0 && group < kAlbumGroups && style >= 0 && style < kAlbumStyles;
}

}  // namespace

QString AlbumGroupCaption(int group) {
  return group >= 0 && group < kAlbumGroups ? QString::fromUtf16(kGroups[group]) : QString();
}

QString AlbumStyleCaption(int group, int style) {
  if (!Valid(group, style)) return {};
  const Style& s = kStyles[style];
  return QString::fromUtf16(group != 1 && s.otherCaption ? s.otherCaption : s.caption);
}

QString AlbumStyleCode(int group, int style) {
  if (!Valid(group, style)) return {};
  const Style& s = kStyles[style];
  return QString::fromUtf16(group != 1 && s.otherCode ? s.otherCode : s.code);
}

int AlbumPageCount(int group, int style) {
  if (!Valid(group, style) || group == 0) return 0;
  return kPages[style][group - 1];
}

QString AlbumPageCaption(int page) {
  return QStringLiteral("第 %1 页").arg(page, 2, 10, QLatin1Char('0'));
}

QString AlbumListPath(int group, int page, int style) {
  if (!Valid(group, style) || page < 1) return {};
  QString path = QString::fromUtf16(kBases[group]);
  if (group != 0) path += AlbumStyleCode(group, style);
  return path + QString::number(page) + QStringLiteral(".html");
}

}  // namespace extras
