// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QString>
#include <optional>

// Every message box, question, input box and file/folder/colour dialog goes through here:
// the Qt implementation shows real dialogs, tests script the answers and read the questions.
enum class PromptIcon { None, Information, Exclamation, Critical, Question };
// OkCancelToAll adds "全部替换" and "全部跳过" to OK/Cancel, for a question that may come many
// times in one command: they answer OkToAll and CancelToAll, and the caller stops asking.
enum class PromptButtons { Ok, OkCancel, YesNo, OkCancelToAll };
enum class PromptAnswer { Ok, Cancel, Yes, No, OkToAll, CancelToAll };

struct PromptMessage {
  QString text;
  QString title;
  PromptIcon icon = PromptIcon::None;
  PromptButtons buttons = PromptButtons::Ok;
  bool systemModal = true;
};

class Prompter {
 public:
  virtual ~Prompter() = default;

  virtual PromptAnswer Ask(const PromptMessage& message) = 0;
  // Input box: nullopt when cancelled.
  virtual std::optional<QString> AskText(const QString& prompt, const QString& title,
                                         const QString& defaultText) = 0;
  // filter as the program writes it: "描述|*.mp3;*.wma|..." pairs separated by '|'.
  virtual std::optional<QString> PickOpenFile(const QString& title, const QString& filter,
                                              const QString& folder) = 0;
  virtual std::optional<QString> PickSaveFile(const QString& title, const QString& filter,
                                              const QString& defaultPath) = 0;
  virtual std::optional<QString> PickFolder(const QString& title, const QString& folder) = 0;
  virtual std::optional<QColor> PickColor(const QColor& initial) = 0;

  // A message box with only OK.
  void Inform(const QString& text, const QString& title,
              PromptIcon icon = PromptIcon::Exclamation) {
    Ask({text, title, icon, PromptButtons::Ok, true});
  }
  // OK/Cancel question; true for OK.
  bool Confirm(const QString& text, const QString& title,
               PromptIcon icon = PromptIcon::Information) {
    return Ask({text, title, icon, PromptButtons::OkCancel, true}) == PromptAnswer::Ok;
  }
};
