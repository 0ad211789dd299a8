// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <functional>

#include "config/apppaths.h"
#include "playlist/lstfile.h"
#include "playlist/playlistmenus.h"
#include "playlist/songgridmodel.h"

class MenuForm;
class Prompter;
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
  // The configuration's defaultlist: the entry with exactly this caption becomes current (none
  // when no entry matches); AppConfig::currentList keeps the name read.
  void MarkCurrent(const QString& name);

  // Fills the grid with the current list. A file of asyncLoadBytes or more is read and
  // prepared on a worker; the grid is empty until its rows arrive in one step, and ListLoaded
  // says when. A newer load drops a pending one's result.
  void LoadLST();
  // Smaller lists read in a few milliseconds and load at once.
  void SetAsyncLoadBytes(qint64 bytes) { asyncLoadBytes_ = bytes; }
  bool loadPending() const { return loadPending_; }
  // Writes the grid to the current list's file, unless that would lose songs: a file the grid
  // was not loaded from is never overwritten when it holds songs, and a list that did not read
  // cleanly is written only after an edit, once its original went to the backup folder.
  // False when nothing was written for such a reason or the write failed (the status says why).
  // A list of asyncSaveRows rows or more is written on the worker from a copy of its rows
  // (true then means the write was queued; ListWritten tells how it went).
  bool SaveList();
  void SetAsyncSaveRows(int rows) { asyncSaveRows_ = rows; }
  // Blocks until every queued read and write is done: at exit, before the process ends.
  void FinishWrites();
  // Appends a song with the duplicate rule; false when nothing was appended.
  bool AddSongRow(const QString& title, const QString& singer, const QString& duration,
                  const QString& path);
  // The user changed rows (delete, clear, rename): the list may now be saved over a file that
  // did not read cleanly.
  void MarkEdited() { edited_ = true; }
  // Answers to the duplicate question apply to the rest of one command (a load, a folder).
  void BeginBatch() { batchAnswer_ = BatchAnswer::Ask; }
  void EndBatch() { batchAnswer_ = BatchAnswer::Ask; }

  void LList_Click(int index);
  void ALists_Click(playlist::ListsItem item);
  void NewList();
  void DeleteList();
  void RenameList();

  // The current list's caption, or "" when no entry is current. The LList check marks are
  // derived from it.
  QString currentName() const;
  // What the last load had to say ("" when the list read cleanly), for the status line.
  const QString& loadNotice() const { return loadNotice_; }
  QString FileOf(const QString& name) const;
  SongGridModel& grid() { return grid_; }
  bool loading() const { return loading_; }

 signals:
  // The list shown in the grid was replaced (switch, delete).
  void ListLoaded();
  // A list could not be read or written as asked; the text says what happened.
  void StatusText(const QString& text);
  // A save queued for the worker is on disk (ok) or failed (the status has said why).
  void ListWritten(bool ok);

 private:
  enum class NameCheck { Ok, Cancelled, Refused };
  enum class BatchAnswer { Ask, ReplaceAll, SkipAll };
  NameCheck CheckNewName(const QString& name);
  int IndexOfCaption(const QString& caption) const;
  void SetCurrent(const QString& caption);
  // Puts the check marks back on the current entry: a menu click toggles one before the
  // command runs.
  void SyncChecks();
  void SaveConfig();
  void Tell(const QString& text);
  bool AskReplace(const QString& text);
  std::vector<SongEntry> GridSongs() const;
  bool SaveInBackground(const QString& name, bool backupFirst);
  struct LoadedList {
    playlist::LstRead read;
    SongGridModel::PreparedRows prepared;
  };
  void ApplyLoad(const QString& name, playlist::LstRead read, SongGridModel::PreparedRows prepared);

  SongGridModel& grid_;
  MenuForm& menus_;
  Prompter& prompter_;
  AppPaths paths_;
  AppConfig& config_;
  std::function<void()> saveConfig_;
  QString current_;
  // The list whose file the grid holds (empty: none was loaded), how that file read, and
  // whether any row changed since it was loaded or saved, to leave an unchanged list alone.
  QString loadedName_;
  bool loadedClean_ = true;
  bool loadedFileExists_ = false;
  bool rowsChanged_ = false;
  QString loadedStamp_;  // size and time of the file as loaded or last saved
  bool edited_ = false;
  QString loadNotice_;
  BatchAnswer batchAnswer_ = BatchAnswer::Ask;
  bool loading_ = false;
  bool saveAfterLoad_ = false;
  bool loadPending_ = false;
  QString pendingName_;  // the list being read on the worker (a rename follows it)
  quint64 loadGeneration_ = 0;
  qint64 asyncLoadBytes_ = 256 * 1024;
  int asyncSaveRows_ = 2000;
  quint64 saveGeneration_ = 0;
  int ioPending_ = 0;  // reads and writes queued on io_
  // One thread for the list files, so reads and writes happen in the order asked.
  QThreadPool io_;
};
