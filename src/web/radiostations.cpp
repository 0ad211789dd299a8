// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/radiostations.h"

#include <QFileInfo>

#include "common/textfile.h"
#include "config/menuform.h"
#include "playlist/gridrows.h"
#include "playlist/songgridmodel.h"
#include "web/chartloader.h"
#include "web/radiolist.h"

namespace {
const QString kRadioMenu = QStringLiteral("DList");
const QString kRadioFile = QStringLiteral("radiolist.ini");
}  // namespace

RadioStations::RadioStations(const AppPaths& paths, MenuForm& menus, SongGridModel& results,
                             QObject* parent)
    : QObject(parent), paths_(paths), menus_(menus), results_(results) {}

void RadioStations::CreateMenu() {
  const auto& categories = web::RadioCategories();
  for (int i = 0; i < categories.size(); ++i)
    menus_.AddItem(kRadioMenu, i, categories.at(i).caption, true);
}

bool RadioStations::Load() {
  radioText_.clear();
  loaded_ = false;
  const QString path = paths_.bin() + kRadioFile;
  fileFound_ = QFileInfo(path).isFile();
  if (!fileFound_) return false;
  const auto content = common::ReadTextFile(path, 4 << 20);
  if (!content) return false;
  radioText_ = web::JoinRadioText(content->lines);
  loaded_ = true;
  return true;
}

void RadioStations::DList_Click(int index) {
  const auto& categories = web::RadioCategories();
  if (!fileFound_ || !loaded_ || index < 0 || index >= categories.size()) return;
  emit ResultGridReplaced();
  web::ClearCheck(menus_);
  if (QAction* item = menus_.Item(kRadioMenu, index)) item->setChecked(true);
  results_.Setup();
  const QString caption = categories.at(index).caption;
  listTitle_ = caption.mid(4);
  emit ListTitleChanged(listTitle_);
  const QString label = web::RadioCategoryLabel(caption);
  results_.BeginBulk();
  for (const web::RadioStation& station :
       web::RadioSectionStations(radioText_, categories.at(index).section))
    playlist::AddResultRow(results_, station.name, label, QStringLiteral("00:00"), station.address);
  results_.EndBulk();
  web::TidyResultGrid(results_);
}
