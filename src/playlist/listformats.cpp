// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/listformats.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <map>

#include "common/gbk.h"
#include "common/textfile.h"

namespace playlist {
namespace {

// Lists of a few hundred thousand songs stay far below this.
constexpr qint64 kMaxListBytes = 32 << 20;
// Longer than this is not a song length but a broken number.
constexpr qint64 kMaxSeconds = 100LL * 3600;

const QString kSingerSeparator = QStringLiteral(" - ");

// The scheme of "name://rest", or an empty string when the text is not such an address.
QString SchemeOf(const QString& text) {
  const qsizetype colon = text.indexOf(QStringLiteral("://"));
  if (colon <= 0) return {};
  for (qsizetype i = 0; i < colon; ++i) {
    const QChar c = text[i];
    const bool ok =
        (c.isLetter() && c.unicode() < 128) ||
        (i > 0 && ((c.isDigit() && c.unicode() < 128) || c == '+' || c == '-' || c == '.'));
    if (!ok) return {};
  }
  return text.left(colon);
}

// The path or address a list line names, or an empty string when it is not kept.
QString ResolveEntry(QString entry, const QString& baseDir) {
  entry = entry.trimmed();
  if (entry.isEmpty()) return {};
  const QString scheme = SchemeOf(entry);
  if (!scheme.isEmpty()) {
    if (scheme.compare(QStringLiteral("file"), Qt::CaseInsensitive) == 0) {
      const QUrl url(entry);
      if (!url.isValid() || !url.isLocalFile()) return {};
      entry = url.toLocalFile();
      if (entry.isEmpty()) return {};
    } else {
      return IsStreamScheme(scheme) ? entry : QString();
    }
  }
  // Lists written on Windows separate folders with backslashes; a Linux name could hold one,
  // but such a list never holds a forward slash as well.
  if (!entry.contains('/') && entry.contains('\\')) entry.replace('\\', '/');
  // Not QDir::isRelativePath: it takes ":/x" for an absolute resource path.
  if (!entry.startsWith('/')) entry = baseDir + '/' + entry;
  return QDir::cleanPath(entry);
}

QString DurationText(qint64 seconds) {
  if (seconds <= 0 || seconds > kMaxSeconds) return kZeroDuration;
  return QStringLiteral("%1:%2")
      .arg(seconds / 60, 2, 10, QChar('0'))
      .arg(seconds % 60, 2, 10, QChar('0'));
}

// Seconds of a "mm:ss" duration, -1 when unknown.
qint64 DurationSeconds(const QString& duration) {
  const qsizetype colon = duration.indexOf(':');
  if (colon <= 0) return -1;
  bool okMin = false, okSec = false;
  const qint64 minutes = duration.left(colon).toLongLong(&okMin);
  const qint64 seconds = duration.mid(colon + 1).toLongLong(&okSec);
  if (!okMin || !okSec || minutes < 0 || seconds < 0 || seconds >= 60) return -1;
  const qint64 total = minutes * 60 + seconds;
  return total > 0 && total <= kMaxSeconds ? total : -1;
}

QString BaseTitle(const QString& path) {
  const QString name = path.section('/', -1);
  const QString base = QFileInfo(name).completeBaseName();
  return base.isEmpty() ? name : base;
}

// "Singer - Title" as the players write it; a display name without a singer stays whole.
SongEntry MakeSong(const QString& path, const QString& display, qint64 seconds) {
  SongEntry song;
  song.path = path;
  song.singer = kUnknownSinger;
  song.duration = DurationText(seconds);
  const QString name = display.simplified();
  const qsizetype dash = name.indexOf(kSingerSeparator);
  if (dash > 0 && dash + kSingerSeparator.size() < name.size()) {
    song.singer = name.left(dash).trimmed();
    song.title = name.mid(dash + kSingerSeparator.size()).trimmed();
  } else {
    song.title = name;
  }
  if (song.title.isEmpty()) song.title = BaseTitle(path);
  if (song.title.trimmed().isEmpty()) song.title = path;
  return song;
}

QString DisplayName(const SongEntry& song) {
  const QString title = song.title.simplified();
  const QString singer = song.singer.simplified();
  if (singer.isEmpty() || singer == kUnknownSinger) return title;
  return singer + kSingerSeparator + title;
}

bool Writable(const SongEntry& song) {
  return !song.IsBlank() && !song.path.trimmed().isEmpty() && !song.path.contains('\n') &&
         !song.path.contains('\r');
}

}  // namespace

bool IsStreamScheme(const QString& scheme) {
  static const QStringList kSchemes = {"http", "https", "mms", "mmsh", "rtsp", "rtmp"};
  return kSchemes.contains(scheme.toLower());
}

std::optional<ListFormat> ListFormatOf(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix == QLatin1String("m3u")) return ListFormat::M3u;
  if (suffix == QLatin1String("m3u8")) return ListFormat::M3u8;
  if (suffix == QLatin1String("pls")) return ListFormat::Pls;
  return std::nullopt;
}

