// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;
class QTranslator;

namespace app {

// Qt's own Chinese texts (dialog buttons, file dialogs), whatever the desktop's language: the
// program speaks Chinese everywhere. Returns the installed translator (owned by `app`), or
// null when the translation files are missing.
QTranslator* InstallQtTranslations(QCoreApplication& app);

}  // namespace app
