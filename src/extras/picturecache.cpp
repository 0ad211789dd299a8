// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/picturecache.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>
#include <QUrl>

#include "common/safefilename.h"

namespace extras {
namespace {

QImage ReadBounded(QImageReader& reader, qint64 maxPixels) {
  const QSize size = reader.size();  // from the header only
  if (!size.isValid() || size.isEmpty() || qint64{size.width()} * size.height() > maxPixels)
    return {};
  // A header can lie; the allocation limit (MiB) stops the decoder itself.
  reader.setAllocationLimit(static_cast<int>(maxPixels * 4 / (1024 * 1024)) + 1);
  QImage image = reader.read();
  return image;
}

}  // namespace

std::optional<QString> CacheFolder(const QString& picTmpDir, const QString& folderName) {
  const QString safe = common::SafeFileName(folderName.trimmed());
  if (safe.isEmpty()) return std::nullopt;
  const QString root = QDir::cleanPath(QFileInfo(picTmpDir).absoluteFilePath());
  const QString folder = root + QLatin1Char('/') + safe;
  if (!common::IsDirectlyInside(root, folder)) return std::nullopt;
  const QFileInfo info(folder);
  if (info.isSymLink() || (info.exists() && !info.isDir())) return std::nullopt;
  if (!info.exists() && !QDir().mkpath(folder)) return std::nullopt;
  return folder + QLatin1Char('/');
}

QString PictureFileName(const QString& url) {
  QString path = url;
  const qsizetype cut = path.indexOf(QRegularExpression(QStringLiteral("[?#]")));
  if (cut >= 0) path.truncate(cut);
  return common::SafeFileName(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1));
}

std::optional<QString> CachedPicturePath(const QString& folder, const QString& url) {
  const QString name = PictureFileName(url);
  if (name.isEmpty()) return std::nullopt;
  return common::FileInFolder(folder, name);
}

QImage LoadPicture(const QString& path, qint64 maxPixels) {
  const QFileInfo info(path);
  if (!info.isFile() || info.isSymLink()) return {};
  QImageReader reader(path);
  return ReadBounded(reader, maxPixels);
}

QImage DecodePicture(const QByteArray& bytes, qint64 maxPixels) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  return ReadBounded(reader, maxPixels);
}

QString QueryWord(const QString& words) {
  QString out;
  out.reserve(words.size());
  for (QChar c : words) {
    switch (c.unicode()) {
      case '%':
        out += QLatin1String("%25");
        break;
      case '&':
        out += QLatin1String("%26");
        break;
      case '#':
        out += QLatin1String("%23");
        break;
      case '+':
        out += QLatin1String("%2B");
        break;
      case '=':
        out += QLatin1String("%3D");
        break;
      case ' ':
        out += QLatin1String("%20");
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool IsWebAddress(const QString& url) {
  const QUrl parsed(url, QUrl::StrictMode);
  const QString scheme = parsed.scheme().toLower();
  return parsed.isValid() && !parsed.host().isEmpty() &&
         (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

}  // namespace extras
