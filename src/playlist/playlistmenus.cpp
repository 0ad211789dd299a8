// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistmenus.h"

#include "config/menuform.h"

namespace playlist {

namespace {
// An empty caption stands for a separator.
void Fill(MenuForm& menus, const QString& array, const QStringList& captions) {
  for (int k = 0; k < captions.size(); ++k) {
    if (captions[k].isEmpty())
      menus.AddSeparator(array, k);
    else
      menus.AddItem(array, k, captions[k]);
  }
}
}  // namespace

void CreatePlaylistMenus(MenuForm& menus) {
  Fill(menus, "ALists", {"加载列表", "添加列表", "删除列表", "修改表名", "", "取消返回"});
  Fill(menus, "mnuAdds",
       {"添加文件", "添加目录", "添加URL", "", "取消返回", "", "导入列表文件", "导出列表文件"});
  Fill(menus, "mnuDels", {"所选歌曲", "清空列表", "", "取消返回"});
  Fill(menus, "RLs",
       {"播放", "下载", "删除", "", "修改歌名", "修改歌手", "修改地址", "", "地址失效?"});
  Fill(menus, "BRL",
       {"播放", "", "添加至播放列表", "下载至本地硬盘", "", "修改歌名", "修改歌手", ""});
  Fill(menus, "mnuOps", {"至播放列表", "", "取消返回"});
  Fill(menus, "mnuNone", {"无可用操作"});
  menus.Item("mnuNone", 0)->setEnabled(false);
  Fill(menus, "ZRL", {"展开此榜单", "加载榜单列表", "加载电台列表"});
  menus.Item("ZRL", 1)->setCheckable(true);
  menus.Item("ZRL", 2)->setCheckable(true);
}

}  // namespace playlist
