// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/settingscommands.h"

#include "config/configstore.h"
#include "config/menuform.h"
#include "config/settingsmenus.h"
#include "common/vbcolor.h"
#include "shell/prompter.h"

using namespace app;

SettingsCommands::SettingsCommands(AppConfig& config, MenuForm& menus, ConfigStore& store,
                                   Prompter& prompter, QObject* parent)
    : QObject(parent), config_(config), menus_(menus), store_(store), prompter_(prompter) {}

void SettingsCommands::OnMenuTriggered(const QString& array, int index) {
  if (array == kEngineMenu) return sousuo_Click(index);
  if (array == kLyricsEngineMenu) return cige_Click(index);
  if (array == kFormatMenu) return geshi_Click(index);
  if (array == kModeMenu) return mnuModes_Click(index);
  if (array == kOptionsMenu) return more_Click(index);
  if (array == kSetsMenu) return Sets_Click(index);
  for (int k = 0; k < 3; ++k)
    if (array == ColorMenu(k)) return Setcolor_Click(k, index);
  if (array == kSortsMenu && index == 5) emit MonitorToggleRequested();
  if (array == kSortsMenu && index == 6) emit AboutRequested();
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
