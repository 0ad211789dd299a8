// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist as a user meets it: the whole program on a throw-away folder, menu items
// triggered as a click would, answers scripted, and the files on disk checked afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <optional>

#include "common/gbk.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistmanager.h"
#include "support/apprun.h"

namespace {

QByteArray Config(const QByteArray& defaultList) {
  return "[playlist]\r\nlistnumber=3\r\ndefaultlist=" + defaultList +
         "\r\n[playmode]\r\ntypemode=3\r\nvolume=40\r\n";
}

QByteArray Lines(std::initializer_list<const char*> titles) {
  QByteArray out;
  for (const char* t : titles)
    out += QByteArray("\"") + t + "\",\"s\",\"00:00\",\"/m/" + t + ".mp3\"\r\n";
  return out;
}

class PlaylistJourney : public AppRun {
 protected:
  // Chooses item `caption` of the list of playlists, as a click on it would.
  static void Switch(AppContext& c, const QString& caption) {
    for (QAction* item : c.menus().Items(QStringLiteral("LList")))
      if (item->text() == caption) return item->trigger();
    ADD_FAILURE() << "no list " << caption.toStdString();
  }
  // Every file of the playlist folder, name and bytes, readable in a failure message.
  std::string Snapshot() const {
    std::string out;
    for (const QString& name : QDir(dir.Path("playlist")).entryList(QDir::Files))
      out += name.toStdString() + ": " + dir.ReadFile("playlist/" + name).toStdString() + "\n";
    return out;
  }
};

TEST_F(PlaylistJourney, FirstSwitchAfterStartLeavesEveryListAsItWas) {
  dir.WriteFile("playlist/default.lst", Lines({"one"}));
  dir.WriteFile("playlist/mine.lst", Lines({"two", "three"}));
  dir.WriteFile("playlist/other.lst", "\r\n\r\n");
  dir.WriteFile("bin/config.ini", Config("mine"));
  const auto before = Snapshot();
  auto c = Launch();
  EXPECT_EQ(c->playlists().currentName(), "mine");
  EXPECT_TRUE(c->menus().IsChecked("LList", 1));
  Switch(*c, "default");
  EXPECT_EQ(c->playlists().grid().title(1), "one");
  Switch(*c, "other");
  Switch(*c, "default");
  Switch(*c, "mine");
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(c->playlists().grid().title(2), "three");
  c->Shutdown();
  EXPECT_EQ(Snapshot(), before);
  EXPECT_TRUE(prompter.asked().isEmpty());
}

// Empty, full, missing and unreadable lists, left and entered in every order: nothing that
// was not edited changes on disk.
TEST_F(PlaylistJourney, SwitchingInEveryOrderKeepsEveryFileByteIdentical) {
  dir.WriteFile("playlist/default.lst", Lines({"one"}));
  dir.WriteFile("playlist/full.lst", Lines({"a", "b", "c"}));
  dir.WriteFile("playlist/empty.lst", "\r\n\r\n");
  dir.WriteFile("playlist/missing", "not a list");  // listed; "missing.lst" does not exist
  dir.WriteFile("playlist/utf16.lst", QByteArray("\xFF\xFE\"\0a\0\"\0,\0\"\0", 12));
  dir.WriteFile("bin/config.ini", Config("utf16"));
  const auto before = Snapshot();
  auto c = Launch();
  // Told at start-up instead of "准备就绪".
  EXPECT_EQ(StatusLine(*c), "列表编码无法识别,原文件将保留,编辑后才会保存: utf16");
  const QStringList order = {"full",    "empty",   "missing", "utf16",   "default",
                             "full",    "missing", "empty",   "utf16",   "full",
                             "default", "utf16",   "missing", "default", "empty"};
  for (const QString& name : order) {
    Switch(*c, name);
    ASSERT_EQ(c->playlists().currentName(), name);
    if (name == "utf16") {
      EXPECT_TRUE(StatusLine(*c).contains("编码无法识别")) << StatusLine(*c).toStdString();
    }
  }
  c->Shutdown();
  // The one new file: a listed name without ".lst" gets its list file at the first save.
  std::string expected = before;
  expected.insert(expected.find("utf16.lst"), "missing.lst: \n");
  EXPECT_EQ(Snapshot(), expected);
}

// A defaultlist that names no list (a path, a FIFO, a folder, a name from a file whose
// first section hides behind a byte-order mark): default.lst keeps its songs at exit.
TEST_F(PlaylistJourney, ADefaultListNamingNoListNeverEmptiesDefaultLst) {
  const QByteArray songs = Lines({"one"});
  ASSERT_EQ(mkfifo(QFile::encodeName(dir.Path("playlist/pipe.lst")).constData(), 0600), 0);
  ASSERT_TRUE(QDir().mkpath(dir.Path("playlist/folder.lst")));
  const QByteArray configs[] = {Config("../playlist/default"), Config("pipe"), Config("folder"),
                                "\xEF\xBB\xBF" + Config("nosuchlist"), Config("")};
  for (const QByteArray& config : configs) {
    dir.WriteFile("playlist/default.lst", songs);
    dir.WriteFile("bin/config.ini", config);
    auto c = Launch();
    c->Shutdown();
    EXPECT_EQ(dir.ReadFile("playlist/default.lst"), songs) << config.toStdString();
  }
}

// Lines of blanks or NULs, a line break inside a title, 300 copies of one song: every song is
// shown, one answer settles the duplicates, and the files stay as they were.
TEST_F(PlaylistJourney, BrokenLinesAndManyDuplicatesLoseNoSong) {
  const QByteArray broken = Lines({"a"}) + "   \r\n" + QByteArray(5, '\0') + "\r\n" + Lines({"b"}) +
                            "\"c\r\nc\",\"s\",\"00:00\",\"/m/c.mp3\"\r\n" + Lines({"d"});
  QByteArray dups;
  for (int k = 0; k < 300; ++k)
    dups += "\"same\",\"s\",\"00:00\",\"/m/" + QByteArray::number(k) + "\"\r\n";
  dir.WriteFile("playlist/default.lst", broken);
  dir.WriteFile("playlist/dups.lst", dups);
  auto c = Launch();
  const SongGridModel& grid = c->playlists().grid();
  QStringList titles;
  for (int row = 1; row <= 4; ++row) titles << grid.title(row) + "|" + grid.path(row);
  EXPECT_EQ(titles, QStringList({"a|/m/a.mp3", "b|/m/b.mp3", "c\r\nc|/m/c.mp3", "d|/m/d.mp3"}));
  EXPECT_TRUE(prompter.asked().isEmpty());

  prompter.QueueAnswer(PromptAnswer::CancelToAll);
  Switch(*c, "dups");
  EXPECT_EQ(prompter.asked().size(), 1);
  EXPECT_EQ(grid.path(1), "/m/0");
  c->Shutdown();
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), broken);
  EXPECT_EQ(dir.ReadFile("playlist/dups.lst"), dups);
}

