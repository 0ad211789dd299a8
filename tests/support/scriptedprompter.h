// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QList>
#include <QString>
#include <deque>
#include <optional>

#include "shell/prompter.h"

// A Prompter whose answers the test queues up front; it records every question asked.
// With nothing queued a question is answered OK/Yes, and a dialog as cancelled. Queue OkToAll
// or CancelToAll to answer a repeated question (OkCancelToAll buttons) for the rest at once.
class ScriptedPrompter : public Prompter {
 public:
  struct Asked {
    QString kind;           // "message", "text", "open", "save", "folder", "color"
    PromptMessage message;  // text/title/icon/buttons; for dialogs text = prompt or filter
    QString defaultText;
  };

  void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
  void QueueText(std::optional<QString> text) { texts_.push_back(std::move(text)); }
  void QueuePath(std::optional<QString> path) { paths_.push_back(std::move(path)); }
  void QueueColor(std::optional<QColor> color) { colors_.push_back(color); }

  const QList<Asked>& asked() const { return asked_; }
  // Texts of the message boxes shown, in order.
  QStringList messages() const;
  void ClearAsked() { asked_.clear(); }

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
  std::optional<QString> NextPath(const QString& kind, const QString& title, const QString& text);
  std::deque<PromptAnswer> answers_;
  std::deque<std::optional<QString>> texts_;
  std::deque<std::optional<QString>> paths_;
  std::deque<std::optional<QColor>> colors_;
  QList<Asked> asked_;
};
