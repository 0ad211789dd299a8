// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lrcformat.h"

#include <algorithm>
#include <array>
#include <vector>

#include "common/numparse.h"
#include "common/textfile.h"

namespace lyrics {

namespace {
constexpr int kMinTagLines = 16;
constexpr int kMinChars = 300;

// Traces of a web page saved in place of lyrics.
constexpr std::array<const char16_t*, 19> kMarkup{
    u"</html>", u"<html", u"<head", u"<title", u"<div", u"<script", u"<a",
    u"<link",   u"<meta", u"<br",   u"<li",    u"<img", u"<input",  u"<form",
    u"<td",     u"<tr",   u"</",    u"<!",     u"<%"};

// A tag line whose name is not two letters and not "offset" must not carry a positive value:
// "[1:05.00]" is a broken time, "[ti:Song]" and "[offset:500]" are fine.
enum class TagLine { None, Good, Bad };
TagLine ClassifyLine(const QString& line) {
  const qsizetype p1 = line.indexOf(u'[');
  const qsizetype p2 = line.indexOf(u':');
  const qsizetype p3 = line.indexOf(u']');
  if (p1 < 0 || p2 <= p1 || p3 <= p2) return TagLine::None;
  const QString name = line.mid(p1 + 1, p2 - p1 - 1);
  const QString value = line.mid(p2 + 1, p3 - p2 - 1);
  if (name.size() != 2 && common::Val(value) > 0 &&
      name.compare(QLatin1String("offset"), Qt::CaseInsensitive) != 0)
    return TagLine::Bad;
  return TagLine::Good;
}
}  // namespace

bool IsValidLrcLines(const QStringList& lines) {
  int tagLines = 0;
  QString text;
  for (const QString& line : lines) {
    switch (ClassifyLine(line)) {
      case TagLine::Bad:
        return false;
      case TagLine::Good:
        ++tagLines;
        break;
      case TagLine::None:
        break;
    }
    text += line;
  }
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty() || tagLines < kMinTagLines || trimmed.size() < kMinChars) return false;
  if (!text.contains(u'[') || !text.contains(u']') || !text.contains(u':')) return false;
  const QString lower = text.toLower();
  return std::none_of(kMarkup.begin(), kMarkup.end(),
                      [&](const char16_t* m) { return lower.contains(QStringView(m)); });
}

bool IsValidLrc(const QString& path) {
  const auto content = common::ReadTextFile(path, kMaxLrcBytes);
  return content && IsValidLrcLines(content->lines);
}

float ParseLrcTime(const QString& tagText, float* offsetMs) {
  const QStringList pieces = tagText.split(u':');
  const QString first = pieces.value(0);
  const QString second = pieces.value(1);
  if (first.toLower() == QLatin1String("offset") && pieces.size() == 2) {
    const double n = common::Val(second.trimmed());
    // Zero and negative offsets in a file are ignored.
    if (n > 0 && offsetMs) *offsetMs = static_cast<float>(n);
  }
  const float m = static_cast<float>(common::Val(first));
  const float s = static_cast<float>(common::Val(second));
  if (m >= 0 && m < 10 && s >= 0 && s <= 60) return m * 60 + s;
  return 0;
}

float LastLyricTime(const QString& text, float* offsetMs) {
  float last = 0;
  qsizetype from = 0;
  // Offsets instead of cutting the text: lyrics from the web can be large.
  while (true) {
    const qsizetype open = text.indexOf(u'[', from);
    const qsizetype close = text.indexOf(u']', from);
    if (open < 0 || close <= open) break;
    const QString tag = text.mid(open + 1, close - open - 1);
    if (tag.contains(u':')) last = std::max(last, ParseLrcTime(tag, offsetMs));
    from = close + 1;
  }
  return last;
}

namespace {
struct ByteLine {
  qsizetype start, end;  // [start, end) without the line end
};

std::vector<ByteLine> SplitByteLines(const QByteArray& bytes) {
  std::vector<ByteLine> lines;
  const qsizetype n = bytes.size();
  qsizetype start = 0;
  for (qsizetype i = 0; i < n; ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    lines.push_back({start, i});
    if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.push_back({start, n});
  return lines;
}

QByteArray FirstLineEnd(const QByteArray& bytes) {
  const qsizetype i = bytes.indexOf('\n'), j = bytes.indexOf('\r');
  if (j >= 0 && (i < 0 || j < i))
    return j + 1 < bytes.size() && bytes[j + 1] == '\n' ? "\r\n" : "\r";
  return i >= 0 ? "\n" : "\r\n";
}

// ASCII-only lower-casing: bytes above 0x7F belong to multi-byte characters and stay.
qsizetype IndexOfOffsetTag(const QByteArray& bytes, ByteLine line) {
  static const QByteArray kTag("[offset:");
  for (qsizetype i = line.start; i + kTag.size() <= line.end; ++i) {
    qsizetype k = 0;
    while (k < kTag.size()) {
      char c = bytes[i + k];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != kTag[k]) break;
      ++k;
    }
    if (k == kTag.size()) return i;
  }
  return -1;
}

bool IsZeroMinuteTimeLine(const QByteArray& bytes, ByteLine line) {
  const qsizetype open = bytes.indexOf('[', line.start);
  if (open < 0 || open >= line.end) return false;
  const qsizetype close = bytes.indexOf(']', open + 1);
  if (close < 0 || close >= line.end) return false;
  const QByteArray inside = bytes.mid(open + 1, close - open - 1);
  if (inside.count(':') != 1) return false;
  return inside.left(inside.indexOf(':')).trimmed().startsWith('0');
}
}  // namespace

QByteArray WithOffsetTag(const QByteArray& bytes, const QByteArray& tag) {
  const std::vector<ByteLine> lines = SplitByteLines(bytes);
  for (const ByteLine& line : lines) {
    if (IndexOfOffsetTag(bytes, line) < 0) continue;
    const qsizetype close = bytes.indexOf(']', line.start);
    QByteArray out = bytes;
    if (close >= 0 && close < line.end)
      out.replace(line.start, close - line.start, tag);
    else
      out.replace(line.start, line.end - line.start, tag + ']');
    return out;
  }
  for (const ByteLine& line : lines) {
    if (!IsZeroMinuteTimeLine(bytes, line)) continue;
    QByteArray out = bytes;
    out.insert(line.start, tag + ']' + FirstLineEnd(bytes));
    return out;
  }
  return bytes;
}

}  // namespace lyrics
