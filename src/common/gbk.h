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

// True when every non-ASCII byte pairs up as a GB2312 lead and trail byte (0xA1..0xF7,
// 0xA1..0xFE): what common Chinese text in GBK is made of.
bool IsGb2312Pairs(const QByteArray& bytes);
// True when the bytes are strictly well-formed UTF-8 with a non-ASCII byte, and not text made
// only of GB2312 pairs.
bool LooksLikeUtf8(const QByteArray& bytes);

// Decodes file content: a UTF-8 byte-order mark, or LooksLikeUtf8, is read as UTF-8;
// everything else as GBK. `encoding` receives what was chosen; `badGbk`, whether GBK decoding
// met bytes that are not GBK.
QString DecodeFileText(const QByteArray& bytes, TextEncoding* encoding = nullptr,
                       bool* badGbk = nullptr);
QByteArray EncodeFileText(const QString& text, TextEncoding encoding);

// Bytes a text takes in GBK: the 49-byte and 30-byte limits count these.
int GbkByteCount(const QString& text);
// The longest prefix of text that fits in maxBytes GBK bytes, never splitting a character.
QString CutToGbkBytes(const QString& text, int maxBytes);

}  // namespace common
