// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/tempappdir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempAppDir::TempAppDir() {
  QDir(dir_.path()).mkpath(QStringLiteral("bin"));
  QDir(dir_.path()).mkpath(QStringLiteral("playlist"));
}

void TempAppDir::WriteFile(const QString& relative, const QByteArray& bytes) const {
  const QString path = Path(relative);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray TempAppDir::ReadFile(const QString& relative) const {
  QFile f(Path(relative));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
