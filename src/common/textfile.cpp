// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace common {

QStringList SplitLines(const QString& text) {
  QStringList lines;
  qsizetype start = 0;
  const qsizetype n = text.size();
  for (qsizetype i = 0; i < n; ++i) {
    QChar c = text.at(i);
    if (c == u'\r' || c == u'\n') {
      lines.append(text.mid(start, i - start));
      if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n') ++i;
      start = i + 1;
    }
  }
  if (start < n) lines.append(text.mid(start));
  return lines;
}

QByteArray ReadAtMost(QFile& file, qint64 maxBytes) {
  return file.read(std::clamp<qint64>(file.size() - file.pos(), 0, maxBytes));
}

std::optional<TextFileContent> ReadTextFile(const QString& path, qint64 maxBytes) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  if (file.size() > maxBytes) return std::nullopt;
  const QByteArray bytes = ReadAtMost(file, maxBytes);
  TextFileContent content;
  content.lines = SplitLines(DecodeFileText(bytes, &content.encoding));
  return content;
}

namespace {
// The real file to replace: the path itself, or the target of a link that stays in its folder.
std::optional<QString> WriteTarget(const QString& path) {
  QFileInfo info(path);
  if (!info.isSymLink()) return path;
  QFileInfo target(info.symLinkTarget());
  if (QDir(target.absolutePath()).canonicalPath() != QDir(info.absolutePath()).canonicalPath())
    return std::nullopt;
  return target.absoluteFilePath();
}
}  // namespace

bool WriteBytesAtomically(const QString& path, const QByteArray& bytes) {
  auto target = WriteTarget(path);
  if (!target) return false;
  QSaveFile file(*target);
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

bool WriteTextFile(const QString& path, const QStringList& lines, TextEncoding encoding) {
  QString text;
  qsizetype size = 0;
  for (const QString& line : lines) size += line.size() + 2;
  text.reserve(size);
  for (const QString& line : lines) {
    text += line;
    text += QLatin1String("\r\n");
  }
  return WriteBytesAtomically(path, EncodeFileText(text, encoding));
}

}  // namespace common
