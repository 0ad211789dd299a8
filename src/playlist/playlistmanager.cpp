// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistmanager.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "config/appconfig.h"
#include "config/menuform.h"
#include "common/backup.h"
#include "common/numparse.h"
#include "common/textfile.h"
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
      config_(config) {}

QString PlaylistManager::FileOf(const QString& name) const {
  return paths_.playlistDir() + name + QStringLiteral(".lst");
}

bool PlaylistManager::EnsureDefaultList() {
  const QString file = FileOf(QStringLiteral("default"));
  if (QFileInfo::exists(file)) return true;
  QDir().mkpath(paths_.playlistDir());
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

void PlaylistManager::Check(int index) {
  menus_.CheckOnly(kLList, index);
  QAction* item = menus_.Item(kLList, index);
  hasChecked_ = item != nullptr;
  checkedCaption_ = item ? item->text() : QString();
}

void PlaylistManager::RestoreCheck() {
  Check(hasChecked_ ? IndexOfCaption(checkedCaption_) : -1);
}

void PlaylistManager::MarkCurrent(const QString& name) {
  Check(IndexOfCaption(name));
  config_.currentList = name;
}

int PlaylistManager::IndexOfCaption(const QString& caption) const {
  const QList<QAction*> items = menus_.Items(kLList);
  for (int k = 0; k < items.size(); ++k)
    if (items[k]->text() == caption) return k;
  return -1;
}

QString PlaylistManager::currentName() const {
  QAction* item = menus_.Item(kLList, menus_.FirstChecked(kLList));
  return item ? item->text() : QString();
}

void PlaylistManager::SaveConfig() {
  if (saveConfig_) saveConfig_();
}

void PlaylistManager::LoadLST() {
  grid_.BeginBulk();
  grid_.Setup();
  const QString name = currentName();
  if (menus_.FirstChecked(kLList) >= 0) {
    auto records = playlist::ReadLstFile(FileOf(name));
    if (records) {
      loading_ = true;
      grid_.ReserveRows(static_cast<int>(records->size()) + SongGridModel::kMinRows);
      for (const SongEntry& r : *records)
        if (!r.IsBlank()) AddSongRow(r.title, r.singer, r.duration, r.path);
      loading_ = false;
    }
  }
  if (grid_.rows() > 1 && grid_.title(grid_.rows() - 1).trimmed().isEmpty())
    grid_.RemoveRow(grid_.rows() - 1);
  grid_.PadToMinRows();
  grid_.EndBulk();
  // A duplicate replaced while reading is written once the whole file is in the grid, so the
  // file being read is never cut short.
  if (saveAfterLoad_) {
    saveAfterLoad_ = false;
    SaveList();
  }
  emit ListLoaded();
}

void PlaylistManager::SaveList() {
  if (loading_) {
    saveAfterLoad_ = true;
    return;
  }
  QString name = currentName();
  if (name.trimmed().isEmpty()) name = QStringLiteral("default");
  std::vector<SongEntry> songs;
  songs.reserve(static_cast<size_t>(grid_.rows()));
  for (int row = 1; row < grid_.rows(); ++row) {
    SongEntry e = grid_.entry(row);
    if (!e.IsBlank()) songs.push_back(std::move(e));
  }
  // Failures leave the old file and the grid as they are.
  playlist::WriteLstFile(FileOf(name), songs, paths_.backupDir() + QStringLiteral("playlist/"));
}

bool PlaylistManager::AddSongRow(const QString& title, const QString& singer,
                                 const QString& duration, const QString& path) {
  if (path.trimmed().isEmpty()) return false;
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
  if (bulk) grid_.EndBulk();
  const QString text = QStringLiteral(
                           "添加的歌曲与本列表中现有歌曲重复!\r\n"
                           "替换原有链接请点击确定,否则点取消\r\n原有链接:") +
                       grid_.path(dup) + QStringLiteral("\r\n当前链接:") + path;
  const bool replace =
      prompter_.Confirm(text, QStringLiteral("添加歌曲重复,请选择..."), PromptIcon::Information);
  if (bulk) grid_.BeginBulk();
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
  RestoreCheck();
  SaveList();
  config_.currentList = item->text();
  Check(index);
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
  RestoreCheck();
  const int index = menus_.FirstChecked(kLList);
  const QString name = currentName();
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
    const QString file = FileOf(name);
    if (!common::MoveToBackup(file, paths_.backupDir() + QStringLiteral("playlist/")))
      QFile::remove(file);
    const int last = menus_.Count(kLList) - 1;
    menus_.Item(kLList, index)->setText(menus_.Item(kLList, last)->text());
    menus_.RemoveLast(kLList);
  }
  // Closing the gap can move the surviving caption to another index: its mark goes with it.
  Check(IndexOfCaption(survivorName));
  config_.currentList = survivorName;
}

void PlaylistManager::RenameList() {
  if (menus_.Count(kLList) <= 1) {
    prompter_.Inform(QStringLiteral("不能修改默认列表名!"), kErrorTitle);
    return;
  }
  RestoreCheck();
  const int index = menus_.FirstChecked(kLList);
  const QString oldName = currentName();
  const auto answer = prompter_.AskText(QStringLiteral("请为列表'") + oldName +
                                            QStringLiteral("'输入新名称,中文输入将不被接受."
                                                           "可用字符为:大小写英文字母以及数字."),
                                        QStringLiteral("修改表名"), QString());
  const QString name = answer.value_or(QString()).trimmed();
  if (CheckNewName(name) != NameCheck::Ok) return;
  if (index < 0 || !QFileInfo::exists(FileOf(oldName)) ||
      !QFile::rename(FileOf(oldName), FileOf(name))) {
    prompter_.Inform(QStringLiteral("修改出错,当前列表丢失???"), kErrorTitle);
    return;
  }
  menus_.Item(kLList, index)->setText(name);
  Check(index);
  config_.currentList = name;
  SaveConfig();  // defaultlist must keep naming the current list
}
