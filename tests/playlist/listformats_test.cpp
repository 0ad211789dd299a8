// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/listformats.h"

#include <gtest/gtest.h>

#include <QDir>

#include "common/gbk.h"
#include "playlist/lstfile.h"
#include "support/tempappdir.h"

namespace {

using playlist::ListRead;

SongEntry Song(const char* title, const char* singer, const char* duration, const QString& path) {
  return {QString(), QString::fromUtf8(title), QString::fromUtf8(singer),
          QString::fromUtf8(duration), path};
}

void ExpectSameSongs(const std::vector<SongEntry>& want, const std::vector<SongEntry>& got) {
  ASSERT_EQ(want.size(), got.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(want[i].title, got[i].title) << i;
    EXPECT_EQ(want[i].singer, got[i].singer) << i;
    EXPECT_EQ(want[i].duration, got[i].duration) << i;
    EXPECT_EQ(want[i].path, got[i].path) << i;
  }
}

TEST(ListFormatsTest, M3uEntriesResolveAgainstTheListFolderAndKeepOnlyPlayableAddresses) {
  const QString text = QString::fromUtf8(
      "\xEF\xBB\xBF#EXTM3U\r\n"
      "#EXTINF:215,周杰伦 - 晴天\r\n"
      "music/晴天.mp3\r\n"
      "#EXTINF:-1 tvg-id=\"x\",Radio One\r\n"
      "http://127.0.0.1/live\r\n"
      "#EXTINF:10,dropped with its line\r\n"
      "javascript://alert\r\n"
      "../other/song.wma\r\n"
      "file:///srv/a%20b.mp3\r\n"
      "#EXTINF:61.6,Windows\r\n"
      "sub\\dir\\w.mp3\r\n"
      ":/icons/x.png\r\n");
  const playlist::ParsedList got = playlist::ParseM3u(text, "/home/u/lists");
  ExpectSameSongs({Song("晴天", "周杰伦", "03:35", "/home/u/lists/music/晴天.mp3"),
                   Song("Radio One", "未知", "00:00", "http://127.0.0.1/live"),
                   Song("song", "未知", "00:00", "/home/u/other/song.wma"),
                   Song("a b", "未知", "00:00", "/srv/a b.mp3"),
                   Song("Windows", "未知", "01:02", "/home/u/lists/sub/dir/w.mp3"),
                   Song("x", "未知", "00:00", "/home/u/lists/:/icons/x.png")},
                  got.songs);
  EXPECT_EQ(got.skipped, 1);
}

TEST(ListFormatsTest, PlsReadsEntriesInIndexOrderWhateverTheKeyCase) {
  const QString text = QString::fromUtf8(
      "[other]\nFile1=/not/this.mp3\n"
      "[Playlist]\n"
      "numberofentries=3\n"
      "File2=/b.mp3\nTitle2=张学友 - 吻别\nLength2=300\n"
      "file1=a.ogg\n"
      "FILE3=ftp://host/x.mp3\nTitle3=gone\n"
      "Title4=no file\n"
      "File+5=/bad/key.mp3\n");
  const playlist::ParsedList got = playlist::ParsePls(text, "/lists");
  ExpectSameSongs(
      {Song("a", "未知", "00:00", "/lists/a.ogg"), Song("吻别", "张学友", "05:00", "/b.mp3")},
      got.songs);
  EXPECT_EQ(got.skipped, 2);  // the ftp address and the entry with a title only
}

TEST(ListFormatsTest, ExportLeavesOutBlankRowsAndPathsThatWouldSplitALine) {
  const std::vector<SongEntry> songs = {
      Song("晴天", "未知", "00:00", "/m/晴天.mp3"), Song("  ", "x", "00:00", "/m/blank.mp3"),
      Song("evil", "x", "00:01", "/m/a\n#EXTINF:1,b\n/etc/passwd"),
      Song("t, with comma", "s", "1:05", "https://h/s%1%0A")};
  int skipped = -1;
  EXPECT_EQ(playlist::FormatM3u(songs, &skipped),
            QString::fromUtf8("#EXTM3U\n#EXTINF:-1,晴天\n/m/晴天.mp3\n"
                              "#EXTINF:65,s - t, with comma\nhttps://h/s%1%0A\n"));
  EXPECT_EQ(skipped, 1);
  EXPECT_EQ(playlist::FormatPls(songs, &skipped),
            QString::fromUtf8("[playlist]\nFile1=/m/晴天.mp3\nTitle1=晴天\nLength1=-1\n"
                              "File2=https://h/s%1%0A\nTitle2=s - t, with comma\nLength2=65\n"
                              "NumberOfEntries=2\nVersion=2\n"));
  EXPECT_EQ(skipped, 1);
}

// A list goes out to M3U or PLS and comes back the same, also through the program's own .lst.
TEST(ListFormatsTest, ChineseListsRoundTripThroughEveryFormatAndEncoding) {
  TempAppDir dir;
  const std::vector<SongEntry> songs = {
      Song("晴天", "周杰伦", "04:29", dir.Path("歌/晴天.mp3")),
      Song("吻别", "未知", "00:00", "http://127.0.0.1:8080/吻别.mp3")};
  for (const char* name : {"a.m3u", "a.m3u8", "a.pls", "A.PLS"}) {
    SCOPED_TRACE(name);
    const QString path = dir.Path(name);
    ASSERT_TRUE(playlist::WriteListFile(path, songs));
    const ListRead back = playlist::ReadListFile(path);
    ASSERT_EQ(back.status, ListRead::Status::Ok);
    ExpectSameSongs(songs, back.songs);
    const QString lst = dir.Path("a.lst");
    ASSERT_TRUE(playlist::WriteLstFile(lst, back.songs, dir.Path("bak")));
    ExpectSameSongs(songs, playlist::ReadLstFile(lst).records);
  }
  // .m3u goes out in GBK, the others in UTF-8.
  EXPECT_TRUE(dir.ReadFile("a.m3u").contains(common::EncodeGbk("周杰伦")));
  EXPECT_TRUE(dir.ReadFile("a.m3u8").contains(QString::fromUtf8("周杰伦").toUtf8()));

  // A UTF-8 .m3u from another player reads as UTF-8, a GBK one as GBK.
  const QString body = QString::fromUtf8("#EXTINF:269,周杰伦 - 晴天\n歌/晴天.mp3\n");
  for (const QByteArray& bytes : {body.toUtf8(), common::EncodeGbk(body)}) {
    dir.WriteFile("other.m3u", bytes);
    const ListRead back = playlist::ReadListFile(dir.Path("other.m3u"));
    ExpectSameSongs({songs[0]}, back.songs);
  }
}

TEST(ListFormatsTest, OnlyRegularListFilesAreRead) {
  TempAppDir dir;
  ASSERT_TRUE(QDir(dir.root()).mkdir("folder.m3u"));
  EXPECT_EQ(playlist::ReadListFile(dir.Path("folder.m3u")).status, ListRead::Status::NotAFile);
  EXPECT_EQ(playlist::ReadListFile(dir.Path("missing.pls")).status, ListRead::Status::Unreadable);
  EXPECT_EQ(playlist::ReadListFile(dir.Path("a.txt")).status, ListRead::Status::UnknownFormat);
  EXPECT_FALSE(playlist::WriteListFile(dir.Path("a.txt"), {}));
}

}  // namespace
