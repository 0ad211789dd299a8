// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QWidget>

#include "shell/prompter.h"

// The real prompts: message boxes, the input box and the file, folder and colour dialogs.
// Every text is shown as plain text; "system-modal" boxes block the whole program and stay on
// top of its windows.
class QtPrompter : public Prompter {
 public:
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParentWindow(QWidget* parent) { parent_ = parent; }

  // The program's filter "desc|*.a;*.b|desc2|*.c" as Qt writes it:
  //   "desc (*.a *.b);;desc2 (*.c)"
  static QString ToQtFilter(const QString& filter);

  PromptAnswer Ask(const PromptMessage& message) override;
  std::optional<QString> AskText(const QString& prompt, const QString& title,
                                 const QString& defaultText) override;
  std::optional<QString> PickOpenFile(const QString& title, const QString& filter,
                                      const QString& folder) override;
  std::optional<QString> PickSaveFile(const QString& title, const QString& filter,
                                      const QString& defaultPath) override;
  std::optional<QString> PickFolder(const QString& title, const QString& folder) override;
  std::optional<QColor> PickColor(const QColor& initial) override;

 private:
  QPointer<QWidget> parent_;
};
