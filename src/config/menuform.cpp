// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/menuform.h"

MenuForm::MenuForm(QObject* parent) : QObject(parent) {}

QAction* MenuForm::AddItem(const QString& array, int index, const QString& caption,
                           bool checkable) {
  QList<QAction*>& items = arrays_[array];
  while (items.size() <= index) {
    const int k = static_cast<int>(items.size());
    auto* action = new QAction(this);
    action->setObjectName(array + u'_' + QString::number(k));
    action->setVisible(false);
    MenuArray* choices = Array(array);
    connect(action, &QAction::triggered, choices, [choices, k] { emit choices->Triggered(k); });
    items.append(action);
  }
  QAction* action = items[index];
  action->setText(caption);
  action->setCheckable(checkable);
  action->setVisible(true);
  return action;
}

MenuArray* MenuForm::Array(const QString& array) {
  MenuArray*& choices = signals_[array];
  if (!choices) choices = new MenuArray(this);
  return choices;
}

QAction* MenuForm::AddSeparator(const QString& array, int index) {
  QAction* action = AddItem(array, index, QString());
  action->setSeparator(true);
  return action;
}

QAction* MenuForm::Item(const QString& array, int index) const {
  auto it = arrays_.constFind(array);
  if (it == arrays_.constEnd() || index < 0 || index >= it->size()) return nullptr;
  return it->at(index);
}

QList<QAction*> MenuForm::Items(const QString& array) const {
  return arrays_.value(array);
}

int MenuForm::Count(const QString& array) const {
  return static_cast<int>(arrays_.value(array).size());
}

void MenuForm::RemoveLast(const QString& array) {
  auto it = arrays_.find(array);
  if (it == arrays_.end() || it->isEmpty()) return;
  delete it->takeLast();
}

void MenuForm::CheckOnly(const QString& array, int index) {
  const QList<QAction*> items = arrays_.value(array);
  for (int k = 0; k < items.size(); ++k) {
    if (k == index) items[k]->setCheckable(true);
    items[k]->setChecked(k == index);
  }
}

bool MenuForm::IsChecked(const QString& array, int index) const {
  QAction* action = Item(array, index);
  return action && action->isChecked();
}

int MenuForm::FirstChecked(const QString& array) const {
  const QList<QAction*> items = arrays_.value(array);
  for (int k = 0; k < items.size(); ++k)
    if (items[k]->isChecked()) return k;
  return -1;
}

int MenuForm::LastChecked(const QString& array) const {
  const QList<QAction*> items = arrays_.value(array);
  for (int k = static_cast<int>(items.size()) - 1; k >= 0; --k)
    if (items[k]->isChecked()) return k;
  return -1;
}
