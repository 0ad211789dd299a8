// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>

// The program's one text codec: files and pages are GBK, read as GB18030 (a superset) and
// written with the GB18030 encoder so no character is lost; UTF-8 is recognised on reading.
namespace common {

enum class TextEncoding { Gbk, Utf8, Utf8Bom };

// Decodes GBK bytes (web pages, tags). Invalid bytes become U+FFFD.
QString DecodeGbk(const QByteArray& bytes);
QByteArray EncodeGbk(const QString& text);

// True when the bytes are strictly well-formed UTF-8 and hold a non-ASCII byte.
bool LooksLikeUtf8(const QByteArray& bytes);

// Decodes file content: a UTF-8 byte-order mark, or strictly valid UTF-8 with a non-ASCII
// byte, is read as UTF-8; everything else as GBK. `encoding` receives what was chosen.
QString DecodeFileText(const QByteArray& bytes, TextEncoding* encoding = nullptr);
QByteArray EncodeFileText(const QString& text, TextEncoding encoding);

// Bytes a text takes in GBK: the 49-byte and 30-byte limits count these.
int GbkByteCount(const QString& text);
// The longest prefix of text that fits in maxBytes GBK bytes, never splitting a character.
QString CutToGbkBytes(const QString& text, int maxBytes);

}  // namespace common
