// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QFile>
#include <QString>
#include <QStringList>
#include <optional>

#include "common/gbk.h"

// Reading and writing the program's text files: line by line (CR LF, LF or CR), GBK unless
// the bytes say UTF-8, written with CR LF after every line, whole or not at all.
namespace common {

struct TextFileContent {
  QStringList lines;
  TextEncoding encoding = TextEncoding::Gbk;
};

// Splits at CR LF, LF or CR. A final line without an ending still counts; an empty text
// has no lines, "a\r\n" has one and "\r\n\r\n" has two empty ones.
QStringList SplitLines(const QString& text);

// Up to maxBytes of what is left of an open file. QIODevice::read(n) sets aside all n bytes
// before it reads, so asking for the cap itself cost 256 MiB of address space per list read.
QByteArray ReadAtMost(QFile& file, qint64 maxBytes);

// nullopt when the file cannot be opened. Files larger than maxBytes are refused.
std::optional<TextFileContent> ReadTextFile(const QString& path, qint64 maxBytes = 64 << 20);

// Writes every line followed by CR LF, atomically. A symbolic link is written through only
// when it points into the link's own folder. Returns false and leaves the old file on failure.
bool WriteTextFile(const QString& path, const QStringList& lines,
                   TextEncoding encoding = TextEncoding::Gbk);
bool WriteBytesAtomically(const QString& path, const QByteArray& bytes);

}  // namespace common
