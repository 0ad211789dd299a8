// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistmanager.h"

#include <malloc.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFuture>
#include <QFutureWatcher>
#include <QPromise>
#include <QThreadPool>
#include <memory>

#include "common/backup.h"
#include "common/numparse.h"
#include "common/textfile.h"
#include "config/appconfig.h"
#include "config/menuform.h"
#include "playlist/lstfile.h"
#include "playlist/songgridmodel.h"
#include "shell/prompter.h"

namespace {
const QString kLList = QStringLiteral("LList");
const QString kErrorTitle = QStringLiteral("Error");
const QColor& kNormalText = SongGridModel::kNormalText;
}  // namespace

PlaylistManager::PlaylistManager(SongGridModel& grid, MenuForm& menus, Prompter& prompter,
                                 AppPaths paths, AppConfig& config, QObject* parent)
    : QObject(parent),
      grid_(grid),
      menus_(menus),
      prompter_(prompter),
      paths_(std::move(paths)),
      config_(config) {
  io_.setMaxThreadCount(1);
  const auto changed = [this] {
    if (!loading_) rowsChanged_ = true;
  };
  // Colours and the playing mark are not stored in the file.
  connect(&grid_, &QAbstractItemModel::dataChanged, this,
          [changed](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
            if (roles.isEmpty() || roles.contains(Qt::DisplayRole)) changed();
          });
  connect(&grid_, &QAbstractItemModel::rowsInserted, this, changed);
  connect(&grid_, &QAbstractItemModel::rowsRemoved, this, changed);
  connect(&grid_, &QAbstractItemModel::modelReset, this, changed);
}

QString PlaylistManager::FileOf(const QString& name) const {
  return paths_.playlistDir() + name + QStringLiteral(".lst");
}

bool PlaylistManager::EnsureDefaultList() {
  const QString file = FileOf(QStringLiteral("default"));
  if (QFileInfo::exists(file)) return true;
  // The playlist folder ships with the program; without it the step fails and goes on.
  if (!QFileInfo(paths_.playlistDir()).isDir()) return false;
  return common::WriteBytesAtomically(file, QByteArrayLiteral("\r\n"));
}

bool PlaylistManager::BuildListMenu() {
  QDir dir(paths_.playlistDir());
  const QStringList files = dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
  while (menus_.Count(kLList) > 0) menus_.RemoveLast(kLList);
  int index = 0;
  for (QString name : files) {
    name.remove(QStringLiteral(".lst"));
    menus_.AddItem(kLList, index++, name, true);
  }
  return true;
}

void PlaylistManager::SetCurrent(const QString& caption) {
  current_ = caption;
  config_.currentList = caption;
  SyncChecks();
}

void PlaylistManager::SyncChecks() {
  menus_.CheckOnly(kLList, current_.isEmpty() ? -1 : IndexOfCaption(current_));
}

void PlaylistManager::MarkCurrent(const QString& name) {
  current_ = IndexOfCaption(name) >= 0 ? name : QString();
  config_.currentList = name;
  SyncChecks();
}

int PlaylistManager::IndexOfCaption(const QString& caption) const {
  const QList<QAction*> items = menus_.Items(kLList);
  for (int k = 0; k < items.size(); ++k)
    if (items[k]->isVisible() && items[k]->text() == caption) return k;
  return -1;
}

QString PlaylistManager::currentName() const {
  return IndexOfCaption(current_) >= 0 ? current_ : QString();
}

void PlaylistManager::SaveConfig() {
  if (saveConfig_) saveConfig_();
}

void PlaylistManager::Tell(const QString& text) {
  emit StatusText(text);
}

std::vector<SongEntry> PlaylistManager::GridSongs() const {
  std::vector<SongEntry> songs;
  songs.reserve(static_cast<size_t>(grid_.rows()));
  for (int row = 1; row < grid_.rows(); ++row) {
    SongEntry e = grid_.entry(row);
    if (!e.IsBlank()) songs.push_back(std::move(e));
  }
  return songs;
}

