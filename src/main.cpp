// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Tunewharf: builds the application and hands over to AppContext, which runs start-up.
#include <QApplication>
#include <clocale>

#include "app/qttranslations.h"
#include "app/ui/appcontext.h"

int main(int argc, char** argv) {
  // Docking places windows itself, which Wayland forbids: run through XWayland when present.
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  // The video surface is a native child window; its siblings need not be (each native one
  // costs round trips and an expose of its own on every repaint).
  QApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tunewharf"));
  QApplication::setApplicationDisplayName(QStringLiteral("Tunewharf"));
  QApplication::setQuitOnLastWindowClosed(false);
  app::InstallQtTranslations(app);
  std::setlocale(LC_NUMERIC, "C");  // the media library refuses other numeric locales
  AppContext context;
  if (!context.Main()) return 0;
  const int code = QApplication::exec();
  context.AbandonRowsAtExit();
  return code;
}
