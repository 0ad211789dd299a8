// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settingscommands.h"

#include "common/vbcolor.h"
#include "config/configstore.h"
#include "config/menuform.h"
#include "config/settingsmenus.h"
#include "shell/prompter.h"

using namespace app;

SettingsCommands::SettingsCommands(AppConfig& config, MenuForm& menus, ConfigStore& store,
                                   Prompter& prompter, QObject* parent)
    : QObject(parent), config_(config), menus_(menus), store_(store), prompter_(prompter) {}

void SettingsCommands::ConnectMenus() {
  menus_.Connect(kEngineMenu, this, &SettingsCommands::sousuo_Click);
  menus_.Connect(kLyricsEngineMenu, this, &SettingsCommands::cige_Click);
  menus_.Connect(kFormatMenu, this, &SettingsCommands::geshi_Click);
  menus_.Connect(kModeMenu, this, &SettingsCommands::mnuModes_Click);
  menus_.Connect(kOptionsMenu, this, &SettingsCommands::more_Click);
  menus_.Connect(kSetsMenu, this, &SettingsCommands::Sets_Click);
  menus_.Connect(kSortsMenu, this, &SettingsCommands::mnuSorts_Click);
  for (int k = 0; k < 3; ++k)
    connect(menus_.Array(ColorMenu(k)), &MenuArray::Triggered, this,
            [this, k](int item) { Setcolor_Click(k, item); });
}

void SettingsCommands::mnuSorts_Click(SortsItem item) {
  if (item == SortsItem::Monitor) emit MonitorToggleRequested();
  if (item == SortsItem::About) emit AboutRequested();
}

void SettingsCommands::Save() {
  store_.SaveConfig();
  emit ConfigChanged();
}

void SettingsCommands::sousuo_Click(int index) {
  if (index < 0 || index > 2) return;
  menus_.CheckOnly(kEngineMenu, index);
  config_.searchEngine = index;
  emit SearchEngineChanged();
  Save();
}

void SettingsCommands::cige_Click(int index) {
  config_.lyricsEngine = index != 0 ? 1 : 0;
  menus_.CheckOnly(kLyricsEngineMenu, config_.lyricsEngine);
  Save();
}

void SettingsCommands::geshi_Click(int index) {
  if (index < 0 || index > 3) return;
  config_.songFormat = index;
  menus_.CheckOnly(kFormatMenu, index);
  Save();
}

void SettingsCommands::mnuModes_Click(int index) {
  if (index < 0 || index > 4) return;
  config_.playMode = index;
  menus_.CheckOnly(kModeMenu, index);
  Save();
}

void SettingsCommands::more_Click(int index) {
  bool* fields[] = {&config_.showArtist, &config_.forceUpdate, &config_.mixSearch,
                    &config_.focusTracking};
  if (index < 0 || index > 3) return;
  *fields[index] = !*fields[index];
  menus_.Item(kOptionsMenu, index)->setChecked(*fields[index]);
  if (index == 0) emit SingerOptionChanged(config_.showArtist);
  Save();
}

void SettingsCommands::Sets_Click(int index) {
  if (index < 0 || index > 7) return;
  config_.sets[index] = !config_.sets[index];
  menus_.Item(kSetsMenu, index)->setChecked(config_.sets[index]);
  if (index == 6 && config_.sets[6]) emit LyricsAutoDownloadSwitchedOn();
  // The error-correction options last only until the program ends: nothing to save.
  if (index >= 6) {
    Save();
  } else {
    emit ConfigChanged();
  }
}

void SettingsCommands::DisableLrcFormatCheck() {
  config_.sets[7] = false;
  menus_.Item(kSetsMenu, 7)->setChecked(false);
  Save();
}

void SettingsCommands::Setcolor_Click(int k, int item) {
  if (k < 0 || k > 2 || item < 0 || item > 2) return;
  if (item == 2) {
    const auto color = prompter_.PickColor(common::ColorFromVb(config_.EffectiveLrcColor(k)));
    if (!color) {
      // Cancel changes nothing; the check marks Qt may have moved are put back.
      menus_.CheckOnly(ColorMenu(k), config_.lrcColorMode[k]);
      return;
    }
    config_.lrcUserColors[k] = common::VbFromColor(*color);
  }
  config_.lrcColorMode[k] = item == 0 ? 0 : 1;
  menus_.CheckOnly(ColorMenu(k), config_.lrcColorMode[k]);
  emit LyricsColorsChanged();
  Save();
}
