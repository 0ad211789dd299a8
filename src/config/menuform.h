// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAction>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

// The popup-menu form: owns every menu item array by its name ("LList", "sousuo", "Sets",
// "mnuControls", ...) as QActions with caption, check mark, visible and enabled state. Item k
// of array A carries the object name "A_k". Windows build QMenus from these arrays.
class MenuForm : public QObject {
  Q_OBJECT

 public:
  explicit MenuForm(QObject* parent = nullptr);

  // Item `index` of `array`, created when missing (arrays grow at run time, with no gaps:
  // missing lower indices are created as hidden items). Returns the item.
  QAction* AddItem(const QString& array, int index, const QString& caption,
                   bool checkable = false);
  QAction* AddSeparator(const QString& array, int index);
  // nullptr when the item does not exist.
  QAction* Item(const QString& array, int index) const;
  QList<QAction*> Items(const QString& array) const;
  int Count(const QString& array) const;  // highest index + 1
  // Removes the last item of the array.
  void RemoveLast(const QString& array);

  // Checks item index only (clears the others); index -1 clears all.
  void CheckOnly(const QString& array, int index);
  bool IsChecked(const QString& array, int index) const;
  int FirstChecked(const QString& array) const;  // -1 when none
  int LastChecked(const QString& array) const;   // -1 when none

 signals:
  // Raised when an item is chosen from a menu.
  void Triggered(const QString& array, int index);

 private:
  QHash<QString, QList<QAction*>> arrays_;
};
