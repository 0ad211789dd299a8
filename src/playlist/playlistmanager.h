// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <functional>

#include "config/apppaths.h"
#include "playlist/playlistmenus.h"

class MenuForm;
class Prompter;
class SongGridModel;
struct AppConfig;

// The named playlists: the current list's rows in the playlist grid, its .lst file, the list
// of playlists (the LList menu array with its check mark) and the list commands of ALists.
class PlaylistManager : public QObject {
  Q_OBJECT

 public:
  PlaylistManager(SongGridModel& grid, MenuForm& menus, Prompter& prompter, AppPaths paths,
                  AppConfig& config, QObject* parent = nullptr);

  // Wired to the configuration store: writes the whole config file.
  void SetSaveConfig(std::function<void()> saveConfig) { saveConfig_ = std::move(saveConfig); }

  // Start-up: recreate default.lst when missing, then one LList entry per file of the folder.
  bool EnsureDefaultList();
  bool BuildListMenu();
  // The configuration's defaultlist: checks the entry with exactly this caption (none when no
  // entry matches) and keeps AppConfig::currentList in step.
  void MarkCurrent(const QString& name);

  void LoadLST();
  void SaveList();
  // Appends a song with the duplicate rule; false when nothing was appended.
  bool AddSongRow(const QString& title, const QString& singer, const QString& duration,
                  const QString& path);

  void LList_Click(int index);
  void ALists_Click(playlist::ListsItem item);
  void NewList();
  void DeleteList();
  void RenameList();

  // Caption of the checked entry, or "" when none is checked.
  QString currentName() const;
  QString FileOf(const QString& name) const;
  SongGridModel& grid() { return grid_; }
  bool loading() const { return loading_; }

 signals:
  // The list shown in the grid was replaced (switch, delete).
  void ListLoaded();

 private:
  enum class NameCheck { Ok, Cancelled, Refused };
  NameCheck CheckNewName(const QString& name);
  int IndexOfCaption(const QString& caption) const;
  // Checks entry index only and remembers it: a menu click toggles a check mark before the
  // command runs, and the save of the list being left must not follow that toggle.
  void Check(int index);
  void RestoreCheck();
  void SaveConfig();

  SongGridModel& grid_;
  MenuForm& menus_;
  Prompter& prompter_;
  AppPaths paths_;
  AppConfig& config_;
  std::function<void()> saveConfig_;
  QString checkedCaption_;
  bool hasChecked_ = false;
  bool loading_ = false;
  bool saveAfterLoad_ = false;
};