// Every list command asks its question once per click.
TEST_F(PlaylistJourney, EveryListCommandRunsOncePerClick) {
  dir.WriteFile("music/a.mp3", "x");
  auto c = Launch();
  const struct {
    const char* array;
    int index;
    std::optional<QString> text;  // the input box's answer, when the command asks one
    QString path;                 // the file or folder picked, when it asks one
    QStringList kinds;            // what was asked, in order
  } clicks[] = {
      {"ALists", 1, "abc", {}, {"text"}},
      {"ALists", 1, "中文", {}, {"text", "message"}},
      {"ALists", 1, "ABC", {}, {"text", "message"}},
      {"ALists", 3, "xyz", {}, {"text"}},
      {"mnuAdds", 0, {}, dir.Path("music/a.mp3"), {"open"}},
      {"mnuAdds", 1, {}, dir.Path("music"), {"folder", "message"}},  // a.mp3 is there already
      {"mnuDels", 0, {}, {}, {"message"}},
      {"mnuDels", 1, {}, {}, {"message"}},
      {"ALists", 2, {}, {}, {"message"}},
      {"ALists", 2, {}, {}, {"message"}},  // default cannot go
      {"ALists", 3, {}, {}, {"message"}},  // only one list left
  };
  for (const auto& click : clicks) {
    prompter.ClearAsked();
    if (click.text) prompter.QueueText(click.text);
    if (!click.path.isEmpty()) prompter.QueuePath(click.path);
    Click(*c, click.array, click.index);
    QStringList kinds;
    for (const auto& asked : prompter.asked()) kinds << asked.kind;
    EXPECT_EQ(kinds, click.kinds) << click.array << "_" << click.index;
  }
  EXPECT_EQ(c->playlists().currentName(), "default");
  EXPECT_FALSE(QFile::exists(dir.Path("playlist/xyz.lst")));
  c->Shutdown();
}

