// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/id3v1.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>

#include "common/gbk.h"
#include "support/tempappdir.h"

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Audio(int n) {
  QByteArray a(n, '\0');
  for (int i = 0; i < n; ++i) a[i] = static_cast<char>(i * 7 + 1);
  return a;
}

tags::Id3Fields Sample() {
  tags::Id3Fields f;
  f.title = QStringLiteral("月亮代表我的心");
  f.artist = QStringLiteral("Singer");
  f.album = QStringLiteral("Album");
  f.year = QStringLiteral("1999");
  f.comment = QStringLiteral("c");
  f.genre = 17;
  return f;
}

class Id3File : public ::testing::Test {
 protected:
  QString Path(const QString& name) const { return dir_.Path(name); }
  // A new file `name` holding `bytes`; returns its path.
  QString Make(const QString& name, const QByteArray& bytes) const {
    dir_.WriteFile(name, bytes);
    return Path(name);
  }
  TempAppDir dir_;
};

TEST_F(Id3File, SaveAppendsOnceThenKeepsLengthAndAudio) {
  const QString p = Make("a.mp3", Audio(1000));
  EXPECT_EQ(tags::TagState(p), 0);
  ASSERT_TRUE(tags::WriteTag(p, Sample()));
  EXPECT_EQ(QFileInfo(p).size(), 1128);
  EXPECT_EQ(tags::TagState(p), 1);
  ASSERT_TRUE(tags::WriteTag(p, Sample()));
  EXPECT_EQ(QFileInfo(p).size(), 1128);
  const QByteArray bytes = ReadAll(p);
  EXPECT_EQ(bytes.left(1000), Audio(1000));
  EXPECT_EQ(bytes.mid(1000, 3), QByteArray("TAG"));
  EXPECT_EQ(static_cast<unsigned char>(bytes[1127]), 17);

  tags::Id3Fields back;
  ASSERT_TRUE(tags::ReadTag(p, back));
  EXPECT_EQ(back.title, QStringLiteral("月亮代表我的心"));
  EXPECT_EQ(back.artist, QStringLiteral("Singer"));
  EXPECT_EQ(back.year, QStringLiteral("1999     "));
  EXPECT_EQ(back.year.trimmed(), QStringLiteral("1999"));
  EXPECT_EQ(back.genre, 17);
}

TEST_F(Id3File, RemoveCutsTheBlockAndLeavesTaglessFilesAlone) {
  const QString p = Make("b.mp3", Audio(500));
  EXPECT_TRUE(tags::RemoveTag(p));
  EXPECT_EQ(ReadAll(p), Audio(500));
  ASSERT_TRUE(tags::WriteTag(p, Sample()));
  EXPECT_TRUE(tags::RemoveTag(p));
  EXPECT_EQ(ReadAll(p), Audio(500));
}

TEST_F(Id3File, ShortFilesAreNeverReadBeforeTheirStart) {
  // "TAG" at the start, not 128 bytes before the end.
  const QString p = Make("short.mp3", QByteArray("TAG") + QByteArray(50, 'x'));
  EXPECT_EQ(tags::TagState(p), 0);
  tags::Id3Fields f;
  f.title = QStringLiteral("kept");
  EXPECT_TRUE(tags::ReadTag(p, f));
  EXPECT_EQ(f.title, QStringLiteral("kept"));
  ASSERT_TRUE(tags::WriteTag(p, Sample()));
  EXPECT_EQ(QFileInfo(p).size(), 53 + 128);
  EXPECT_TRUE(ReadAll(p).startsWith(QByteArray("TAG") + QByteArray(50, 'x')));
}

