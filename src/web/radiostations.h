// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

#include "config/apppaths.h"

class MenuForm;
class SongGridModel;

// The radio categories of the DList menu: the station list is read once at start-up, and
// choosing a category fills the result grid with its stations from that copy.
class RadioStations : public QObject {
  Q_OBJECT

 public:
  RadioStations(const AppPaths& paths, MenuForm& menus, SongGridModel& results,
                QObject* parent = nullptr);

  // Creates the 25 items of the radio menu DList (checkable, unchecked).
  void CreateMenu();
  // Reads bin/radiolist.ini into memory; false when the file is missing or unreadable.
  bool Load();
  // Loads category index (0..24) into the result grid; nothing without a loaded list.
  void DList_Click(int index);

  bool fileFound() const { return fileFound_; }
  bool loaded() const { return loaded_; }
  const QString& radioText() const { return radioText_; }
  const QString& listTitle() const { return listTitle_; }

 signals:
  // The result grid is about to be replaced by stations: the list window shows it, and its
  // rows play as they are.
  void ResultGridReplaced();
  void ListTitleChanged(const QString& title);

 private:
  AppPaths paths_;
  MenuForm& menus_;
  SongGridModel& results_;
  QString radioText_;
  QString listTitle_;
  bool fileFound_ = false;
  bool loaded_ = false;
};
