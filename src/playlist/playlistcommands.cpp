// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistcommands.h"

#include <QDir>
#include <QFileInfo>

#include "common/numparse.h"
#include "components/mediaplayer.h"
#include "playback/playbackstate.h"
#include "playlist/listformats.h"
#include "playlist/lstfile.h"
#include "playlist/playlistmanager.h"
#include "playlist/songentry.h"
#include "playlist/songgridmodel.h"
#include "shell/prompter.h"

namespace playlist {

QString TitleFromFileName(const QString& path) {
  const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  const QString name = path.mid(slash + 1);
  return name.left(std::max<qsizetype>(0, name.size() - 4));
}

bool IsImportableFile(const QString& name) {
  static const QStringList kExtensions = {".mp3", ".wma", ".mid", ".asf", ".wav", ".wmv"};
  return kExtensions.contains(name.right(4).toLower());
}

}  // namespace playlist

namespace {
const QColor& kNormalText = SongGridModel::kNormalText;
const QString kConfirmTitle = QStringLiteral("确认对话框");
}  // namespace

PlaylistCommands::PlaylistCommands(PlaylistManager& lists, SongGridModel& results,
                                   Prompter& prompter, PlaybackState& state, MediaPlayer& player)
    : lists_(lists), results_(results), prompter_(prompter), state_(state), player_(player) {}

void PlaylistCommands::mnuAdds_Click(int index) {
  switch (index) {
    case 0:
      return AddFile();
    case 1:
      return AddFolder();
    case 2:
      return AddUrl();
    case 4:
      lists_.SaveList();
      return;
    case 6:
      return ImportListFile();
    case 7:
      return ExportList();
  }
}

void PlaylistCommands::ImportListFile() {
  const auto file = prompter_.PickOpenFile(
      QStringLiteral("导入列表文件"),
      QStringLiteral("播放列表|*.m3u;*.m3u8;*.pls;*.lst|所有文件|*.*"), QString());
  if (file && !file->isEmpty()) ImportListPath(*file);
}

void PlaylistCommands::ImportListPath(const QString& path) {
  std::vector<SongEntry> songs;
  int skipped = 0;
  bool read = false;
  if (QFileInfo(path).suffix().compare(QLatin1String("lst"), Qt::CaseInsensitive) == 0) {
    playlist::LstRead lst = playlist::ReadLstFile(path);
    read = lst.status == playlist::LstRead::Status::Ok;
    for (SongEntry& song : lst.records)
      if (!song.IsBlank()) songs.push_back(std::move(song));
    skipped = lst.badLines;
  } else {
    playlist::ListRead list = playlist::ReadListFile(path);
    read = list.status == playlist::ListRead::Status::Ok;
    songs = std::move(list.songs);
    skipped = list.skipped;
  }
  if (!read) {
    prompter_.Inform(QStringLiteral("无法读取列表文件:\r\n%1").arg(path),
                     QStringLiteral("导入列表文件"));
    return;
  }
  lists_.BeginBatch();
  for (const SongEntry& song : songs)
    lists_.AddSongRow(song.title, song.singer, song.duration, song.path);
  lists_.EndBatch();
  lists_.SaveList();
  if (skipped > 0)
    prompter_.Inform(QStringLiteral("有%1项无法导入(地址无效或格式有误).").arg(skipped),
                     QStringLiteral("导入列表文件"), PromptIcon::Information);
}

