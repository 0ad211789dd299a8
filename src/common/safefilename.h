// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <optional>

// Turning names from pages, tags and titles into file names that stay inside their folder.
namespace common {

// Removes path separators, control characters and characters file systems refuse, turns
// ".." runs into "_", trims dots and blanks at the ends and bounds the UTF-8 length.
// "../../x" -> "___x"; "a/b" -> "a_b"; returns "" when nothing usable is left.
QString SafeFileName(const QString& name, int maxUtf8Bytes = 200);

// folder + "/" + SafeFileName(name) + suffix, checked to lie directly inside folder;
// nullopt when the name leaves nothing usable.
std::optional<QString> FileInFolder(const QString& folder, const QString& name,
                                    const QString& suffix = QString());

// True when path names a file directly inside folder (after making both absolute and clean).
bool IsDirectlyInside(const QString& folder, const QString& path);

}  // namespace common
