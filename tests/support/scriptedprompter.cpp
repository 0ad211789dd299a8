// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scriptedprompter.h"

QStringList ScriptedPrompter::messages() const {
  QStringList out;
  for (const Asked& a : asked_)
    if (a.kind == QLatin1String("message")) out << a.message.text;
  return out;
}

PromptAnswer ScriptedPrompter::Ask(const PromptMessage& message) {
  asked_.append({QStringLiteral("message"), message, QString()});
  if (!answers_.empty()) {
    PromptAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }
  return message.buttons == PromptButtons::YesNo ? PromptAnswer::Yes : PromptAnswer::Ok;
}

std::optional<QString> ScriptedPrompter::AskText(const QString& prompt, const QString& title,
                                                 const QString& defaultText) {
  asked_.append({QStringLiteral("text"), {prompt, title}, defaultText});
  if (texts_.empty()) return std::nullopt;
  auto t = texts_.front();
  texts_.pop_front();
  return t;
}

std::optional<QString> ScriptedPrompter::NextPath(const QString& kind, const QString& title,
                                                  const QString& text) {
  asked_.append({kind, {text, title}, QString()});
  if (paths_.empty()) return std::nullopt;
  auto p = paths_.front();
  paths_.pop_front();
  return p;
}

std::optional<QString> ScriptedPrompter::PickOpenFile(const QString& title, const QString& filter,
                                                      const QString&) {
  return NextPath(QStringLiteral("open"), title, filter);
}

std::optional<QString> ScriptedPrompter::PickSaveFile(const QString& title, const QString& filter,
                                                      const QString& defaultPath) {
  auto path = NextPath(QStringLiteral("save"), title, filter);
  asked_.last().defaultText = defaultPath;  // the proposed name
  return path;
}

std::optional<QString> ScriptedPrompter::PickFolder(const QString& title, const QString&) {
  return NextPath(QStringLiteral("folder"), title, QString());
}

std::optional<QColor> ScriptedPrompter::PickColor(const QColor&) {
  asked_.append({QStringLiteral("color"), {}, QString()});
  if (colors_.empty()) return std::nullopt;
  auto c = colors_.front();
  colors_.pop_front();
  return c;
}