// New, add file, add folder, delete a song, rename, new, delete; then a restart on the same
// folder reads every list back.
TEST_F(PlaylistJourney, EditedListsReadBackAfterARestart) {
  for (const char* name : {"a.mp3", "b.wma", ".hidden.mp3"})
    dir.WriteFile(QString("music/") + name, "x");
  {
    auto c = Launch();
    prompter.QueuePath(dir.Path("music/a.mp3"));
    Click(*c, "mnuAdds", 0);
    prompter.QueueText("Rock");
    Click(*c, "ALists", 1);
    prompter.QueuePath(dir.Path("music"));
    Click(*c, "mnuAdds", 1);
    EXPECT_EQ(c->playlists().grid().title(3), "");
    Click(*c, "mnuDels", 0);  // the selected row: the last one added
    prompter.QueueText("Jazz");
    Click(*c, "ALists", 3);
    prompter.QueueText("tmp");
    Click(*c, "ALists", 1);
    prompter.QueuePath(dir.Path("music/b.wma"));
    Click(*c, "mnuAdds", 0);
    Click(*c, "ALists", 2);
    c->Shutdown();
  }
  const QByteArray a =
      "\"a\",\"\xCE\xB4\xD6\xAA\",\"00:00\",\"" + dir.Path("music/a.mp3").toUtf8() + "\"\r\n";
  EXPECT_EQ(Snapshot(),
            "default.lst: " + a.toStdString() + "\nJazz.lst: " + a.toStdString() + "\n");
  EXPECT_TRUE(QFile::exists(dir.Path("bin/backup/playlist/tmp.lst")));

  auto again = Launch();
  QStringList captions;
  for (QAction* item : again->menus().Items("LList")) captions << item->text();
  EXPECT_EQ(captions, QStringList({"default", "Jazz"}));
  EXPECT_EQ(again->playlists().currentName(), "default");
  EXPECT_EQ(again->playlists().grid().path(1), dir.Path("music/a.mp3"));
  Switch(*again, "Jazz");
  EXPECT_EQ(again->playlists().grid().title(1), "a");
  EXPECT_EQ(again->playlists().grid().title(2), "");
  again->Shutdown();
  EXPECT_EQ(prompter.messages(), QStringList({"确认将所选歌曲从列表中删除?", "确认删除当前列表?"}));
}

}  // namespace

// A list file from another player comes in through the add menu with its relative paths made
// absolute, lands in the .lst in GBK, and goes out again as PLS.
TEST_F(PlaylistJourney, ListFilesFromOtherPlayersImportAndExport) {
  dir.WriteFile("playlist/default.lst", Lines({"one"}));
  dir.WriteFile("lists/mine.m3u8", QString::fromUtf8("#EXTM3U\n#EXTINF:269,周杰伦 - 晴天\n"
                                                     "../music/晴天.mp3\n"
                                                     "ftp://host/x.mp3\n")
                                       .toUtf8());
  dir.WriteFile("out/keep", "");
  auto c = Launch();
  prompter.QueuePath(dir.Path("lists/mine.m3u8"));
  Click(*c, "mnuAdds", 6);
  ASSERT_EQ(prompter.messages().size(), 1);  // the ftp entry was left out, and said so
  EXPECT_TRUE(prompter.messages()[0].contains("1"));
  const QString song = QDir::cleanPath(dir.Path("music/晴天.mp3"));
  const SongEntry added = c->playlists().grid().entry(2);
  EXPECT_EQ(added.title, QString::fromUtf8("晴天"));
  EXPECT_EQ(added.singer, QString::fromUtf8("周杰伦"));
  EXPECT_EQ(added.duration, "04:29");
  EXPECT_EQ(added.path, song);
  EXPECT_TRUE(dir.ReadFile("playlist/default.lst").contains(common::EncodeGbk(song)));

  prompter.ClearAsked();
  prompter.QueuePath(dir.Path("out/all"));  // no suffix: written as .m3u8
  Click(*c, "mnuAdds", 7);
  prompter.QueuePath(dir.Path("out/all.pls"));
  Click(*c, "mnuAdds", 7);
  EXPECT_TRUE(prompter.messages().isEmpty());
  EXPECT_EQ(QString::fromUtf8(dir.ReadFile("out/all.pls")),
            "[playlist]\nFile1=/m/one.mp3\nTitle1=s - one\nLength1=-1\nFile2=" + song +
                QString::fromUtf8("\nTitle2=周杰伦 - 晴天\nLength2=269\n") +
                "NumberOfEntries=2\nVersion=2\n");
  EXPECT_TRUE(dir.ReadFile("out/all.m3u8").startsWith("#EXTM3U\n#EXTINF:-1,s - one\n"));

  prompter.ClearAsked();
  prompter.QueuePath(dir.Path("out"));  // a folder is never read as a list
  Click(*c, "mnuAdds", 6);
  EXPECT_EQ(prompter.messages().size(), 1);
  EXPECT_EQ(c->playlists().grid().title(3), "");
  c->Shutdown();
}