TEST_F(Id3File, NonRegularFilesAndWebAddressesAreRefused) {
  const QString fifo = Path("fifo.mp3");
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  EXPECT_EQ(tags::TagState(fifo), 2);  // returns at once: a blocking open would hang here
  tags::Id3Fields f;
  EXPECT_FALSE(tags::ReadTag(fifo, f));
  EXPECT_FALSE(tags::WriteTag(fifo, Sample()));
  EXPECT_EQ(tags::TagState(dir_.root()), 2);
  EXPECT_FALSE(tags::WriteTag(dir_.root(), Sample()));
  EXPECT_EQ(tags::TagState(QStringLiteral("/dev/zero")), 2);
  EXPECT_FALSE(tags::WriteTag(QStringLiteral("/dev/null"), Sample()));
  EXPECT_EQ(tags::TagState(Path("missing.mp3")), 2);
  EXPECT_FALSE(tags::WriteTag(Path("missing.mp3"), Sample()));
  EXPECT_FALSE(QFile::exists(Path("missing.mp3")));
  EXPECT_FALSE(tags::WriteTag(QStringLiteral("http://127.0.0.1/x.mp3"), Sample()));
}

TEST_F(Id3File, ReadOnlyFileStaysByteIdentical) {
  const QString p = Make("ro.mp3", Audio(300));
  ASSERT_TRUE(tags::WriteTag(p, Sample()));
  const QByteArray before = ReadAll(p);
  ASSERT_EQ(::chmod(QFile::encodeName(p).constData(), 0444), 0);
  if (::geteuid() != 0) {
    EXPECT_FALSE(tags::WriteTag(p, tags::Id3Fields{}));
    EXPECT_FALSE(tags::RemoveTag(p));
  } else {
    // Root writes anything: check as an unprivileged user in a child process.
    ASSERT_EQ(::chmod(QFile::encodeName(dir_.root()).constData(), 0755), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(3);
      const bool wrote = tags::WriteTag(p, tags::Id3Fields{});
      const bool removed = tags::RemoveTag(p);
      ::_exit(wrote || removed ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
  }
  EXPECT_EQ(ReadAll(p), before);
}

TEST_F(Id3File, WritesAtTheRealEndOfFilesOver4GiB) {
  const QString p = Path("big.mp3");
  constexpr qint64 kSize = (qint64{1} << 32) + 1000;
  {
    QFile f(p);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    if (!f.resize(kSize)) GTEST_SKIP() << "no sparse file of 4 GiB here";
  }
  ASSERT_TRUE(tags::WriteTag(p, Sample()));
  EXPECT_EQ(QFileInfo(p).size(), kSize + 128);
  EXPECT_EQ(tags::TagState(p), 1);
  tags::Id3Fields back;
  ASSERT_TRUE(tags::ReadTag(p, back));
  EXPECT_EQ(back.artist, QStringLiteral("Singer"));
  ASSERT_TRUE(tags::RemoveTag(p));
  EXPECT_EQ(QFileInfo(p).size(), kSize);
}

TEST(Id3Block, FieldsAreCutOrPaddedWithoutSplittingCharacters) {
  EXPECT_EQ(tags::FixedField(QString(31, QLatin1Char('a')), 30), QByteArray(30, 'a'));
  EXPECT_EQ(tags::FixedField(QStringLiteral("ab"), 30), QByteArray("ab") + QByteArray(28, ' '));
  // 29 ASCII bytes and a two-byte character: the character would straddle byte 30.
  const QString split = QString(29, QLatin1Char('x')) + QStringLiteral("中");
  EXPECT_EQ(tags::FixedField(split, 30), QByteArray(29, 'x') + ' ');
  // A four-byte GB18030 character is not cut either.
  const QString emoji = QStringLiteral("ab") + QString::fromUtf8("\xF0\x9F\x8E\xB5");
  EXPECT_EQ(tags::FixedField(emoji, 4), QByteArray("ab  "));
  EXPECT_EQ(tags::FixedField(QStringLiteral("19999"), 4), QByteArray("1999"));
  EXPECT_EQ(tags::EncodeBlock(tags::Id3Fields{}).size(), 128);
}

TEST(Id3Block, ReadingTrimsBlanksButKeepsZeroPadding) {
  QByteArray block = QByteArray("TAG") + QByteArray(125, ' ');
  block.replace(3, 6, QByteArray("  ab\0\0", 6));
  block[127] = char(200);
  const tags::Id3Fields f = tags::DecodeBlock(block);
  EXPECT_EQ(f.title, QString::fromLatin1("ab\0\0", 4));
  EXPECT_EQ(tags::ShownText(f.title), QStringLiteral("ab"));
  EXPECT_EQ(f.genre, 200);
}

TEST(Genres, NamesIndicesAndCodes) {
  EXPECT_EQ(tags::GenreName(1), QStringLiteral("Classic   Rock"));
  EXPECT_EQ(tags::GenreName(147), QStringLiteral("Synth   Pop"));
  EXPECT_EQ(tags::GenreName(255), QStringLiteral("None"));
  EXPECT_EQ(tags::GenreNames().size(), 148);
  EXPECT_EQ(tags::GenreToListIndex(60), 60);
  EXPECT_EQ(tags::GenreToListIndex(200), 148);
  EXPECT_EQ(tags::GenreFromName(QStringLiteral("Top   40")), 60);
  EXPECT_EQ(tags::GenreFromName(QStringLiteral("Top 40")), 255);
  EXPECT_EQ(tags::GenreFromName(QString()), 255);
}

// The other tag reader: Debian's python3-mutagen.
constexpr const char* kPython = "/usr/bin/python3";

bool HaveMutagen() {
  QProcess p;
  p.start(QString::fromLatin1(kPython), {QStringLiteral("-c"), QStringLiteral("import mutagen")});
  return p.waitForFinished(20000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QString RunPython(const QString& script, const QStringList& args) {
  QProcess p;
  p.start(QString::fromLatin1(kPython), QStringList{QStringLiteral("-c"), script} + args);
  p.waitForFinished(20000);
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

TEST_F(Id3File, OtherTagLibraryReadsOursAndWeReadTheirs) {
  if (!HaveMutagen()) GTEST_SKIP() << "python3-mutagen is not installed";
  const QString ours = Make("ours.mp3", Audio(2000));
  ASSERT_TRUE(tags::WriteTag(ours, Sample()));
  // mutagen decodes ID3v1 text as Latin-1 and strips blanks and zeros; compare bytes.
  const QString readOurs =
      RunPython(QStringLiteral("import sys\n"
                               "from mutagen.id3 import ParseID3v1\n"
                               "d = open(sys.argv[1], 'rb').read()[-128:]\n"
                               "t = ParseID3v1(d)\n"
                               "g = lambda k: str(t[k]).encode('latin-1').decode('gb18030')\n"
                               "print('|'.join([g('TIT2'), g('TPE1'), g('TALB'), str(t['TDRC']), "
                               "t['TCON'].genres[0]]))\n"),
                {ours});
  EXPECT_EQ(readOurs, QStringLiteral("月亮代表我的心|Singer|Album|1999|Rock"));

  const QString theirs = Make("theirs.mp3", Audio(2000));
  RunPython(QStringLiteral("import sys\n"
                           "from mutagen.id3 import MakeID3v1, TIT2, TPE1, TALB, TDRC, TCON\n"
                           "f = {'TIT2': TIT2(text=['Their title']), 'TPE1': TPE1(text=['Band']),"
                           " 'TALB': TALB(text=['LP']), 'TDRC': TDRC(text=['2004']),"
                           " 'TCON': TCON(text=['Jazz'])}\n"
                           "open(sys.argv[1], 'ab').write(MakeID3v1(f))\n"),
            {theirs});
  ASSERT_EQ(tags::TagState(theirs), 1);
  tags::Id3Fields back;
  ASSERT_TRUE(tags::ReadTag(theirs, back));
  EXPECT_EQ(tags::ShownText(back.title), QStringLiteral("Their title"));
  EXPECT_EQ(tags::ShownText(back.artist), QStringLiteral("Band"));
  EXPECT_EQ(tags::ShownText(back.album), QStringLiteral("LP"));
  EXPECT_EQ(back.year.trimmed(), QStringLiteral("2004"));
  EXPECT_EQ(back.genre, 8);
}

}  // namespace
