// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QString>
#include <optional>

// Where pictures from the web are kept (bin/PicTmp/ and its folders), and how they are read:
// every folder and file name from a page or a tag is made safe first, and every picture is
// decoded with a bounded size, so a hostile name or a decompression bomb costs nothing.
namespace extras {

// No picture we show needs more pixels than this (a 4096 x 4096 photograph).
inline constexpr qint64 kMaxPicturePixels = qint64{4096} * 4096;

// picTmpDir + SafeFileName(folderName) + "/", created when missing; nullopt when the name
// leaves nothing usable or the folder cannot be made. The result always lies inside picTmpDir.
std::optional<QString> CacheFolder(const QString& picTmpDir, const QString& folderName);

// The last "/"-separated piece of a picture address, without query or fragment, made safe;
// "" when nothing usable is left.
QString PictureFileName(const QString& url);

// folder + PictureFileName(url), checked to lie directly inside folder.
std::optional<QString> CachedPicturePath(const QString& folder, const QString& url);

// Reads a picture file (or bytes) when its header says it is no larger than maxPixels;
// a null image for anything unreadable, too large or not a regular file.
QImage LoadPicture(const QString& path, qint64 maxPixels = kMaxPicturePixels);
QImage DecodePicture(const QByteArray& bytes, qint64 maxPixels = kMaxPicturePixels);

// A search word as a query value: characters that would end or change the value travel
// escaped, the fetcher escapes the rest ("A&B #1" -> "A%26B%20%231").
QString QueryWord(const QString& words);

// True for http and https addresses, the only ones a picture or page is fetched from.
bool IsWebAddress(const QString& url);

}  // namespace extras
