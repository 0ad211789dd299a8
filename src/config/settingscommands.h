// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

#include "config/appconfig.h"
#include "config/settingsmenus.h"

class MenuForm;
class Prompter;
class ConfigStore;

// The settings commands of the popup menus: each changes AppConfig and the check marks
// together, then saves the whole configuration. What a command shows or starts in another
// window goes out as a signal.
class SettingsCommands : public QObject {
  Q_OBJECT

 public:
  SettingsCommands(AppConfig& config, MenuForm& menus, ConfigStore& store, Prompter& prompter,
                   QObject* parent = nullptr);

  // Routes a chosen menu item to its command; other arrays are ignored.
  // Connects every settings array of the menu form to its handler, once.
  void ConnectMenus();

  void sousuo_Click(int index);
  void cige_Click(int index);
  void geshi_Click(int index);
  void mnuModes_Click(int index);
  void more_Click(int index);
  void Sets_Click(int index);
  void mnuSorts_Click(app::SortsItem item);
  // k = 0 foreground, 1 background, 2 highlight; item 0 default, 1 user, 2 choose again.
  void Setcolor_Click(int k, int item);
  // The lyrics window's check notice switches the format check off.
  void DisableLrcFormatCheck();

 signals:
  void ConfigChanged();
  void SearchEngineChanged();             // the playing-row index goes back to 0
  void SingerOptionChanged(bool on);      // show or hide the singer window; look up when on
  void LyricsAutoDownloadSwitchedOn();    // fetch lyrics now when the rules allow
  void LyricsColorsChanged();
  void MonitorToggleRequested();          // "监视窗口"
  void AboutRequested();                  // "关于软件"

 private:
  void Save();

  AppConfig& config_;
  MenuForm& menus_;
  ConfigStore& store_;
  Prompter& prompter_;
};