ParsedList ParseM3u(const QString& text, const QString& baseDir) {
  ParsedList out;
  QString pendingName;
  qint64 pendingSeconds = -1;
  bool pending = false;
  for (const QString& raw : common::SplitLines(text)) {
    QString line = raw.trimmed();
    if (line.startsWith(QChar(0xFEFF))) line = line.mid(1).trimmed();
    if (line.isEmpty()) continue;
    if (line.startsWith('#')) {
      if (line.startsWith(QLatin1String("#EXTINF:"), Qt::CaseInsensitive)) {
        const QString info = line.mid(8);
        const qsizetype comma = info.indexOf(',');
        // Attributes (tvg-id="..." and the like) may follow the length before the comma.
        const QString length = info.left(comma < 0 ? info.size() : comma).section(' ', 0, 0);
        bool ok = false;
        const double seconds = length.toDouble(&ok);
        pendingSeconds = ok && seconds > 0 && seconds <= kMaxSeconds ? qint64(seconds + 0.5) : -1;
        pendingName = comma < 0 ? QString() : info.mid(comma + 1);
        pending = true;
      }
      continue;
    }
    const QString path = ResolveEntry(line, baseDir);
    if (path.isEmpty()) {
      ++out.skipped;
    } else {
      out.songs.push_back(MakeSong(path, pending ? pendingName : QString(), pendingSeconds));
    }
    pending = false;
    pendingName.clear();
    pendingSeconds = -1;
  }
  return out;
}

ParsedList ParsePls(const QString& text, const QString& baseDir) {
  struct Entry {
    QString file, title;
    qint64 seconds = -1;
  };
  std::map<qint64, Entry> entries;
  ParsedList out;
  bool inPlaylist = false;
  for (const QString& raw : common::SplitLines(text)) {
    QString line = raw.trimmed();
    if (line.startsWith(QChar(0xFEFF))) line = line.mid(1).trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
    if (line.startsWith('[')) {
      inPlaylist = line.compare(QLatin1String("[playlist]"), Qt::CaseInsensitive) == 0;
      continue;
    }
    if (!inPlaylist) continue;
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0) continue;
    const QString key = line.left(eq).trimmed().toLower();
    const QString value = line.mid(eq + 1).trimmed();
    for (const char* field : {"file", "title", "length"}) {
      const QLatin1String name(field);
      if (!key.startsWith(name)) continue;
      bool ok = false;
      const qint64 index = key.mid(name.size()).toLongLong(&ok);
      if (!ok || index < 0 || key.mid(name.size()).startsWith('+')) break;
      Entry& entry = entries[index];
      if (name == QLatin1String("file")) {
        entry.file = value;
      } else if (name == QLatin1String("title")) {
        entry.title = value;
      } else {
        bool okLength = false;
        const qint64 seconds = value.toLongLong(&okLength);
        entry.seconds = okLength ? seconds : -1;
      }
      break;
    }
  }
  for (const auto& [index, entry] : entries) {
    const QString path = ResolveEntry(entry.file, baseDir);
    if (path.isEmpty()) {
      ++out.skipped;
      continue;
    }
    out.songs.push_back(MakeSong(path, entry.title, entry.seconds));
  }
  return out;
}

QString FormatM3u(const std::vector<SongEntry>& songs, int* skipped) {
  QString text = QStringLiteral("#EXTM3U\n");
  int dropped = 0;
  for (const SongEntry& song : songs) {
    if (!Writable(song)) {
      dropped += song.IsBlank() ? 0 : 1;
      continue;
    }
    // Joined, not QString::arg: a path or title may itself hold "%1".
    text += QStringLiteral("#EXTINF:") + QString::number(DurationSeconds(song.duration)) + ',' +
            DisplayName(song) + '\n' + song.path.trimmed() + '\n';
  }
  if (skipped) *skipped = dropped;
  return text;
}

QString FormatPls(const std::vector<SongEntry>& songs, int* skipped) {
  QString text = QStringLiteral("[playlist]\n");
  int dropped = 0, n = 0;
  for (const SongEntry& song : songs) {
    if (!Writable(song)) {
      dropped += song.IsBlank() ? 0 : 1;
      continue;
    }
    ++n;
    const QString index = QString::number(n);
    text += "File" + index + '=' + song.path.trimmed() + "\nTitle" + index + '=' +
            DisplayName(song) + "\nLength" + index + '=' +
            QString::number(DurationSeconds(song.duration)) + '\n';
  }
  text += QStringLiteral("NumberOfEntries=%1\nVersion=2\n").arg(n);
  if (skipped) *skipped = dropped;
  return text;
}

ListRead ReadListFile(const QString& path) {
  ListRead result;
  const std::optional<ListFormat> format = ListFormatOf(path);
  if (!format) {
    result.status = ListRead::Status::UnknownFormat;
    return result;
  }
  const QFileInfo info(path);
  if (!info.isFile()) {
    result.status = info.exists() ? ListRead::Status::NotAFile : ListRead::Status::Unreadable;
    return result;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxListBytes) return result;
  const QByteArray bytes = common::ReadAtMost(file, kMaxListBytes);
  const QString text =
      *format == ListFormat::M3u8 ? QString::fromUtf8(bytes) : common::DecodeFileText(bytes);
  const QString baseDir = info.absolutePath();
  ParsedList parsed =
      *format == ListFormat::Pls ? ParsePls(text, baseDir) : ParseM3u(text, baseDir);
  result.status = ListRead::Status::Ok;
  result.songs = std::move(parsed.songs);
  result.skipped = parsed.skipped;
  return result;
}

bool WriteListFile(const QString& path, const std::vector<SongEntry>& songs, int* skipped) {
  const std::optional<ListFormat> format = ListFormatOf(path);
  if (!format) return false;
  const QString text =
      *format == ListFormat::Pls ? FormatPls(songs, skipped) : FormatM3u(songs, skipped);
  const QByteArray bytes = *format == ListFormat::M3u ? common::EncodeGbk(text) : text.toUtf8();
  return common::WriteBytesAtomically(path, bytes);
}

}  // namespace playlist