namespace {
QString Stamp(const QString& file) {
  const QFileInfo info(file);
  if (!info.exists()) return QString();
  return QString::number(info.size()) + u'@' +
         QString::number(info.lastModified().toMSecsSinceEpoch());
}

// A file that holds songs, or something that is not a plain file: never replaced blindly.
bool HoldsSongs(const QString& file) {
  QFileInfo info(file);
  if (!info.exists()) return info.isSymLink();
  if (!info.isFile()) return true;
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return true;
  return !f.read(1 << 16).trimmed().isEmpty() || f.size() > (1 << 16);
}

// Why a write to `file` cannot work, or "" when it may.
QString WriteProblem(const QString& file) {
  QFileInfo info(file);
  if (info.isSymLink()) {
    const QFileInfo target(info.symLinkTarget());
    if (QDir(target.absolutePath()).canonicalPath() != QDir(info.absolutePath()).canonicalPath())
      return QStringLiteral("列表文件是指向别处的链接,为安全起见不保存: ");
    if (target.exists() && !target.isFile()) return QStringLiteral("列表文件不是普通文件,未保存: ");
    return QString();
  }
  if (info.exists() && !info.isFile()) return QStringLiteral("列表文件不是普通文件,未保存: ");
  return QString();
}
}  // namespace

void PlaylistManager::LoadLST() {
  // A newer load supersedes a pending one: its result is dropped when it arrives.
  const quint64 generation = ++loadGeneration_;
  const QString name = currentName();
  const QString file = name.isEmpty() ? QString() : FileOf(name);
  loadedName_.clear();
  loadedClean_ = true;
  loadedFileExists_ = false;
  edited_ = false;
  loadNotice_.clear();
  saveAfterLoad_ = false;
  const QFileInfo info(file);
  // With a write queued the file is read after it, in order, so a small list too.
  if (name.isEmpty() || !info.isFile() || (info.size() < asyncLoadBytes_ && ioPending_ == 0)) {
    loadPending_ = false;
    playlist::LstRead read;
    if (!name.isEmpty()) read = playlist::ReadLstFile(file);
    SongGridModel::PreparedRows prepared = SongGridModel::PrepareRows(read.records);
    return ApplyLoad(name, std::move(read), std::move(prepared));
  }
  // The old rows go now, so nothing can save them under the new list's name while it reads;
  // freeing 100,000 of them is left to the worker.
  loadPending_ = true;
  grid_.BeginBulk();
  std::vector<SongEntry> old = grid_.TakeRows();
  grid_.PadToMinRows();
  grid_.EndBulk();
  rowsChanged_ = false;
  // The watcher belongs to this manager: when the manager goes first, the result is dropped.
  // The result is handed over through `result`, not the future's store, so the grid's indexes
  // are never shared with a copy there (the first append after the load would copy them).
  auto* watcher = new QFutureWatcher<void>(this);
  auto result = std::make_shared<LoadedList>();
  pendingName_ = name;
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation, result] {
    watcher->deleteLater();
    --ioPending_;
    if (generation != loadGeneration_) return;
    LoadedList loaded = std::move(*result);
    loadPending_ = false;
    // Songs the user added while the list was read join it after its own rows.
    std::vector<SongEntry> added;
    for (int row = 1; row < grid_.rows(); ++row)
      if (!grid_.entry(row).IsBlank()) added.push_back(grid_.entry(row));
    ApplyLoad(pendingName_, std::move(loaded.read), std::move(loaded.prepared));
    if (added.empty()) return;
    BeginBatch();
    for (const SongEntry& e : added) AddSongRow(e.title, e.singer, e.duration, e.path);
    EndBatch();
    SaveList();
  });
  ++ioPending_;
  auto promise = std::make_shared<QPromise<void>>();
  promise->start();
  watcher->setFuture(promise->future());
  auto oldRows = std::make_shared<std::vector<SongEntry>>(std::move(old));
  io_.start([promise, oldRows, file, result] {
    oldRows->clear();
    LoadedList& loaded = *result;
    loaded.read = playlist::ReadLstFile(file);
    loaded.prepared = SongGridModel::PrepareRows(loaded.read.records);
    // The file's bytes and text were freed in this thread's own heap arena, which glibc does
    // not hand back by itself: without this a big load leaves some 30 MiB more resident.
    malloc_trim(0);
    promise->finish();
  });
}

