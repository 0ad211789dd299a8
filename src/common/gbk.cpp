// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace common {

namespace {
const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

bool IsAscii(const QByteArray& bytes) {
  for (char c : bytes)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// What a Chinese text holds beside ASCII: ideographs, their punctuation and full-width forms,
// general punctuation, and Latin letters with accents.
bool IsLikelyTextChar(char32_t c) {
  return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
         (c >= 0x3000 && c <= 0x30FF) || (c >= 0xFF00 && c <= 0xFFEF) ||
         (c >= 0x2000 && c <= 0x206F) || (c >= 0x00A0 && c <= 0x024F) ||
         (c >= 0x20000 && c <= 0x2FFFF) || c == 0xFEFF;
}

bool AllLikelyText(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t c = text.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size()) {
      c = QChar::surrogateToUcs4(text.at(i).unicode(), text.at(i + 1).unicode());
      ++i;
    }
    if (c >= 0x80 && !IsLikelyTextChar(c)) return false;
  }
  return true;
}
}  // namespace

QString DecodeGbk(const QByteArray& bytes) {
  QStringDecoder decoder("GB18030");
  if (!decoder.isValid()) return QString::fromLatin1(bytes);
  return decoder.decode(bytes);
}

QByteArray EncodeGbk(const QString& text) {
  QStringEncoder encoder("GB18030");
  if (!encoder.isValid()) return text.toLatin1();
  return encoder.encode(text);
}

bool IsGb2312Pairs(const QByteArray& bytes) {
  const qsizetype n = bytes.size();
  for (qsizetype i = 0; i < n; ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) continue;
    if (lead < 0xA1 || lead > 0xF7 || i + 1 >= n) return false;
    const auto trail = static_cast<unsigned char>(bytes[++i]);
    if (trail < 0xA1 || trail == 0xFF) return false;
  }
  return true;
}

bool LooksLikeUtf8(const QByteArray& bytes) {
  // Short GBK texts are often well-formed UTF-8 too ("未知" is), and UTF-8 Chinese often pairs
  // up as GBK. UTF-8 continuation bytes (0x80..0xBF) fall below the GB2312 trail range, so
  // text that reads as nothing but GB2312 pairs stays GBK. Beyond GB2312, GBK text that is
  // also well-formed UTF-8 ("視" is D2 95) reads as stray letters of other scripts, never as
  // Chinese: UTF-8 wins only when it gives likely text or the bytes are not GBK at all.
  if (IsAscii(bytes) || IsGb2312Pairs(bytes)) return false;
  QStringDecoder utf8(QStringConverter::Utf8);
  const QString asUtf8 = utf8.decode(bytes);
  if (utf8.hasError()) return false;
  if (AllLikelyText(asUtf8)) return true;
  QStringDecoder gbk("GB18030");
  const QString asGbk = gbk.decode(bytes);  // hasError() is known once the text is made
  return gbk.hasError();
}

QString DecodeFileText(const QByteArray& bytes, TextEncoding* encoding, bool* badGbk) {
  if (badGbk) *badGbk = false;
  if (bytes.startsWith(kUtf8Bom)) {
    if (encoding) *encoding = TextEncoding::Utf8Bom;
    return QString::fromUtf8(bytes.mid(3));
  }
  if (LooksLikeUtf8(bytes)) {
    if (encoding) *encoding = TextEncoding::Utf8;
    return QString::fromUtf8(bytes);
  }
  if (encoding) *encoding = TextEncoding::Gbk;
  QStringDecoder decoder("GB18030");
  if (!decoder.isValid()) return QString::fromLatin1(bytes);
  QString text = decoder.decode(bytes);
  if (badGbk) *badGbk = decoder.hasError();
  return text;
}

QByteArray EncodeFileText(const QString& text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8:
      return text.toUtf8();
    case TextEncoding::Utf8Bom:
      return kUtf8Bom + text.toUtf8();
    case TextEncoding::Gbk:
      break;
  }
  return EncodeGbk(text);
}

int GbkByteCount(const QString& text) {
  return static_cast<int>(EncodeGbk(text).size());
}

QString CutToGbkBytes(const QString& text, int maxBytes) {
  if (maxBytes <= 0) return QString();
  int bytes = 0;
  qsizetype i = 0;
  while (i < text.size()) {
    qsizetype len = (text.at(i).isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
    int charBytes = GbkByteCount(text.mid(i, len));
    if (bytes + charBytes > maxBytes) break;
    bytes += charBytes;
    i += len;
  }
  return text.left(i);
}

}  // namespace common
