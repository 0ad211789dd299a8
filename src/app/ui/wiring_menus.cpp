// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The menus: the settings menus built from the menu form's arrays, and each array's handler.
#include <QAction>
#include <QMenu>

#include "app/ui/appcontext.h"
#include "config/settingscommands.h"
#include "config/settingsmenus.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistmanager.h"
#include "playlist/playlistmenus.h"

QMenu* AppContext::BuildMenu(const QString& array, const QString& title) {
  auto* menu = new QMenu(title, mainWindow_);
  menu->addActions(menus_.Items(array));
  return menu;
}

QMenu* AppContext::BuildSettingsMenu() {
  auto* menu = new QMenu(QStringLiteral("设置"), mainWindow_);
  const QList<QAction*> sorts = menus_.Items(app::kSortsMenu);
  const QString arrays[] = {app::kEngineMenu, app::kLyricsEngineMenu, app::kFormatMenu,
                            app::kOptionsMenu, app::kSetsMenu};
  for (int i = 0; i < 5; ++i) {
    QMenu* sub = BuildMenu(arrays[i], sorts[i]->text());
    if (i == 4) sub->insertSeparator(menus_.Item(app::kSetsMenu, 6));
    menu->addMenu(sub);
  }
  QMenu* colors = menu->addMenu(QStringLiteral("颜色配置"));
  const QString colorNames[] = {QStringLiteral("歌词颜色"), QStringLiteral("背景颜色"),
                                QStringLiteral("高亮颜色")};
  for (int k = 0; k < 3; ++k) colors->addMenu(BuildMenu(app::ColorMenu(k), colorNames[k]));
  menu->addSeparator();
  menu->addAction(sorts[static_cast<int>(app::SortsItem::Monitor)]);
  menu->addAction(sorts[static_cast<int>(app::SortsItem::About)]);
  return menu;
}

void AppContext::ConnectMenus() {
  settings_->ConnectMenus();
  menus_.Connect(app::kListMenu, playlists_.get(), &PlaylistManager::LList_Click);
  menus_.Connect(QStringLiteral("ALists"), playlists_.get(), &PlaylistManager::ALists_Click);
  menus_.Connect(PlaybackEngine::kControlsMenu, engine_.get(), &PlaybackEngine::mnuControls_Click);
}