void PlaylistCommands::AddDropped(const QList<QUrl>& urls) {
  for (const QUrl& url : urls) {
    if (!url.isLocalFile()) {
      if (!playlist::IsStreamScheme(url.scheme())) continue;
      const QString address = url.toString();
      const auto title = prompter_.AskText(QStringLiteral("请输入歌曲名,不清楚请直接点击确定."),
                                           QStringLiteral("信息-歌曲名"), kUnknownSinger);
      if (!title || title->isEmpty()) continue;
      const auto singer = prompter_.AskText(QStringLiteral("请输入歌手名,不清楚请直接点击确定."),
                                            QStringLiteral("信息-艺术家"), kUnknownSinger);
      if (!singer || singer->isEmpty()) continue;
      lists_.AddSongRow(title->trimmed().isEmpty() ? address : *title,
                        singer->trimmed().isEmpty() ? kUnknownSinger : *singer, kZeroDuration,
                        address);
      lists_.SaveList();
      continue;
    }
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    if (info.isDir()) {
      AddFolderPath(path);
    } else if (!info.isFile()) {
      continue;  // gone since the drag started, or a device
    } else if (playlist::ListFormatOf(path) ||
               info.suffix().compare(QLatin1String("lst"), Qt::CaseInsensitive) == 0) {
      ImportListPath(path);
    } else {
      lists_.AddSongRow(playlist::TitleFromFileName(path), kUnknownSinger, kZeroDuration, path);
      lists_.SaveList();
    }
  }
}

void PlaylistCommands::ExportList() {
  const auto file = prompter_.PickSaveFile(
      QStringLiteral("导出列表文件"),
      QStringLiteral("M3U8 列表|*.m3u8|M3U 列表|*.m3u|PLS 列表|*.pls"),
      lists_.currentName().isEmpty() ? QString() : lists_.currentName() + ".m3u8");
  if (!file || file->isEmpty()) return;
  QString path = *file;
  if (!playlist::ListFormatOf(path)) path += QStringLiteral(".m3u8");
  std::vector<SongEntry> songs;
  const SongGridModel& grid = lists_.grid();
  for (int row = 1; row < grid.rows(); ++row) songs.push_back(grid.entry(row));
  int skipped = 0;
  if (!playlist::WriteListFile(path, songs, &skipped)) {
    prompter_.Inform(QStringLiteral("无法写入列表文件:\r\n%1").arg(path),
                     QStringLiteral("导出列表文件"));
  } else if (skipped > 0) {
    prompter_.Inform(QStringLiteral("有%1首歌曲的地址含有换行, 未能导出.").arg(skipped),
                     QStringLiteral("导出列表文件"), PromptIcon::Information);
  }
}

void PlaylistCommands::AddFile() {
  const auto file = prompter_.PickOpenFile(
      QStringLiteral("添加单个音乐文件"),
      QStringLiteral("媒体文件|*.mid;*.wma;*.wav;*.avi;*.mpg;*.wmv;*.asf;*.mp3;*.ogg;*.m3u;*.dat"),
      QString());
  if (file && !file->isEmpty())
    lists_.AddSongRow(playlist::TitleFromFileName(*file), kUnknownSinger, kZeroDuration, *file);
  lists_.SaveList();
}

void PlaylistCommands::AddFolder() {
  const auto folder = prompter_.PickFolder(QStringLiteral("添加目录"), QString());
  if (!folder || folder->isEmpty()) return;
  AddFolderPath(*folder);
}

void PlaylistCommands::AddFolderPath(const QString& folder) {
  // Hidden files are left out: they are the desktop's and other programs' own files.
  const QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
  const QString prefix = folder.endsWith(u'/') ? folder : folder + u'/';
  lists_.BeginBatch();
  for (const QString& name : files) {
    if (name.startsWith(u'.') || !playlist::IsImportableFile(name)) continue;
    lists_.AddSongRow(name.left(name.size() - 4), kUnknownSinger, kZeroDuration, prefix + name);
  }
  lists_.EndBatch();
  lists_.SaveList();
}

void PlaylistCommands::AddUrl() {
  const auto title = prompter_.AskText(QStringLiteral("请输入歌曲名,不清楚请直接点击确定."),
                                       QStringLiteral("信息-歌曲名"), kUnknownSinger);
  if (!title || title->isEmpty()) return;
  const auto singer = prompter_.AskText(QStringLiteral("请输入歌手名,不清楚请直接点击确定."),
                                        QStringLiteral("信息-艺术家"), kUnknownSinger);
  if (!singer || singer->isEmpty()) return;
  const auto url = prompter_.AskText(
      QStringLiteral("请输入网络URL,必填项!例如:\r\nhttp://music.example.com/songs/demo.mp3"),
      QStringLiteral("信息-网络URL"), QString());
  const QString address = url.value_or(QString()).trimmed();
  if (address.isEmpty()) {
    prompter_.Inform(QStringLiteral("添加失败,缺少必填项:网络URL!"), QStringLiteral("添加失败"));
    return;
  }
  const QString t = title->trimmed().isEmpty() ? address : *title;
  const QString s = singer->trimmed().isEmpty() ? kUnknownSinger : *singer;
  lists_.AddSongRow(t, s, kZeroDuration, address);
  lists_.SaveList();
}

