// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAction>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <type_traits>

// One menu item array's choices: item k chosen raises Triggered(k).
class MenuArray : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 signals:
  void Triggered(int index);
};

// The popup-menu form: owns every menu item array by its name ("LList", "sousuo", "Sets",
// "mnuControls", ...) as QActions with caption, check mark, visible and enabled state. Item k
// of array A carries the object name "A_k". Windows build QMenus from these arrays; each array
// has one handler, connected once with Connect.
class MenuForm : public QObject {
  Q_OBJECT

 public:
  explicit MenuForm(QObject* parent = nullptr);

  // Item `index` of `array`, created when missing (arrays grow at run time, with no gaps:
  // missing lower indices are created as hidden items). Returns the item.
  QAction* AddItem(const QString& array, int index, const QString& caption, bool checkable = false);
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

  // The array's signal object (created on first use).
  MenuArray* Array(const QString& array);
  // Connects the array's choices to handler(Index), where Index is int or an enum class whose
  // values are the item indices: one connection per array.
  template <typename Receiver, typename Index>
  QMetaObject::Connection Connect(const QString& array, Receiver* receiver,
                                  void (Receiver::*handler)(Index)) {
    auto call = [receiver, handler](int k) { (receiver->*handler)(static_cast<Index>(k)); };
    MenuArray* choices = Array(array);
    if constexpr (std::is_base_of_v<QObject, Receiver>)
      return QObject::connect(choices, &MenuArray::Triggered, receiver, call);
    else
      return QObject::connect(choices, &MenuArray::Triggered, choices, call);
  }

 private:
  QHash<QString, QList<QAction*>> arrays_;
  QHash<QString, MenuArray*> signals_;
};
