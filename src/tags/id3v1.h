// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

// The ID3v1 block in the last 128 bytes of an MP3 file: read, written and removed on raw
// bytes with 64-bit offsets. Only regular files are touched; a FIFO, folder or device is
// treated as a file that cannot be opened, so nothing ever blocks on it.
namespace tags {

inline constexpr int kBlockSize = 128;
inline constexpr int kGenreCount = 148;  // codes 0..147; the editor's empty item follows
inline constexpr std::uint8_t kUnknownGenre = 255;

struct Id3Fields {
  QString title, artist, album;
  QString year;  // read back as the 4 bytes followed by five blanks
  QString comment;
  std::uint8_t genre = kUnknownGenre;
};

// 2: cannot be opened for reading (or not a regular file); 1: "TAG" 128 bytes before the
// end; 0 otherwise (also for files shorter than 128 bytes).
int TagState(const QString& path);

// Fills fields from the block when there is one; a readable file without a block leaves
// them as they were. True when the file could be read.
bool ReadTag(const QString& path, Id3Fields& fields);

// Writes the whole block over the old one, or appends it. On any failure the file is left
// as it was and false is returned. Web addresses are never written.
bool WriteTag(const QString& path, const Id3Fields& fields);

// Cuts the block off a tagged file. False only when a tagged file cannot be opened for
// writing (or the cut fails); a file without a block is left alone and gives true.
bool RemoveTag(const QString& path);

// Text cut or padded with blanks to exactly `size` bytes of GBK, never cutting a character.
QByteArray FixedField(const QString& text, int size);
// Builds the 128-byte block.
QByteArray EncodeBlock(const Id3Fields& fields);
// Parses a 128-byte block (the caller checked the magic).
Id3Fields DecodeBlock(const QByteArray& block);

QString GenreName(int code);     // "None" outside 0..147
int GenreToListIndex(int code);  // kGenreCount (the empty item) when the name is not listed
std::uint8_t GenreFromName(const QString& name);  // 255 when no genre has that name
QStringList GenreNames();                         // the 148 names in code order

// What a text box shows of a field: the text before a zero byte other writers pad with,
// trimmed.
QString ShownText(const QString& field);

}  // namespace tags
