// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The album browser's tables: the four album groups, the ten styles whose captions and codes
// depend on the group, how many pages each group and style offers, and the list addresses.
namespace extras {

inline constexpr int kAlbumGroups = 4;   // mnuIcos
inline constexpr int kAlbumStyles = 10;  // Ztype
inline constexpr int kMaxAlbums = 30;    // album slots of one list page

// "影视原声", "华语最新", "欧美最新", "日韩最新"; "" outside 0..3.
QString AlbumGroupCaption(int group);
// The style's menu caption under group ("R&&B" keeps the menu's escaped ampersand); "" when out
// of range.
QString AlbumStyleCaption(int group, int style);
QString AlbumStyleCode(int group, int style);
// Page entries offered for group 1..3 and style; 0 when none (and for group 0, whose page
// menu is left as it is).
int AlbumPageCount(int group, int style);
// "第 01 页" for page 1.
QString AlbumPageCaption(int page);
// Path below the music service's host of one page (1-based) of a group's list:
// group 2, style 0, page 3 -> "/sogou_phb/html/album/newalbum_enlx3.html"; group 0 has no
// style code. "" for a group or style out of range or a page below 1.
QString AlbumListPath(int group, int page, int style);

}  // namespace extras
