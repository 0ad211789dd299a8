// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QString>
#include <QUrl>

class MediaPlayer;
class PlaylistManager;
class Prompter;
class SongGridModel;
struct PlaybackState;

// The commands that add, delete and edit songs of the playlist and result grids: the add,
// delete, row and result-row menus and "至播放列表". The window calls them and shows the grids.
class PlaylistCommands {
 public:
  PlaylistCommands(PlaylistManager& lists, SongGridModel& results, Prompter& prompter,
                   PlaybackState& state, MediaPlayer& player);

  // mnuAdds: 0 add file, 1 add folder, 2 add URL, 4 cancel (saves the unchanged list),
  // 6 import a list file, 7 export the list.
  void mnuAdds_Click(int index);
  void AddFile();
  void AddFolder();
  void AddFolderPath(const QString& folder);  // the part after the folder was picked
  void AddUrl();
  // Adds the songs of an .m3u, .m3u8, .pls or .lst file as if each had been added by hand:
  // the same duplicate question, and its local paths are the user's choice like a picked file.
  void ImportListFile();
  void ImportListPath(const QString& path);  // the part after the file was picked
  // What was dropped on the playlist grid, each as its add command takes it: a folder as
  // 添加目录, a list file as an import, another file as 添加文件, a stream address as 添加URL
  // with the address already given. Other addresses are ignored.
  void AddDropped(const QList<QUrl>& urls);
  // Writes the playlist grid's songs to an .m3u8, .m3u or .pls file the user names.
  void ExportList();

  // mnuDels 0 and the row menu's delete: rows between the two selection ends, after asking.
  // False when nothing was removed.
  bool DeleteSelected(int currentRow, int selectionEnd);
  void ClearList();

  // The row menus' rename items (col 1 title, 2 singer, 4 path). On the playlist grid the list
  // is saved after a change, and a changed address clears the row's colour mark.
  void RenamePlaylistCell(int row, int col);
  void RenameResultCell(int row, int col);

  // "地址失效?": copies the playlist row into the first free result row (appending one when
  // none is free) and selects it; returns that row, to be played as a result row.
  int PrepareDeadLinkSearch(int playlistRow);

  // "至播放列表": only while a result row plays; adds it with the player's current address.
  // False when nothing was done; the caller brings the playlist tab forward first.
  bool CanSendToPlaylist() const;
  bool topl_Click();

 private:
  PlaylistManager& lists_;
  SongGridModel& results_;
  Prompter& prompter_;
  PlaybackState& state_;
  MediaPlayer& player_;
};

namespace playlist {
// Title of an added file: the name after the last separator, less its last four characters.
QString TitleFromFileName(const QString& path);
// True for the six extensions folder import takes, on the last four characters, any case.
bool IsImportableFile(const QString& name);
}  // namespace playlist
