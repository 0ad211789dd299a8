// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

// The lyrics file format as the player reads it: the usability check every lyrics file must
// pass before it is shown, the time-tag parser and the last time a file holds.
namespace lyrics {

// Lyrics files above this size are not lyrics; they fail the check without being read.
inline constexpr qint64 kMaxLrcBytes = 4 << 20;

// True when the lines make a usable lyrics file: at least 16 tag lines, 300 characters,
// no tag whose name is not two letters (except "offset") carrying a positive value, and no
// trace of an HTML page.
bool IsValidLrcLines(const QStringList& lines);
// The same check on a file; false when it cannot be read.
bool IsValidLrc(const QString& path);

// Seconds of a time tag's text ("01:23.45" -> 83.45); 0 for ten minutes and more, for
// seconds above 60 and for anything that is not a time. "offset:N" with N > 0 stores N
// (milliseconds) in *offsetMs and gives 0.
float ParseLrcTime(const QString& tagText, float* offsetMs = nullptr);

// The largest time of all "[...:...]" tags in the text; a positive [offset:] lands in
// *offsetMs. "[00:10.00]a[01:02.50]b[10:00.00]c" -> 62.5.
float LastLyricTime(const QString& text, float* offsetMs = nullptr);

// The file's bytes with its offset tag set to `tag` (e.g. "[offset:500"): an existing
// "[offset:" line has everything up to its "]" replaced; otherwise a new line goes before the
// first zero-minute time line, with the file's own line end. Every other byte stays as it was,
// whatever the encoding (GBK, UTF-8, invalid bytes): tags are ASCII, so the edit works on bytes.
// "[ti:x]\n[00:01]a\n" with "[offset:5" -> "[ti:x]\n[offset:5]\n[00:01]a\n"
QByteArray WithOffsetTag(const QByteArray& bytes, const QByteArray& tag);

}  // namespace lyrics