void PlaylistManager::ApplyLoad(const QString& name, playlist::LstRead read,
                                SongGridModel::PreparedRows prepared) {
  grid_.BeginBulk();
  grid_.Setup();
  if (!name.isEmpty()) {
    const QString file = FileOf(name);
    loadedName_ = name;
    loadedClean_ = read.clean();
    loadedFileExists_ = read.status != playlist::LstRead::Status::Missing;
    loading_ = true;
    if (prepared.duplicates == 0) {
      grid_.Adopt(std::move(prepared));
    } else {
      // Each duplicate asks the user, so this list goes in row by row.
      BeginBatch();
      grid_.ReserveRows(static_cast<int>(read.records.size()) + SongGridModel::kMinRows);
      for (const SongEntry& r : read.records)
        if (!r.IsBlank()) AddSongRow(r.title, r.singer, r.duration, r.path);
      EndBatch();
    }
    loading_ = false;
    using Status = playlist::LstRead::Status;
    if (read.status == Status::NotAFile || read.status == Status::Unreadable)
      loadNotice_ = QStringLiteral("列表文件无法读取(不是普通文件): ") + file;
    else if (read.badEncoding)
      loadNotice_ = QStringLiteral("列表编码无法识别,原文件将保留,编辑后才会保存: ") + name;
    else if (read.badLines > 0)
      loadNotice_ =
          QStringLiteral("列表中有%1行无法读取,原文件将保留,编辑后才会保存: ").arg(read.badLines) +
          name;
  }
  if (grid_.rows() > 1 && grid_.title(grid_.rows() - 1).trimmed().isEmpty())
    grid_.RemoveRow(grid_.rows() - 1);
  grid_.PadToMinRows();
  grid_.EndBulk();
  // A duplicate replaced while reading is a change: the file does not hold it yet.
  rowsChanged_ = saveAfterLoad_;
  loadedStamp_ = loadedName_.isEmpty() ? QString() : Stamp(FileOf(loadedName_));
  // A duplicate replaced while reading is written once the whole file is in the grid, so the
  // file being read is never cut short.
  if (saveAfterLoad_) {
    saveAfterLoad_ = false;
    edited_ = true;
    SaveList();
  }
  if (!loadNotice_.isEmpty()) Tell(loadNotice_);
  emit ListLoaded();
}

bool PlaylistManager::SaveList() {
  // The grid holds no list while one reads on the worker: there is nothing to save.
  if (loadPending_) return false;
  if (loading_) {
    saveAfterLoad_ = true;
    return false;
  }
  QString name = currentName();
  if (name.trimmed().isEmpty()) name = QStringLiteral("default");
  const QString file = FileOf(name);
  const bool ownFile = name == loadedName_;
  if (!ownFile && HoldsSongs(file)) {
    // The grid does not hold this list (its name matched no entry): writing would replace
    // songs the user never saw.
    Tell(QStringLiteral("当前列表未加载,不覆盖已有歌曲的列表: ") + name);
    return false;
  }
  // Unchanged rows over an unchanged file: nothing to write, the file keeps its own bytes.
  if (ownFile && loadedFileExists_ && !rowsChanged_ && Stamp(file) == loadedStamp_) return true;
  const bool backupFirst = ownFile && !loadedClean_;
  if (backupFirst && !edited_) return false;
  const QString problem = WriteProblem(file);
  if (!problem.isEmpty()) {
    Tell(problem + file);
    return false;
  }
  if (grid_.rows() >= asyncSaveRows_ || ioPending_ > 0) return SaveInBackground(name, backupFirst);
  if (backupFirst && QFileInfo(file).isFile() &&
      !common::CopyToBackup(file, paths_.backupDir() + QStringLiteral("playlist/"))) {
    Tell(QStringLiteral("无法备份原列表,未保存: ") + name);
    return false;
  }
  // A failure leaves the old file and the grid as they are.
  if (!playlist::WriteLstBytes(file, common::EncodeGbk(playlist::FormatLst(GridSongs())),
                               paths_.backupDir() + QStringLiteral("playlist/"))) {
    Tell(QStringLiteral("列表保存失败,文件无法写入: ") + file);
    return false;
  }
  if (ownFile) {
    loadedClean_ = true;
    loadedFileExists_ = true;
    rowsChanged_ = false;
    loadedStamp_ = Stamp(file);
  }
  return true;
}

