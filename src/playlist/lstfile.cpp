// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/lstfile.h"

#include <QFile>
#include <QSet>
#include <QFileInfo>
#include <QStringDecoder>

#include "common/backup.h"
#include "common/gbk.h"
#include "common/textfile.h"

namespace playlist {

namespace {
constexpr qint64 kMaxFileBytes = 256 << 20;
constexpr int kBackupGenerations = 5;

constexpr int kMaxJoinedLines = 4;

// Past the line end at i (CR LF counts once).
qsizetype SkipLineEnd(const QChar* s, qsizetype n, qsizetype i) {
  if (i < n && s[i] == u'\r') return i + 1 < n && s[i + 1] == u'\n' ? i + 2 : i + 1;
  return i < n ? i + 1 : i;
}

// The end of the line starting at i; `control` is set when the line holds a control character
// other than a tab (text that is not a list, or a broken one).
qsizetype LineEnd(const QChar* s, qsizetype n, qsizetype i, bool& control) {
  for (; i < n; ++i) {
    const char16_t c = s[i].unicode();
    if (c >= 0x20) continue;
    if (c == u'\r' || c == u'\n') break;
    if (c != u'\t') control = true;
  }
  return i;
}

bool IsBlankLine(const QChar* s, qsizetype from, qsizetype to) {
  for (qsizetype i = from; i < to; ++i)
    if (s[i] != u' ' && s[i] != u'\t' && s[i] != u'\0') return false;
  return true;
}

// The fields of s[from, to); openQuote when a quoted field was still open at `to`.
void SplitFields(const QChar* s, qsizetype from, qsizetype to, QStringList& fields,
                 bool& openQuote) {
  fields.clear();
  openQuote = false;
  qsizetype i = from;
  for (;;) {
    while (i < to && s[i] == u' ') ++i;
    if (i < to && s[i] == u'"') {
      const qsizetype start = ++i;
      while (i < to && s[i] != u'"') ++i;
      if (i == to) openQuote = true;
      fields << QString(s + start, i - start);
      while (i < to && s[i] != u',') ++i;  // text after the closing quote is ignored
    } else {
      const qsizetype start = i;
      while (i < to && s[i] != u',') ++i;
      qsizetype end = i;
      while (end > start && s[end - 1] == u' ') --end;
      fields << QString(s + start, end - start);
    }
    if (i >= to) break;
    ++i;  // the comma; one right at the end closes an empty field
  }
}

// GBK or UTF-8 by the program's one rule for text files; UTF-16 and bytes that are neither
// mark the list as not read cleanly.
QString DecodeLst(const QByteArray& bytes, bool& badEncoding) {
  badEncoding = false;
  if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
    // Readable, but not a format we write: shown, and kept until the user edits the list.
    badEncoding = true;
    QStringDecoder utf16(QStringConverter::Utf16);
    return utf16.decode(bytes);
  }
  return common::DecodeFileText(bytes, nullptr, &badEncoding);
}

// Lines with the three commas a record needs: the room to reserve, never more than the parse
// would fill (a file of empty lines reserves nothing).
size_t CountRecordLines(const QChar* s, qsizetype n) {
  size_t lines = 0;
  int commas = 0;
  for (qsizetype i = 0; i < n; ++i) {
    if (s[i] == u',') {
      ++commas;
    } else if (s[i] == u'\n') {
      lines += commas >= 3 ? 1 : 0;
      commas = 0;
    }
  }
  return lines + (commas >= 3 ? 1 : 0);
}

QString Clean(const QString& field) {
  if (!field.contains(u'"') && !field.contains(u'\r') && !field.contains(u'\n')) return field;
  QString out = field;
  out.replace(u'"', QChar(0xFF02));
  out.replace(u'\r', u' ');
  out.replace(u'\n', u' ');
  return out;
}
}  // namespace

