// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "playlist/songentry.h"

// The .lst playlist file: one song per line, four double-quoted fields (title, singer,
// duration, path) separated by commas, GBK text with CR LF line ends.
namespace playlist {

// Every record of the text, blank titles included; `number` stays empty. Fields run to a comma
// or a line end; a field opening with a double quote runs to the next double quote on its
// line. Four fields make a record, whichever lines they stand on; empty lines give no field.
// "\"a\",\"b, c\",\"00:00\",\"/x.mp3\"" -> {a, "b, c", 00:00, /x.mp3}
std::vector<SongEntry> ParseLst(const QString& text);

// The text of a file holding the songs whose trimmed title is not empty. The format has no
// escape, so a double quote inside a field is written as the full-width quote U+FF02, and a
// line break as a blank: nothing can shift the fields of a line.
QString FormatLst(const std::vector<SongEntry>& songs);
QString FormatLstLine(const SongEntry& song);

// nullopt when the file is missing, not a regular file or unreadable.
std::optional<std::vector<SongEntry>> ReadLstFile(const QString& path);

// Writes the file whole or not at all. When it replaces a file whose content the new one does
// not merely extend, the old file is first copied into backupDir (a few generations).
bool WriteLstFile(const QString& path, const std::vector<SongEntry>& songs,
                  const QString& backupDir);

}  // namespace playlist
