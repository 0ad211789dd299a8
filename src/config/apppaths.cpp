// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/apppaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString WithSlash(const QString& dir) {
  QString d = QDir::fromNativeSeparators(dir);
  return d.endsWith(u'/') ? d : d + u'/';
}

bool IsWritableDir(const QString& dir) {
  QFileInfo info(dir);
  if (!info.isDir() || !info.isWritable()) return false;
  QFile probe(QDir(dir).filePath(QStringLiteral(".tw-write-probe")));
  if (!probe.open(QIODevice::WriteOnly)) return false;
  probe.remove();
  return true;
}

// Copies the installed data files (share/tunewharf/bin) into a new per-user bin folder,
// never over a file the user already has.
void SeedFromInstalledData(const QString& root) {
  const QString installed =
      QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/tunewharf/bin"));
  QDir().mkpath(root + QStringLiteral("bin"));
  QDir().mkpath(root + QStringLiteral("playlist"));
  QDirIterator it(installed, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString source = it.next();
    const QString target =
        root + QStringLiteral("bin/") + QDir(installed).relativeFilePath(source);
    QDir().mkpath(QFileInfo(target).absolutePath());
    if (!QFile::exists(target)) QFile::copy(source, target);
  }
}
}  // namespace

AppPaths::AppPaths(const QString& root, const QString& scratch)
    : root_(WithSlash(root)), scratch_(scratch.isEmpty() ? QString() : WithSlash(scratch)) {}

AppPaths AppPaths::Resolve() {
  const QString exeDir = QCoreApplication::applicationDirPath();
  QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (runtime.isEmpty())
    runtime = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  const QString scratch = runtime + QStringLiteral("/tunewharf-scratch");
  if (IsWritableDir(exeDir) && QFileInfo(exeDir + QStringLiteral("/bin")).isDir())
    return AppPaths(exeDir, scratch);
  const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  AppPaths paths(data, scratch);
  SeedFromInstalledData(paths.root());
  return paths;
}

QString AppPaths::scratchDir() const {
  const QString dir = scratch_.isEmpty() ? bin() + QStringLiteral("scratch/") : scratch_;
  if (!QFileInfo(dir).isDir()) {
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ExeOwner);
  }
  return dir;
}
