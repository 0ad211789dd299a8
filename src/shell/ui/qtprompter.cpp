// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/qtprompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace {

QMessageBox::Icon ToQtIcon(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::Information:
      return QMessageBox::Information;
    case PromptIcon::Exclamation:
      return QMessageBox::Warning;
    case PromptIcon::Critical:
      return QMessageBox::Critical;
    case PromptIcon::Question:
      return QMessageBox::Question;
    case PromptIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

std::optional<QString> NonEmpty(const QString& s) {
  if (s.isEmpty()) return std::nullopt;
  return s;
}

}  // namespace

QString QtPrompter::ToQtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    const QString desc = parts[i].trimmed();
    QStringList patterns;
    if (i + 1 < parts.size())
      for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty()) patterns << p.trimmed();
    if (desc.isEmpty() && patterns.isEmpty()) continue;
    if (patterns.isEmpty()) patterns << QStringLiteral("*");
    // Qt takes the patterns from the last parenthesised group, so ours goes at the end.
    out << QStringLiteral("%1 (%2)").arg(desc.isEmpty() ? patterns.join(QLatin1Char(' ')) : desc,
                                         patterns.join(QLatin1Char(' ')));
  }
  return out.join(QStringLiteral(";;"));
}

PromptAnswer QtPrompter::Ask(const PromptMessage& m) {
  QMessageBox box(ToQtIcon(m.icon), m.title, m.text, QMessageBox::NoButton, parent_);
  box.setTextFormat(Qt::PlainText);
  QPushButton* okToAll = nullptr;
  QPushButton* cancelToAll = nullptr;
  switch (m.buttons) {
    case PromptButtons::OkCancelToAll:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setEscapeButton(QMessageBox::Cancel);
      okToAll = box.addButton(QStringLiteral("全部替换"), QMessageBox::AcceptRole);
      cancelToAll = box.addButton(QStringLiteral("全部跳过"), QMessageBox::RejectRole);
      break;
    case PromptButtons::Ok:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case PromptButtons::OkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      box.setEscapeButton(QMessageBox::Cancel);
      break;
    case PromptButtons::YesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::No);  // a yes/no question guards a destructive step
      box.setEscapeButton(QMessageBox::No);
      break;
  }
  if (m.systemModal) {
    box.setWindowModality(Qt::ApplicationModal);
    box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  } else {
    box.setWindowModality(Qt::WindowModal);
  }
  const int result = box.exec();
  if (okToAll && box.clickedButton() == okToAll) return PromptAnswer::OkToAll;
  if (cancelToAll && box.clickedButton() == cancelToAll) return PromptAnswer::CancelToAll;
  switch (result) {
    case QMessageBox::Ok:
      return PromptAnswer::Ok;
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::No:
      return PromptAnswer::No;
    default:
      // Closing the box counts as its negative answer (OK when that is the only button).
      return m.buttons == PromptButtons::Ok      ? PromptAnswer::Ok
             : m.buttons == PromptButtons::YesNo ? PromptAnswer::No
                                                 : PromptAnswer::Cancel;
  }
}

std::optional<QString> QtPrompter::AskText(const QString& prompt, const QString& title,
                                           const QString& defaultText) {
  QInputDialog dialog(parent_);
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextValue(defaultText);
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setWindowModality(Qt::ApplicationModal);
  // The prompt may carry a song title; never let the label read it as markup.
  for (QLabel* label : dialog.findChildren<QLabel*>()) label->setTextFormat(Qt::PlainText);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.textValue();
}

std::optional<QString> QtPrompter::PickOpenFile(const QString& title, const QString& filter,
                                                const QString& folder) {
  return NonEmpty(QFileDialog::getOpenFileName(parent_, title, folder, ToQtFilter(filter)));
}

std::optional<QString> QtPrompter::PickSaveFile(const QString& title, const QString& filter,
                                                const QString& defaultPath) {
  return NonEmpty(QFileDialog::getSaveFileName(parent_, title, defaultPath, ToQtFilter(filter)));
}

std::optional<QString> QtPrompter::PickFolder(const QString& title, const QString& folder) {
  return NonEmpty(QFileDialog::getExistingDirectory(parent_, title, folder));
}

std::optional<QColor> QtPrompter::PickColor(const QColor& initial) {
  const QColor c = QColorDialog::getColor(initial, parent_);
  if (!c.isValid()) return std::nullopt;
  return c;
}
