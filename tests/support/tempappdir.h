// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "config/apppaths.h"

// A throw-away application folder laid out as the program expects (bin/, playlist/).
class TempAppDir {
 public:
  TempAppDir();
  AppPaths paths() const { return AppPaths(dir_.path(), dir_.path() + QStringLiteral("/scratch")); }
  QString root() const { return dir_.path() + u'/'; }
  QString Path(const QString& relative) const { return root() + relative; }
  void WriteFile(const QString& relative, const QByteArray& bytes) const;
  QByteArray ReadFile(const QString& relative) const;

 private:
  QTemporaryDir dir_;
};