bool PlaylistCommands::DeleteSelected(int currentRow, int selectionEnd) {
  SongGridModel& grid = lists_.grid();
  if (currentRow <= 0 || selectionEnd <= 0) return false;
  if (!prompter_.Confirm(QStringLiteral("确认将所选歌曲从列表中删除?"), kConfirmTitle,
                         PromptIcon::Exclamation))
    return false;
  const int low = std::min(currentRow, selectionEnd);
  const int high = std::min(std::max(currentRow, selectionEnd), grid.rows() - 1);
  for (int row = high; row >= low; --row) grid.RemoveRow(row);
  lists_.MarkEdited();
  grid.SetSelectedRow(low);
  grid.PadToMinRows();
  return true;
}

void PlaylistCommands::ClearList() {
  if (!prompter_.Confirm(QStringLiteral("确认清空此列表?"), kConfirmTitle, PromptIcon::Exclamation))
    return;
  lists_.grid().Setup();
  lists_.grid().PadToMinRows();
  lists_.MarkEdited();
}

namespace {
struct RenameTexts {
  QString title;
  QString prompt;
};
RenameTexts TextsFor(int col) {
  switch (col) {
    case 1:
      return {QStringLiteral("修改歌名"), QStringLiteral("请为该曲输入新歌名:")};
    case 2:
      return {QStringLiteral("修改歌手"), QStringLiteral("请为该曲输入新歌手:")};
    default:
      return {QStringLiteral("修改地址"), QStringLiteral("请为该曲输入新地址:")};
  }
}

bool Rename(Prompter& prompter, SongGridModel& grid, int row, int col) {
  if (row < 1 || row >= grid.rows()) return false;
  const RenameTexts t = TextsFor(col);
  const auto answer = prompter.AskText(t.prompt, t.title, grid.cell(row, col));
  if (!answer || answer->trimmed().isEmpty()) return false;
  grid.SetCell(row, col, *answer);
  return true;
}
}  // namespace

void PlaylistCommands::RenamePlaylistCell(int row, int col) {
  if (col != 1 && col != 2 && col != 4) return;
  if (!Rename(prompter_, lists_.grid(), row, col)) return;
  lists_.MarkEdited();
  if (col == 4) lists_.grid().SetRowColor(row, kNormalText);
  lists_.SaveList();
}

void PlaylistCommands::RenameResultCell(int row, int col) {
  if (col != 1 && col != 2) return;
  Rename(prompter_, results_, row, col);
}

int PlaylistCommands::PrepareDeadLinkSearch(int playlistRow) {
  const SongGridModel& grid = lists_.grid();
  if (playlistRow < 1 || playlistRow >= grid.rows()) return 0;
  int row = 0;
  for (int r = 1; r < results_.rows(); ++r) {
    if (results_.title(r).trimmed().isEmpty()) {
      row = r;
      break;
    }
  }
  if (row == 0) {
    results_.AppendRow();
    row = results_.rows() - 1;
  }
  const SongEntry song = grid.entry(playlistRow);
  results_.SetSelectedRow(row);
  results_.SetEntry(
      row, {common::ThreeDigits(row), song.title, song.singer, song.duration, results_.path(row)});
  return row;
}

bool PlaylistCommands::CanSendToPlaylist() const {
  return state_.currentRow != 0 && state_.playingGrid == PlayingGrid::Results &&
         player_.playState() == PlayState::Playing;
}

bool PlaylistCommands::topl_Click() {
  if (!CanSendToPlaylist()) return false;
  const SongEntry song = results_.entry(state_.currentRow);
  lists_.AddSongRow(song.title, song.singer, song.duration, player_.url());
  lists_.SaveList();
  return true;
}
