// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/firstrun.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "common/textfile.h"

namespace app {

QString FirstRunMarkerPath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
         QStringLiteral("/firstrun.jc");
}

bool IsFirstRun(const QString& markerPath) { return !QFileInfo::exists(markerPath); }

bool WriteFirstRunMarker(const QString& markerPath) {
  QDir().mkpath(QFileInfo(markerPath).absolutePath());
  return common::WriteTextFile(markerPath, {QStringLiteral("Tunewharf")});
}

}  // namespace app
