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

struct ParsedLst {
  std::vector<SongEntry> records;
  int badLines = 0;  // lines holding text that gave no whole record, or left a part over
};

// Every record of the text, blank titles included; `number` stays empty. Each line is read on
// its own, so a broken line never moves fields into the next one: fields run to a comma or the
// line end, a field opening with a double quote runs to the next double quote. Every four
// fields of a line make a record. A quoted field left open at the line end may close on one of
// the next few lines (a line break inside a title); lines of blanks or NULs are empty.
// "\"a\",\"b, c\",\"00:00\",\"/x.mp3\"" -> {a, "b, c", 00:00, /x.mp3}
ParsedLst ParseLst(const QString& text);

// The text of a file holding the songs whose trimmed title is not empty. The format has no
// escape, so a double quote inside a field is written as the full-width quote U+FF02, and a
// line break as a blank: nothing can shift the fields of a line.
QString FormatLst(const std::vector<SongEntry>& songs);
QString FormatLstLine(const SongEntry& song);

struct LstRead {
  enum class Status { Ok, Missing, NotAFile, Unreadable };
  Status status = Status::Missing;
  std::vector<SongEntry> records;
  int badLines = 0;
  bool badEncoding = false;  // UTF-16, or bytes that are neither GBK nor UTF-8
  // A missing file reads as an empty list; anything else that lost or may have lost text
  // must not be saved over without the user's say.
  bool clean() const {
    return (status == Status::Ok || status == Status::Missing) && badLines == 0 && !badEncoding;
  }
};

// Devices, FIFOs and folders are never opened.
LstRead ReadLstFile(const QString& path);

// Writes the file whole or not at all. When it replaces a file whose content the new one does
// not merely extend, the old file is first copied into backupDir (a few generations).
bool WriteLstFile(const QString& path, const std::vector<SongEntry>& songs,
                  const QString& backupDir);
// The same with the file's bytes already made (GBK of FormatLst).
bool WriteLstBytes(const QString& path, const QByteArray& bytes, const QString& backupDir);

}  // namespace playlist
