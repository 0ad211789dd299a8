// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// The picture search service's pages read as text: the request queries, the page bar, the
// thumbnails of one result page and the pictures of one picture set. Every scan is one pass
// over the page and takes no more items than the window can show.
namespace extras {

inline constexpr int kThumbnailSlots = 20;
// A page bar that names a larger page is lying; counts stop here.
inline constexpr int kMaxPicturePages = 99999;

// The picture kind every request carries.
struct PicKind {
  int mode = 2;
  int di = 5;
};

// Queries after "/pics?". words go in as typed, but for the characters that would end the
// value (the fetcher escapes the rest as GBK).
QString FirstPageQuery(const QString& words, PicKind kind, const QString& host);
// A later result page for the page walk.
QString WalkPageQuery(const QString& words, int page, PicKind kind, const QString& host);
// The result page whose thumbnails are shown.
QString ThumbPageQuery(const QString& words, int page, PicKind kind, const QString& host);

// The page walk after a first bar of 10 pages or more: 10, then 19, 28, ... 109.
QList<int> WalkPages();

// "...在结果中按照主色调搜索 X 相关搜索..." -> " X "; the whole text when a marker is missing.
QString ResultPart(const QString& page);

struct PageBar {
  bool found = false;    // the page has a bar between "上一页" and "下一页" after "pagebar"
  int lastPage = 0;      // the highest page number the bar shows (at least 1 when found)
  bool hasNext = false;  // "下一页" is a link: pages follow the shown one
  QStringList links;     // the page addresses in the bar, relative ones prefixed with root
};
// "pagebar <a id=image_prev href=/p?page=1 >上一页</a> <b>2</b> <a href=/p?page=3 >3</a>
//  <a href=/p?page=3 >下一页</a>" -> found, lastPage 3, links {root + "/p?page=3"}.
PageBar ScanPageBar(const QString& page, const QString& root);

struct Thumbnail {
  QString pageUrl;   // the picture page the slot opens
  QString thumbUrl;  // the small picture shown in the slot
  QString title;
};
// Items after the content marker, each "<li><a href=PAGE class=..><img src=THUMB title=T>",
// at most kThumbnailSlots; items whose addresses are not web addresses are skipped.
QList<Thumbnail> ScanThumbnails(const QString& page, const QString& root);

// The addresses after each "dl?url=" up to ">保存此图", between "正在加载图片" and "相关搜索";
// only web addresses, at most maxPictures.
QStringList ScanPictureSet(const QString& page, int maxPictures = 200);

// The viewer's caption for a set of n pictures: "共1张" or "共n张(套图)".
QString SetCaption(int n);

}  // namespace extras