ParsedLst ParseLst(const QString& text) {
  ParsedLst out;
  const QChar* s = text.constData();
  const qsizetype n = text.size();
  qsizetype i = 0;
  QStringList fields, joined;
  // One record a line, as the program writes them: reserved up front, the records never move
  // or leave unused room, and the grid keeps this very vector.
  out.records.reserve(CountRecordLines(s, n));
  // Singers and durations repeat down a list: equal ones share one string.
  QSet<QString> shared;
  const auto share = [&shared](QString& field) {
    const auto it = shared.constFind(field);
    if (it != shared.constEnd())
      field = *it;
    else
      shared.insert(field);
  };
  while (i < n) {
    bool control = false;
    qsizetype end = LineEnd(s, n, i, control);
    if (IsBlankLine(s, i, end)) {
      i = SkipLineEnd(s, n, end);
      continue;
    }
    bool open = false;
    SplitFields(s, i, end, fields, open);
    if (open && fields.size() % 4 != 0) {
      // A line break inside a quoted field: take the next lines only when they finish the
      // record, so an unclosed quote never swallows the songs below it.
      qsizetype joinedEnd = end;
      bool joinedControl = control;
      for (int k = 0; k < kMaxJoinedLines && joinedEnd < n; ++k) {
        joinedEnd = LineEnd(s, n, SkipLineEnd(s, n, joinedEnd), joinedControl);
        bool stillOpen = false;
        SplitFields(s, i, joinedEnd, joined, stillOpen);
        if (!stillOpen && joined.size() % 4 == 0) {
          fields.swap(joined);
          end = joinedEnd;
          control = joinedControl;
          break;
        }
      }
    }
    if (control) {
      ++out.badLines;
    } else {
      for (qsizetype f = 0; f + 4 <= fields.size(); f += 4) {
        share(fields[f + 1]);
        share(fields[f + 2]);
        out.records.push_back({QString(), std::move(fields[f]), std::move(fields[f + 1]),
                               std::move(fields[f + 2]), std::move(fields[f + 3])});
      }
      if (fields.size() % 4 != 0) ++out.badLines;
    }
    i = SkipLineEnd(s, n, end);
  }
  return out;
}

QString FormatLstLine(const SongEntry& song) {
  QString line;
  line.reserve(song.title.size() + song.singer.size() + song.duration.size() + song.path.size() +
               11);
  line += u'"';
  line += Clean(song.title);
  line += QLatin1String("\",\"");
  line += Clean(song.singer);
  line += QLatin1String("\",\"");
  line += Clean(song.duration);
  line += QLatin1String("\",\"");
  line += Clean(song.path);
  line += u'"';
  return line;
}

QString FormatLst(const std::vector<SongEntry>& songs) {
  QString text;
  qsizetype size = 0;
  for (const SongEntry& s : songs)
    size += s.title.size() + s.singer.size() + s.duration.size() + s.path.size() + 13;
  text.reserve(size);
  for (const SongEntry& s : songs) {
    if (s.IsBlank()) continue;
    text += FormatLstLine(s);
    text += QLatin1String("\r\n");
  }
  return text;
}

LstRead ReadLstFile(const QString& path) {
  LstRead result;
  QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) return result;
  if (!info.isFile()) {
    result.status = LstRead::Status::NotAFile;
    return result;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileBytes) {
    result.status = LstRead::Status::Unreadable;
    return result;
  }
  // A 100,000-song list is 10 MB of bytes, twice that as text and more again as records: the
  // bytes go before the records are made.
  QString text = DecodeLst(common::ReadAtMost(file, kMaxFileBytes), result.badEncoding);
  ParsedLst parsed = ParseLst(text);
  text.clear();
  result.status = LstRead::Status::Ok;
  result.records = std::move(parsed.records);
  result.badLines = parsed.badLines;
  return result;
}

bool WriteLstFile(const QString& path, const std::vector<SongEntry>& songs,
                  const QString& backupDir) {
  return WriteLstBytes(path, common::EncodeGbk(FormatLst(songs)), backupDir);
}

bool WriteLstBytes(const QString& path, const QByteArray& bytes, const QString& backupDir) {
  QFile old(path);
  if (QFileInfo(path).isFile() && old.open(QIODevice::ReadOnly)) {
    const QByteArray before = common::ReadAtMost(old, kMaxFileBytes);
    old.close();
    if (before == bytes) return true;  // nothing changed: the file keeps its own bytes
    // Adding songs only extends the file; anything else could lose a song, so keep a copy.
    if (!bytes.startsWith(before) && !before.trimmed().isEmpty())
      common::CopyToBackup(path, backupDir, kBackupGenerations);
  }
  return common::WriteBytesAtomically(path, bytes);
}

}  // namespace playlist