bool PlaylistManager::SaveInBackground(const QString& name, bool backupFirst) {
  struct Written {
    bool backedUp = true;
    bool written = false;
    QString stamp;
  };
  const QString file = FileOf(name);
  const QString backupDir = paths_.backupDir() + QStringLiteral("playlist/");
  const bool ownFile = name == loadedName_;
  const bool wasClean = loadedClean_;
  // The rows as they are now; an edit made while the file is written marks the list changed
  // again and the next save writes it.
  if (ownFile) {
    loadedClean_ = true;
    loadedFileExists_ = true;
    rowsChanged_ = false;
  }
  const quint64 save = ++saveGeneration_;
  ++ioPending_;
  auto* watcher = new QFutureWatcher<Written>(this);
  connect(watcher, &QFutureWatcherBase::finished, this,
          [this, watcher, save, name, file, wasClean] {
            watcher->deleteLater();
            --ioPending_;
            QFuture<Written> done = watcher->future();
            const Written w = done.resultCount() > 0 ? done.result() : Written{false, false, {}};
            const bool stillOurs = loadedName_ == name && !loadPending_;
            if (!w.backedUp || !w.written) {
              if (stillOurs) {
                rowsChanged_ = true;
                loadedClean_ = wasClean;
              }
              Tell(!w.backedUp ? QStringLiteral("无法备份原列表,未保存: ") + name
                               : QStringLiteral("列表保存失败,文件无法写入: ") + file);
            } else if (stillOurs && save == saveGeneration_) {
              loadedStamp_ = w.stamp;
            }
            emit ListWritten(w.backedUp && w.written);
          });
  auto promise = std::make_shared<QPromise<Written>>();
  promise->start();
  watcher->setFuture(promise->future());
  auto songs = std::make_shared<std::vector<SongEntry>>(GridSongs());
  // One writer thread: saves land in the order they were asked for, a crash between backup
  // and write leaves the old file or the new one.
  io_.start([promise, songs, file, backupDir, backupFirst] {
    Written w;
    if (backupFirst && QFileInfo(file).isFile() && !common::CopyToBackup(file, backupDir)) {
      w.backedUp = false;
    } else {
      const QByteArray bytes = common::EncodeGbk(playlist::FormatLst(*songs));
      songs->clear();
      w.written = playlist::WriteLstBytes(file, bytes, backupDir);
      w.stamp = Stamp(file);
    }
    promise->addResult(std::move(w));
    promise->finish();
  });
  return true;
}

void PlaylistManager::FinishWrites() {
  io_.waitForDone();
}

bool PlaylistManager::AskReplace(const QString& text) {
  switch (batchAnswer_) {
    case BatchAnswer::ReplaceAll:
      return true;
    case BatchAnswer::SkipAll:
      return false;
    case BatchAnswer::Ask:
      break;
  }
  PromptMessage m{text, QStringLiteral("添加歌曲重复,请选择..."), PromptIcon::Information,
                  PromptButtons::OkCancelToAll, true};
  switch (prompter_.Ask(m)) {
    case PromptAnswer::OkToAll:
      batchAnswer_ = BatchAnswer::ReplaceAll;
      return true;
    case PromptAnswer::CancelToAll:
      batchAnswer_ = BatchAnswer::SkipAll;
      return false;
    case PromptAnswer::Ok:
    case PromptAnswer::Yes:
      return true;
    default:
      return false;
  }
}

bool PlaylistManager::AddSongRow(const QString& title, const QString& singer,
                                 const QString& duration, const QString& path) {
  if (path.trimmed().isEmpty()) return false;
  if (!loading_) edited_ = true;
  grid_.RemoveBlankRows();
  const int row = grid_.rows();
  const int dup = grid_.AppendIfNew({common::ThreeDigits(row), title, singer, duration, path});
  if (dup == 0) {
    grid_.SetSelectedRow(row);
    grid_.PadToMinRows();
    return true;
  }
  grid_.SetTopRow(dup < 6 ? 0 : dup - 6);
  grid_.SetSelectedRow(dup);
  grid_.PadToMinRows();
  // While a list loads the views wait for one reset; show them the rows before asking.
  const bool bulk = grid_.inBulk();
  const bool ask = batchAnswer_ == BatchAnswer::Ask;
  if (bulk && ask) grid_.EndBulk();
  const QString text = QStringLiteral(
                           "添加的歌曲与本列表中现有歌曲重复!\r\n"
                           "替换原有链接请点击确定,否则点取消\r\n原有链接:") +
                       grid_.path(dup) + QStringLiteral("\r\n当前链接:") + path;
  const bool replace = AskReplace(text);
  if (bulk && ask) grid_.BeginBulk();
  if (replace && dup < grid_.rows()) {
    grid_.SetCell(dup, 4, path);
    grid_.SetRowColor(dup, kNormalText);
    SaveList();
  }
  return false;
}

void PlaylistManager::LList_Click(int index) {
  QAction* item = menus_.Item(kLList, index);
  if (!item) return;
  SyncChecks();
  SaveList();
  SetCurrent(item->text());
  LoadLST();
  SaveConfig();
}

