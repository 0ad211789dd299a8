// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Settings: what a loaded configuration or a settings command changes in the other areas.
#include <QAction>

#include "app/ui/appcontext.h"
#include "components/mpvplayer.h"
#include "config/configstore.h"
#include "config/settingscommands.h"
#include "config/settingsmenus.h"
#include "lyrics/lyricscontroller.h"
#include "lyrics/ui/frmlrc.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistmanager.h"
#include "shell/ui/dockmanager.h"

void AppContext::ConnectConfig() {
  playlists_->SetSaveConfig([this] { SaveConfig(); });
  connect(store_.get(), &ConfigStore::CurrentListRead, playlists_.get(),
          &PlaylistManager::MarkCurrent);
  connect(store_.get(), &ConfigStore::ConfigLoaded, this, &AppContext::ApplyLoadedConfig);
  connect(settings_.get(), &SettingsCommands::SearchEngineChanged, engine_.get(),
          &PlaybackEngine::ForgetCurrentRow);
  connect(settings_.get(), &SettingsCommands::LyricsColorsChanged, lyrics_.get(),
          &LyricsController::ApplyColors);
  connect(settings_.get(), &SettingsCommands::MonitorToggleRequested, this, [this] {
    monitorWindow();  // built, and docked, on its first showing
    dock_->ToggleMonitor();
  });
  connect(dock_.get(), &DockManager::MonitorToggled, this, [this](bool shown) {
    // The monitor item's check mark follows the window; the side windows it hid take their
    // toggles with them.
    menus_.Item(app::kSortsMenu, static_cast<int>(app::SortsItem::Monitor))->setChecked(shown);
    ShowSatelliteToggles();
    SaveConfig();
  });
}

void AppContext::ApplyLoadedConfig() {
  player_->SetVolume(config_.volume);
  mainWindow_->PlaceVolumeKnob(config_.volume);
  lyrics_->ApplyColors();
  lyricsWindow_->setVisible(config_.showLyrics);
  if (config_.showLyrics) dock_->DockAll();
  mainWindow_->SetToggleState(kLyricsToggle, config_.showLyrics);
}
