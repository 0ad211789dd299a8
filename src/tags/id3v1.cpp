// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/id3v1.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <array>
#include <cerrno>

#include "common/gbk.h"

namespace tags {
namespace {

// Names as written; stored and shown with three blanks between words.
constexpr std::array<const char*, kGenreCount> kGenres = {"Blues",
                                                          "Classic Rock",
                                                          "Country",
                                                          "Dance",
                                                          "Disco",
                                                          "Funk",
                                                          "Grunge",
                                                          "Hip Hop",
                                                          "Jazz",
                                                          "Metal",
                                                          "New Age",
                                                          "Oldies",
                                                          "Other",
                                                          "Pop",
                                                          "Rhythm & Blues",
                                                          "Rap",
                                                          "Reggae",
                                                          "Rock",
                                                          "Techno",
                                                          "Industrial",
                                                          "Alternative",
                                                          "Ska",
                                                          "Death Metal",
                                                          "Pranks",
                                                          "Soundtrack",
                                                          "Euro Techno",
                                                          "Ambient",
                                                          "Trip-Hop",
                                                          "Vocal",
                                                          "Jazz Funk",
                                                          "Fusion",
                                                          "Trance",
                                                          "Classical",
                                                          "Instrumental",
                                                          "Acid",
                                                          "House",
                                                          "Game",
                                                          "Sound Clip",
                                                          "Gospel",
                                                          "Noise",
                                                          "Alternative Rock",
                                                          "Bass",
                                                          "Soul",
                                                          "Punk",
                                                          "Space",
                                                          "Meditative",
                                                          "Instrumental Pop",
                                                          "Instrumental Rock",
                                                          "Ethnic",
                                                          "Gothic",
                                                          "Darkwave",
                                                          "Techno Industrial",
                                                          "Electronic",
                                                          "Pop Folk",
                                                          "Eurodance",
                                                          "Dream",
                                                          "Southern Rock",
                                                          "Comedy",
                                                          "Cult",
                                                          "Gangsta",
                                                          "Top 40",
                                                          "Christian Rap",
                                                          "Pop Funk",
                                                          "Jungle",
                                                          "Native American",
                                                          "Cabaret",
                                                          "New Wave",
                                                          "Psychadelic",
                                                          "Rave",
                                                          "Show Tunes",
                                                          "Trailer",
                                                          "Lo-Fi",
                                                          "Tribal",
                                                          "Acid Punk",
                                                          "Acid Jazz",
                                                          "Polka",
                                                          "Retro",
                                                          "Musical",
                                                          "Rock & Roll",
                                                          "Hard Rock",
                                                          "Folk",
                                                          "Folk/Rock",
                                                          "National Folk",
                                                          "Swing",
                                                          "Fast Fusion",
                                                          "Bebob",
                                                          "Latin",
                                                          "Revival",
                                                          "Celtic",
                                                          "Bluegrass",
                                                          "Avantgarde",
                                                          "Gothic Rock",
                                                          "Progressive Rock",
                                                          "Psychedelic Rock",
                                                          "Symphonic Rock",
                                                          "Slow Rock",
                                                          "Big Band",
                                                          "Chorus",
                                                          "Easy Listening",
                                                          "Acoustic",
                                                          "Humour",
                                                          "Speech",
                                                          "Chanson",
                                                          "Opera",
                                                          "Chamber Music",
                                                          "Sonata",
                                                          "Symphony",
                                                          "Booty Bass",
                                                          "Primus",
                                                          "Porn Groove",
                                                          "Satire",
                                                          "Slow Jam",
                                                          "Club",
                                                          "Tango",
                                                          "Samba",
                                                          "Folklore",
                                                          "Ballad",
                                                          "Power Ballad",
                                                          "Rhytmic Soul",
                                                          "Freestyle",
                                                          "Duet",
                                                          "Punk Rock",
                                                          "Drum Solo",
                                                          "A Capella",
                                                          "Euro House",
                                                          "Dance Hall",
                                                          "Goa",
                                                          "Drum & Bass",
                                                          "Club House",
                                                          "Hardcore",
                                                          "Terror",
                                                          "Indie",
                                                          "Brit Pop",
                                                          "Negerpunk",
                                                          "Polsk Punk",
                                                          "Beat",
                                                          "Christian Gangsta Rap",
                                                          "Heavy Metal",
                                                          "Black Metal",
                                                          "Crossover",
                                                          "Contemporary Christian",
                                                          "Christian Rock",
                                                          "Merengue",
                                                          "Salsa",
                                                          "Trash Metal",
                                                          "Anime",
                                                          "JPop",
                                                          "Synth Pop"};

const QByteArray kMagic = QByteArrayLiteral("TAG");

bool IsWebAddress(const QString& path) {
  return path.contains(QStringLiteral("://"));
}

// An open descriptor on a regular file, closed on scope exit. O_NONBLOCK keeps a FIFO from
// holding the open until a writer appears; fstat then refuses it.
class RegularFile {
 public:
  RegularFile(const QString& path, int flags) {
    if (path.isEmpty() || IsWebAddress(path)) return;
    const QByteArray native = QFile::encodeName(path);
    fd_ = ::open(native.constData(), flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) return;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd_);
      fd_ = -1;
      return;
    }
    size_ = st.st_size;
  }
  ~RegularFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  RegularFile(const RegularFile&) = delete;
  RegularFile& operator=(const RegularFile&) = delete;

  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  off_t size() const { return size_; }

