// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/mpvsupport.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

#include "common/gbk.h"

namespace components {

namespace {

const QStringList& NetworkSchemes() {
  static const QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"),
                                      QStringLiteral("mms"),  QStringLiteral("mmsh"),
                                      QStringLiteral("rtsp"), QStringLiteral("rtmp")};
  return schemes;
}

// The scheme at the start of an address ("http" for "http://x"), empty when there is none.
// Anything shaped like a scheme counts, so "lavfi:x" and "edl:x" are seen as such.
QString SchemeOf(const QString& address) {
  static const QRegularExpression re(QStringLiteral("^([A-Za-z][A-Za-z0-9+.\\-]*):"));
  const auto m = re.match(address);
  return m.hasMatch() ? m.captured(1).toLower() : QString();
}

bool HasControlChars(const QString& s) {
  for (QChar c : s)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) return true;
  return false;
}

// The absolute path of a regular file, or nullopt for anything else (missing, a folder, a
// device, a FIFO, a socket). isFile() follows links, so a link to a song plays.
std::optional<QString> RegularFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.isFile()) return std::nullopt;
  return info.absoluteFilePath();
}

}  // namespace

std::optional<QString> PlayableTarget(const QString& address, UrlOrigin origin) {
  const QString a = address.trimmed();
  if (a.isEmpty() || HasControlChars(a)) return std::nullopt;
  const QString scheme = SchemeOf(a);
  const bool user = origin == UrlOrigin::User;
  if (scheme.isEmpty()) return user ? RegularFile(a) : std::nullopt;
  if (scheme == QLatin1String("file")) {
    if (!user) return std::nullopt;
    const QUrl url(a, QUrl::TolerantMode);
    if (!url.isValid() || !url.isLocalFile()) return std::nullopt;
    if (!url.host().isEmpty() && url.host() != QLatin1String("localhost")) return std::nullopt;
    // toLocalFile() would keep "localhost" as a network share name.
    const QString path = url.host().isEmpty() ? url.toLocalFile() : url.path();
    if (path.isEmpty()) return std::nullopt;
    return RegularFile(path);
  }
  if (!NetworkSchemes().contains(scheme)) return std::nullopt;
  // Blanks and non-ASCII characters are percent-encoded here, as a browser would, so the
  // request line mpv sends is well-formed.
  const QUrl url(a, QUrl::TolerantMode);
  if (!url.isValid() || url.host().isEmpty()) return std::nullopt;
  return QString::fromLatin1(url.toEncoded());
}

bool IsNetworkAddress(const QString& address) {
  return NetworkSchemes().contains(SchemeOf(address.trimmed()));
}

QString DecodeTagBytes(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QString text = utf8.decode(bytes);
  if (utf8.hasError()) return common::DecodeGbk(bytes);
  // Text whose every character fits in one byte, some above ASCII, may be GBK bytes that
  // were read as Latin-1; take the GBK reading only when it decodes without a fault, so a
  // real "Beyoncé" stays as it is.
  bool latin1 = true, high = false;
  for (QChar c : text) {
    if (c.unicode() > 0xFF) latin1 = false;
    if (c.unicode() >= 0x80) high = true;
  }
  if (!latin1 || !high) return text;
  QStringDecoder gbk("GB18030", QStringDecoder::Flag::Stateless);
  const QString again = gbk.decode(text.toLatin1());
  if (gbk.hasError()) return text;
  for (QChar c : again)
    if (c.unicode() < 0x20 && c != u'\t') return text;
  return again;
}

StreamTitle SplitStreamTitle(const QString& icyTitle) {
  const QString t = icyTitle.trimmed();
  const qsizetype dash = t.indexOf(QLatin1String(" - "));
  if (dash < 0) return {QString(), t};
  return {t.left(dash).trimmed(), t.mid(dash + 3).trimmed()};
}

PlayState MapState(const MpvFacts& f) {
  if (f.userStopped) return PlayState::Stopped;
  if (f.refused) return PlayState::Ready;
  if (!f.loaded) return PlayState::Undefined;
  if (f.ended || (f.idle && !f.loading)) return f.failed ? PlayState::Ready : PlayState::Stopped;
  if (f.loading) return PlayState::Transitioning;
  if (f.paused) return PlayState::Paused;
  if (f.pausedForCache) return PlayState::Buffering;
  if (f.seeking || !f.restarted) return PlayState::Transitioning;
  return PlayState::Playing;
}

bool IsTruncatedEnd(double lastPosition, double duration) {
  return duration > 0 && lastPosition < duration - 2.0;
}

}  // namespace components