void PlaylistManager::ALists_Click(playlist::ListsItem item) {
  switch (item) {
    case playlist::ListsItem::New:
      return NewList();
    case playlist::ListsItem::Delete:
      return DeleteList();
    case playlist::ListsItem::Rename:
      return RenameList();
  }
}

PlaylistManager::NameCheck PlaylistManager::CheckNewName(const QString& name) {
  if (name.isEmpty()) return NameCheck::Cancelled;
  static const QString kAllowed = QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789");
  for (QChar c : name) {
    if (!kAllowed.contains(c.toLower())) {
      prompter_.Inform(QStringLiteral("考虑兼容性问题,列表名称请不要使用中文或符号"), kErrorTitle);
      return NameCheck::Refused;
    }
  }
  bool taken = QFileInfo::exists(FileOf(name));
  for (QAction* item : menus_.Items(kLList))
    if (item->isVisible() && item->text().compare(name, Qt::CaseInsensitive) == 0) taken = true;
  if (taken) {
    prompter_.Inform(QStringLiteral("列表名称已存在,创建失败!"), kErrorTitle);
    return NameCheck::Refused;
  }
  return NameCheck::Ok;
}

void PlaylistManager::NewList() {
  const auto answer = prompter_.AskText(
      QStringLiteral("请输入列表名称,中文输入将不被接受.\r\n可用字符为:大小写英文字母以及数字."),
      QStringLiteral("新建列表"), QString());
  const QString name = answer.value_or(QString()).trimmed();
  if (CheckNewName(name) != NameCheck::Ok) return;
  QDir().mkpath(paths_.playlistDir());
  if (!common::WriteBytesAtomically(FileOf(name), QByteArrayLiteral("\r\n\r\n"))) return;
  const int index = menus_.Count(kLList);
  menus_.AddItem(kLList, index, name, true)->setChecked(false);
  LList_Click(index);
}

void PlaylistManager::DeleteList() {
  SyncChecks();
  const QString name = currentName();
  const int index = name.isEmpty() ? -1 : IndexOfCaption(name);
  if (name == QStringLiteral("default") || menus_.Count(kLList) <= 1) {
    prompter_.Inform(QStringLiteral("不能删除默认列表!"), kErrorTitle);
    return;
  }
  if (!prompter_.Confirm(QStringLiteral("确认删除当前列表?"), QStringLiteral("确认对话框"))) return;
  // Entry 0 is the list being deleted when it is checked: the next entry survives instead,
  // so the deleted list's rows are never saved under another list's name.
  const int survivor = index == 0 ? 1 : 0;
  LList_Click(survivor);
  const QString survivorName = currentName();
  if (index >= 0) {
    // The switch above may have queued a write of this list: it must not bring the file back.
    FinishWrites();
    const QString file = FileOf(name);
    if (!common::MoveToBackup(file, paths_.backupDir() + QStringLiteral("playlist/")))
      QFile::remove(file);
    const int last = menus_.Count(kLList) - 1;
    menus_.Item(kLList, index)->setText(menus_.Item(kLList, last)->text());
    menus_.RemoveLast(kLList);
  }
  // Closing the gap can move the surviving caption to another index: its mark goes with it.
  SetCurrent(survivorName);
}

void PlaylistManager::RenameList() {
  if (menus_.Count(kLList) <= 1) {
    prompter_.Inform(QStringLiteral("不能修改默认列表名!"), kErrorTitle);
    return;
  }
  SyncChecks();
  const QString oldName = currentName();
  const int index = oldName.isEmpty() ? -1 : IndexOfCaption(oldName);
  const auto answer = prompter_.AskText(QStringLiteral("请为列表'") + oldName +
                                            QStringLiteral("'输入新名称,中文输入将不被接受."
                                                           "可用字符为:大小写英文字母以及数字."),
                                        QStringLiteral("修改表名"), QString());
  const QString name = answer.value_or(QString()).trimmed();
  if (CheckNewName(name) != NameCheck::Ok) return;
  FinishWrites();  // a queued write of the old name would bring its file back
  if (index < 0 || !QFileInfo::exists(FileOf(oldName)) ||
      !QFile::rename(FileOf(oldName), FileOf(name))) {
    prompter_.Inform(QStringLiteral("修改出错,当前列表丢失???"), kErrorTitle);
    return;
  }
  menus_.Item(kLList, index)->setText(name);
  if (loadedName_ == oldName) loadedName_ = name;
  if (loadPending_ && pendingName_ == oldName) pendingName_ = name;
  SetCurrent(name);
  SaveConfig();  // defaultlist must keep naming the current list
}
