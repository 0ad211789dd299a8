// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/safefilename.h"

#include <QDir>
#include <QFileInfo>

namespace common {

QString SafeFileName(const QString& name, int maxUtf8Bytes) {
  QString out;
  out.reserve(name.size());
  for (QChar c : name) {
    const char16_t u = c.unicode();
    if (u < 0x20 || u == 0x7F) continue;
    if (u == u'/' || u == u'\\' || u == u':' || u == u'*' || u == u'?' || u == u'"' ||
        u == u'<' || u == u'>' || u == u'|') {
      out += u'_';
      continue;
    }
    out += c;
  }
  out.replace(QStringLiteral(".."), QStringLiteral("_"));
  // Leading dots would hide the file; trailing dots and blanks are refused on some systems.
  while (!out.isEmpty() && (out.front() == u'.' || out.front().isSpace())) out.remove(0, 1);
  while (!out.isEmpty() && (out.back() == u'.' || out.back().isSpace())) out.chop(1);
  while (out.toUtf8().size() > maxUtf8Bytes) {
    out.chop(out.size() >= 2 && out.at(out.size() - 1).isLowSurrogate() ? 2 : 1);
  }
  return out;
}

bool IsDirectlyInside(const QString& folder, const QString& path) {
  const QString dir = QDir::cleanPath(QDir(folder).absolutePath());
  const QFileInfo info(QDir::cleanPath(QDir(folder).absoluteFilePath(path)));
  return QDir::cleanPath(info.absolutePath()) == dir && info.fileName() != QLatin1String("..") &&
         info.fileName() != QLatin1String(".") && !info.fileName().isEmpty();
}

std::optional<QString> FileInFolder(const QString& folder, const QString& name,
                                    const QString& suffix) {
  const QString safe = SafeFileName(name);
  if (safe.isEmpty()) return std::nullopt;
  const QString path = QDir::cleanPath(QDir(folder).absolutePath()) + u'/' + safe + suffix;
  if (!IsDirectlyInside(folder, path)) return std::nullopt;
  return path;
}

}  // namespace common
