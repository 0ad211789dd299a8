// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

#include "config/appconfig.h"
#include "config/apppaths.h"

class MenuForm;
class Prompter;
class iniCLS;

// Reads bin/config.ini into AppConfig and the settings check marks at start-up and writes
// every key back after each settings command. A broken file is reported, replaced by the
// defaults and read again once.
class ConfigStore : public QObject {
  Q_OBJECT

 public:
  ConfigStore(AppConfig& config, MenuForm& menus, const AppPaths& paths, Prompter& prompter,
              QObject* parent = nullptr);

  void WriteDefaultConfig();
  // Both return false when the repeated run failed as well.
  bool LoadConfig();
  bool SaveConfig();

  static QString BoolText(bool value) {
    return value ? QStringLiteral("true") : QStringLiteral("false");
  }
  static bool IsTrueText(const QString& text) { return text == QLatin1String("true"); }

 signals:
  // After a load: the windows, the player volume and the lyrics colours follow AppConfig.
  void ConfigLoaded();
  // defaultlist as read: the list of playlists makes the entry with this caption current.
  void CurrentListRead(const QString& name);

 private:
  void LoadSteps(iniCLS& ini);
  void SaveSteps(iniCLS& ini);
  void ReportAndReset();

  AppConfig& config_;
  MenuForm& menus_;
  AppPaths paths_;
  Prompter& prompter_;
};
