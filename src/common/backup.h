// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// Files a rule deletes or overwrites are first kept here, so the user can get them back.
namespace common {

// Moves (or, for an overwrite, copies) file into backupDir, keeping at most `generations`
// copies of the same name ("name", "name.1", ...). False when the file does not exist or
// cannot be kept; callers then leave the original alone where that matters.
bool MoveToBackup(const QString& file, const QString& backupDir, int generations = 5);
bool CopyToBackup(const QString& file, const QString& backupDir, int generations = 5);

}  // namespace common
