// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settingsmenus.h"

#include "config/menuform.h"

namespace app {

QString ColorMenu(int k) { return QStringLiteral("Setcolor") + QString::number(k + 1); }

namespace {
void AddChecked(MenuForm& menus, const QString& array, const QStringList& captions) {
  for (int i = 0; i < captions.size(); ++i) menus.AddItem(array, i, captions[i], true)->setChecked(true);
}
}  // namespace

void CreateSettingsMenus(MenuForm& menus) {
  AddChecked(menus, kEngineMenu, {"搜狗(Sogou)引擎", "百度(Baidu)引擎", "搜搜(Soso)引擎"});
  menus.AddItem(kLyricsEngineMenu, 0, "飞叶歌词网", true);
  menus.AddItem(kLyricsEngineMenu, 1, "百度歌词引擎", true);
  AddChecked(menus, kFormatMenu, {"mp3", "wma", "rm", "全部"});
  for (const char* caption : {"单曲播放", "单曲循环", "顺序播放", "列表循环", "随机播放"})
    menus.AddItem(kModeMenu, menus.Count(kModeMenu), QString::fromUtf8(caption), true);
  AddChecked(menus, kOptionsMenu,
             {"显示歌手档案", "强制更新榜单", "组合搜索(歌曲+歌手)", "播放列表焦点追踪"});
  AddChecked(menus, kSetsMenu,
             {"连接超时自动切换(15秒后)", "自动跳过无效地址(防死链)", "屏蔽弹出网页(绕开防盗链)",
              "为每首歌预留地址(默认20)", "歌曲名预处理(去除伪信息)", "简约搜索(去内嵌歌手信息)",
              "自动下载歌词(按优先顺序)", "歌词校验(通过lrc标签识别)"});
  for (int k = 0; k < 3; ++k) {
    menus.AddItem(ColorMenu(k), 0, "默认配置", true);
    menus.AddItem(ColorMenu(k), 1, "用户配置", true);
    menus.AddItem(ColorMenu(k), 2, "重新选择");
  }
  const QStringList sorts{"歌曲引擎", "歌词引擎", "歌曲格式", "默认选项",
                          "智能纠错", "监视窗口", "关于软件"};
  for (int i = 0; i < sorts.size(); ++i) menus.AddItem(kSortsMenu, i, sorts[i]);
  menus.Item(kSortsMenu, 5)->setCheckable(true);
}

}  // namespace app