  // Reads exactly n bytes at offset; false on a short read or an error.
  bool ReadAt(off_t offset, char* data, size_t n) const {
    while (n > 0) {
      const ssize_t got = ::pread(fd_, data, n, offset);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return false;
      data += got;
      n -= static_cast<size_t>(got);
      offset += got;
    }
    return true;
  }
  bool WriteAt(off_t offset, const char* data, size_t n) const {
    while (n > 0) {
      const ssize_t put = ::pwrite(fd_, data, n, offset);
      if (put < 0 && errno == EINTR) continue;
      if (put <= 0) return false;
      data += put;
      n -= static_cast<size_t>(put);
      offset += put;
    }
    return true;
  }
  bool HasBlock() const {
    if (size_ < kBlockSize) return false;
    char magic[3];
    return ReadAt(size_ - kBlockSize, magic, 3) && QByteArray(magic, 3) == kMagic;
  }

 private:
  int fd_ = -1;
  off_t size_ = 0;
};

// Length of the GB18030 character starting at p (1, 2 or 4 bytes).
int CharLength(const QByteArray& bytes, int i) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  if (lead < 0x81 || lead == 0xFF || i + 1 >= bytes.size()) return 1;
  const auto second = static_cast<unsigned char>(bytes[i + 1]);
  return (second >= 0x30 && second <= 0x39) ? 4 : 2;
}

QString DecodeField(const QByteArray& block, int offset, int size) {
  QString text = common::DecodeGbk(block.mid(offset, size));
  // Blanks only: zero bytes other writers pad with are part of the field.
  qsizetype start = 0, end = text.size();
  while (start < end && text[start] == QLatin1Char(' ')) ++start;
  while (end > start && text[end - 1] == QLatin1Char(' ')) --end;
  return text.mid(start, end - start);
}

}  // namespace

QByteArray FixedField(const QString& text, int size) {
  const QByteArray bytes = common::EncodeGbk(text);
  int cut = 0;
  while (cut < bytes.size()) {
    const int len = CharLength(bytes, cut);
    if (cut + len > size) break;
    cut += len;
  }
  QByteArray out = bytes.left(cut);
  out.append(size - cut, ' ');
  return out;
}

QByteArray EncodeBlock(const Id3Fields& f) {
  QByteArray block = kMagic;
  block += FixedField(f.title, 30);
  block += FixedField(f.artist, 30);
  block += FixedField(f.album, 30);
  block += FixedField(f.year, 4);
  block += FixedField(f.comment, 30);
  block += static_cast<char>(f.genre);
  return block;
}

Id3Fields DecodeBlock(const QByteArray& block) {
  Id3Fields f;
  if (block.size() < kBlockSize) return f;
  f.title = DecodeField(block, 3, 30);
  f.artist = DecodeField(block, 33, 30);
  f.album = DecodeField(block, 63, 30);
  f.year = common::DecodeGbk(block.mid(93, 4)) + QStringLiteral("     ");
  f.comment = DecodeField(block, 97, 30);
  f.genre = static_cast<std::uint8_t>(block[127]);
  return f;
}

int TagState(const QString& path) {
  RegularFile file(path, O_RDONLY);
  if (!file.ok()) return 2;
  return file.HasBlock() ? 1 : 0;
}

bool ReadTag(const QString& path, Id3Fields& fields) {
  RegularFile file(path, O_RDONLY);
  if (!file.ok()) return false;
  if (!file.HasBlock()) return true;
  QByteArray block(kBlockSize, '\0');
  if (!file.ReadAt(file.size() - kBlockSize, block.data(), kBlockSize)) return true;
  fields = DecodeBlock(block);
  return true;
}

bool WriteTag(const QString& path, const Id3Fields& fields) {
  RegularFile file(path, O_RDWR);
  if (!file.ok()) return false;
  const QByteArray block = EncodeBlock(fields);
  const off_t size = file.size();
  if (file.HasBlock()) {
    const off_t at = size - kBlockSize;
    QByteArray old(kBlockSize, '\0');
    if (!file.ReadAt(at, old.data(), kBlockSize)) return false;
    if (!file.WriteAt(at, block.constData(), kBlockSize) || ::fdatasync(file.fd()) != 0) {
      // Put the old block back so a failed save changes nothing.
      file.WriteAt(at, old.constData(), kBlockSize);
      ::fdatasync(file.fd());
      return false;
    }
    return true;
  }
  if (!file.WriteAt(size, block.constData(), kBlockSize) || ::fdatasync(file.fd()) != 0) {
    // A partial append (a full disk) is cut off again.
    if (::ftruncate(file.fd(), size) == 0) ::fdatasync(file.fd());
    return false;
  }
  return true;
}

bool RemoveTag(const QString& path) {
  if (TagState(path) != 1) return !IsWebAddress(path);
  RegularFile file(path, O_RDWR);
  if (!file.ok()) return false;
  if (!file.HasBlock()) return true;
  return ::ftruncate(file.fd(), file.size() - kBlockSize) == 0 && ::fdatasync(file.fd()) == 0;
}

QString GenreName(int code) {
  if (code < 0 || code >= kGenreCount) return QStringLiteral("None");
  return QString::fromLatin1(kGenres[static_cast<size_t>(code)])
      .replace(QLatin1Char(' '), QStringLiteral("   "));
}

QStringList GenreNames() {
  QStringList names;
  names.reserve(kGenreCount);
  for (int i = 0; i < kGenreCount; ++i) names << GenreName(i);
  return names;
}

int GenreToListIndex(int code) {
  const int at = static_cast<int>(GenreNames().indexOf(GenreName(code)));
  return at < 0 ? kGenreCount : at;
}

std::uint8_t GenreFromName(const QString& name) {
  const int at = static_cast<int>(GenreNames().indexOf(name));
  return at < 0 ? kUnknownGenre : static_cast<std::uint8_t>(at);
}

QString ShownText(const QString& field) {
  const qsizetype zero = field.indexOf(QChar(0));
  return (zero < 0 ? field : field.left(zero)).trimmed();
}

}  // namespace tags
