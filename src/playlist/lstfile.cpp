// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/lstfile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "common/backup.h"
#include "common/gbk.h"
#include "common/textfile.h"

namespace playlist {

namespace {
constexpr qint64 kMaxFileBytes = 256 << 20;
constexpr int kBackupGenerations = 5;

bool IsLineEnd(QChar c) {
  return c == u'\r' || c == u'\n';
}

// One field starting at i; i ends on the comma or line end that closed it (or at n).
QString ReadField(const QChar* s, qsizetype n, qsizetype& i) {
  while (i < n && s[i] == u' ') ++i;
  if (i < n && s[i] == u'"') {
    const qsizetype start = ++i;
    while (i < n && s[i] != u'"' && !IsLineEnd(s[i])) ++i;
    QString field(s + start, i - start);
    while (i < n && s[i] != u',' && !IsLineEnd(s[i])) ++i;  // text after the quote is ignored
    return field;
  }
  const qsizetype start = i;
  while (i < n && s[i] != u',' && !IsLineEnd(s[i])) ++i;
  qsizetype end = i;
  while (end > start && s[end - 1] == u' ') --end;
  return QString(s + start, end - start);
}

// Our own files are GBK, and short GBK texts such as "未知" (CE B4 D6 AA) are also valid
// UTF-8: UTF-8 wins only with a byte-order mark or when the bytes are not valid GBK.
QString DecodeLst(const QByteArray& bytes) {
  static const QByteArray kBom("\xEF\xBB\xBF");
  if (bytes.startsWith(kBom)) return QString::fromUtf8(bytes.mid(3));
  QStringDecoder gbk("GB18030");
  QString text = gbk.decode(bytes);
  if (!gbk.hasError()) return text;
  QStringDecoder utf8(QStringConverter::Utf8);
  QString asUtf8 = utf8.decode(bytes);
  return utf8.hasError() ? text : asUtf8;
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

std::vector<SongEntry> ParseLst(const QString& text) {
  std::vector<SongEntry> records;
  const QChar* s = text.constData();
  const qsizetype n = text.size();
  QString fields[4];
  int have = 0;
  qsizetype i = 0;
  while (i < n) {
    if (IsLineEnd(s[i])) {  // an empty line holds no field
      ++i;
      continue;
    }
    fields[have++] = ReadField(s, n, i);
    if (have == 4) {
      records.push_back({QString(), std::move(fields[0]), std::move(fields[1]),
                         std::move(fields[2]), std::move(fields[3])});
      have = 0;
    }
    if (i < n && s[i] == u',') {
      ++i;
      // A comma right before a line end closes an empty field.
      if (i >= n || IsLineEnd(s[i])) {
        fields[have++] = QString();
        if (have == 4) {
          records.push_back({QString(), fields[0], fields[1], fields[2], fields[3]});
          have = 0;
        }
      }
    }
  }
  return records;
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

std::optional<std::vector<SongEntry>> ReadLstFile(const QString& path) {
  QFileInfo info(path);
  if (!info.isFile()) return std::nullopt;  // also keeps devices and FIFOs out
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  const QByteArray bytes = file.read(kMaxFileBytes);
  return ParseLst(DecodeLst(bytes));
}

bool WriteLstFile(const QString& path, const std::vector<SongEntry>& songs,
                  const QString& backupDir) {
  const QByteArray bytes = common::EncodeGbk(FormatLst(songs));
  QFile old(path);
  if (QFileInfo(path).isFile() && old.open(QIODevice::ReadOnly)) {
    const QByteArray before = old.read(kMaxFileBytes);
    old.close();
    // Adding songs only extends the file; anything else could lose a song, so keep a copy.
    if (!bytes.startsWith(before) && !before.trimmed().isEmpty())
      common::CopyToBackup(path, backupDir, kBackupGenerations);
  }
  return common::WriteBytesAtomically(path, bytes);
}

}  // namespace playlist
