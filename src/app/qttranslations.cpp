// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcApp, "tw.app", QtWarningMsg)

namespace app {

QTranslator* InstallQtTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                        QStringLiteral("_"), dir) ||
      !QCoreApplication::installTranslator(translator)) {
    qCWarning(lcApp) << "Qt's Chinese translations not found in" << dir;
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace app
