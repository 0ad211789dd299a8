// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/backup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace common {

namespace {
// Shifts name.(k) to name.(k+1), dropping the oldest; returns the free slot for the new copy.
QString RotateSlots(const QString& backupDir, const QString& name, int generations) {
  QDir dir(backupDir);
  auto slot = [&](int k) { return dir.filePath(k == 0 ? name : name + u'.' + QString::number(k)); };
  QFile::remove(slot(generations - 1));
  for (int k = generations - 2; k >= 0; --k) {
    if (QFile::exists(slot(k))) QFile::rename(slot(k), slot(k + 1));
  }
  return slot(0);
}

bool Keep(const QString& file, const QString& backupDir, int generations, bool move) {
  QFileInfo info(file);
  if (!info.isFile()) return false;
  if (!QDir().mkpath(backupDir)) return false;
  const QString target = RotateSlots(backupDir, info.fileName(), qMax(1, generations));
  if (move) return QFile::rename(file, target) || (QFile::copy(file, target) && QFile::remove(file));
  return QFile::copy(file, target);
}
}  // namespace

bool MoveToBackup(const QString& file, const QString& backupDir, int generations) {
  return Keep(file, backupDir, generations, true);
}

bool CopyToBackup(const QString& file, const QString& backupDir, int generations) {
  return Keep(file, backupDir, generations, false);
}

}  // namespace common
