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

// Items of ALists that are commands.
enum class ListsItem { New = 1, Delete = 2, Rename = 3 };
// Items of RLs, the playlist grid's row menu.
enum class PlaylistRowItem {
  Play = 0,
  Download = 1,
  Delete = 2,
  RenameTitle = 4,
  RenameSinger = 5,
  ChangeAddress = 6,
  DeadLink = 8
};
// Items of BRL, the result grid's row menu.
enum class ResultRowItem {
  Play = 0,
  ToPlaylist = 2,
  Download = 3,
  RenameTitle = 5,
  RenameSinger = 6
};

}  // namespace playlist
