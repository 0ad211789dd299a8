// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class MenuForm;

// The menu item arrays of the playlist window, created once in the popup-menu form.
namespace playlist {

// ALists ("播放列表": 0 load list, 1 new, 2 delete, 3 rename, 5 cancel), mnuAdds ("添加"),
// mnuDels ("删除"), RLs ("列表右菜单"), BRL ("榜单右菜单"), mnuOps ("操作", item 0 = topl),
// mnuNone ("无可用操作") and ZRL ("总单右菜单"). LList is filled from the playlist folder.
void CreatePlaylistMenus(MenuForm& menus);

}  // namespace playlist
