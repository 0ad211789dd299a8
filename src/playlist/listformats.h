// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

#include "playlist/songentry.h"

// Playlists other players write and read: M3U (GBK or UTF-8, optionally extended with
// #EXTINF), M3U8 (UTF-8) and PLS. Songs come back as grid rows; `number` stays empty.
namespace playlist {

enum class ListFormat { M3u, M3u8, Pls };

// http, https, mms, mmsh, rtsp and rtmp, any case: the addresses the player is given.
bool IsStreamScheme(const QString& scheme);

// By the file name's suffix, case ignored; nullopt for anything else.
std::optional<ListFormat> ListFormatOf(const QString& path);

struct ParsedList {
  std::vector<SongEntry> songs;
  int skipped = 0;  // entries dropped: addresses of other schemes, empty paths, bad PLS keys
};

// `baseDir` is the folder of the list file: relative local paths are resolved against it and
// come back absolute and clean. file:// addresses become local paths; other addresses are kept
// only for http, https, mms, mmsh, rtsp and rtmp.
ParsedList ParseM3u(const QString& text, const QString& baseDir);
ParsedList ParsePls(const QString& text, const QString& baseDir);

// Text of a list holding the songs with a title and a path. A path with a line break cannot
// be written in either format; such songs are left out and counted in `skipped`.
QString FormatM3u(const std::vector<SongEntry>& songs, int* skipped = nullptr);
QString FormatPls(const std::vector<SongEntry>& songs, int* skipped = nullptr);

struct ListRead {
  enum class Status { Ok, NotAFile, Unreadable, UnknownFormat };
  Status status = Status::Unreadable;
  std::vector<SongEntry> songs;
  int skipped = 0;
};

// Reads by suffix. Folders, devices and FIFOs are never opened. .m3u8 is always UTF-8;
// .m3u and .pls are UTF-8 when their bytes say so, GBK otherwise.
ListRead ReadListFile(const QString& path);

// Writes the file whole or not at all: .m3u in GBK (what older players on Chinese systems
// expect), .m3u8 and .pls in UTF-8, LF line ends.
bool WriteListFile(const QString& path, const std::vector<SongEntry>& songs,
                   int* skipped = nullptr);

}  // namespace playlist
