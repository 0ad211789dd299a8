// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistmanager.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QThreadPool>

#include "common/gbk.h"
#include "playlist/lstfile.h"
#include "playlist/playlistfixture.h"

namespace {

QByteArray Gbk(const char* utf8) {
  return common::EncodeGbk(QString::fromUtf8(utf8));
}

class PlaylistManagerTest : public PlaylistFixture {
 protected:
  void SetUp() override {
    lists.SetSaveConfig([this] { ++configSaves; });
  }
  QStringList Captions() const {
    QStringList out;
    for (QAction* a : menus.Items("LList")) out << a->text();
    return out;
  }
  QStringList Titles() const {
    QStringList out;
    for (int r = 1; r < grid.rows(); ++r)
      if (!grid.title(r).isEmpty()) out << grid.title(r);
    return out;
  }
  int configSaves = 0;
};

TEST_F(PlaylistManagerTest, ThreeSongsGiveTwentyRowsAndBlankLinesGoAtTheNextChange) {
  dir.WriteFile("playlist/default.lst",
                Gbk("\"月亮\",\"歌手甲\",\"03:07\",\"/m/a.mp3\"\r\n\r\n"
                    "\"  \",\"x\",\"00:00\",\"/m/blank.mp3\"\r\n"
                    "b,  未知 ,00:00,/m/b.mp3\r\n"
                    "\"c, with comma\",\"未知\",\"00:00\",\"http://h/c.mp3\"\r\n"));
  Start();
  EXPECT_EQ(grid.rows(), 20);
  EXPECT_EQ(Titles(), QStringList({"月亮", "b", "c, with comma"}));
  EXPECT_EQ(grid.cell(2, 0), "002");
  EXPECT_EQ(grid.cell(2, 2), "未知");
  EXPECT_EQ(grid.path(3), "http://h/c.mp3");
  EXPECT_TRUE(prompter.asked().isEmpty());
  const QByteArray before = dir.ReadFile("playlist/default.lst");
  grid.SetRowColor(2, QColor(255, 0, 0));  // colours are not stored
  lists.SaveList();                        // nothing changed: the file keeps its blank lines
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), before);
  lists.AddSongRow("d", "s", "00:00", "/m/d.mp3");
  lists.SaveList();
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"),
            Gbk("\"月亮\",\"歌手甲\",\"03:07\",\"/m/a.mp3\"\r\n"
                "\"b\",\"未知\",\"00:00\",\"/m/b.mp3\"\r\n"
                "\"c, with comma\",\"未知\",\"00:00\",\"http://h/c.mp3\"\r\n"
                "\"d\",\"s\",\"00:00\",\"/m/d.mp3\"\r\n"));
}

TEST_F(PlaylistManagerTest, DuplicateWhileLoadingAsksAndKeepsTheFileBeingRead) {
  const QByteArray file =
      "\"same\",\"s\",\"00:00\",\"/first.mp3\"\r\n\"other\",\"s\",\"00:00\",\"/o.mp3\"\r\n"
      "\"same\",\"s\",\"00:00\",\"/second.mp3\"\r\n\"last\",\"s\",\"00:00\",\"/l.mp3\"\r\n";
  dir.WriteFile("playlist/default.lst", file);
  prompter.QueueAnswer(PromptAnswer::Cancel);
  Start();
  ASSERT_EQ(prompter.asked().size(), 1);
  const PromptMessage& m = prompter.asked()[0].message;
  EXPECT_EQ(m.title, "添加歌曲重复,请选择...");
  EXPECT_EQ(m.text,
            "添加的歌曲与本列表中现有歌曲重复!\r\n替换原有链接请点击确定,否则点取消\r\n"
            "原有链接:/first.mp3\r\n当前链接:/second.mp3");
  EXPECT_EQ(m.buttons, PromptButtons::OkCancelToAll);
  EXPECT_EQ(Titles(), QStringList({"same", "other", "last"}));
  EXPECT_EQ(grid.path(1), "/first.mp3");
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), file);

  prompter.QueueAnswer(PromptAnswer::Ok);
  grid.SetRowColor(1, QColor(255, 0, 0));
  lists.LoadLST();
  EXPECT_EQ(grid.path(1), "/second.mp3");
  EXPECT_EQ(Titles(), QStringList({"same", "other", "last"}));
  // The save waits for the end of the file: every song is still there.
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"),
            "\"same\",\"s\",\"00:00\",\"/second.mp3\"\r\n\"other\",\"s\",\"00:00\",\"/o.mp3\"\r\n"
            "\"last\",\"s\",\"00:00\",\"/l.mp3\"\r\n");
  EXPECT_EQ(grid.rowColor(1), QColor(76, 97, 143));
}

TEST_F(PlaylistManagerTest, SameTitleOtherPathIsADuplicateAndBlankRowsGoFirst) {
  Start();
  EXPECT_TRUE(lists.AddSongRow("a", "未知", "00:00", "/a.mp3"));
  EXPECT_TRUE(lists.AddSongRow("b", "未知", "00:00", "/b.mp3"));
  EXPECT_FALSE(lists.AddSongRow("x", "未知", "00:00", ""));
  prompter.QueueAnswer(PromptAnswer::Cancel);
  EXPECT_FALSE(lists.AddSongRow("b", "未知", "00:00", "/other.mp3"));
  EXPECT_EQ(grid.selectedRow(), 2);
  EXPECT_FALSE(lists.AddSongRow("c", "未知", "00:00", " /a.mp3 "));
  EXPECT_EQ(prompter.asked().size(), 2);
  EXPECT_TRUE(lists.AddSongRow("c", "未知", "00:00", "/c.mp3"));
  EXPECT_EQ(grid.cell(3, 0), "003");
  EXPECT_EQ(grid.title(4), "");
  EXPECT_EQ(grid.rows(), 20);
}

TEST_F(PlaylistManagerTest, FolderListingCapitalsAndOtherFiles) {
  dir.WriteFile("playlist/Rock.lst", "\"r\",\"s\",\"00:00\",\"/r.mp3\"\r\n");
  dir.WriteFile("playlist/notes.txt", "hello");
  Start("notes.txt");
  EXPECT_EQ(Captions(), QStringList({"default", "notes.txt", "Rock"}));
  EXPECT_EQ(lists.currentName(), "notes.txt");
  EXPECT_EQ(Titles(), QStringList());
  lists.AddSongRow("n", "未知", "00:00", "/n.mp3");
  lists.SaveList();
  EXPECT_EQ(dir.ReadFile("playlist/notes.txt"), "hello");
  EXPECT_EQ(dir.ReadFile("playlist/notes.txt.lst"), Gbk("\"n\",\"未知\",\"00:00\",\"/n.mp3\"\r\n"));

  lists.MarkCurrent("rock");  // defaultlist matches exactly or not at all
  EXPECT_EQ(menus.FirstChecked("LList"), -1);
  lists.LoadLST();
  EXPECT_EQ(Titles(), QStringList());
  lists.AddSongRow("d", "未知", "00:00", "/d.mp3");
  lists.SaveList();  // nothing checked: an empty default.lst takes the rows
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), Gbk("\"d\",\"未知\",\"00:00\",\"/d.mp3\"\r\n"));

  // default.lst comes back when it is missing, but the folder is never made for it.
  QFile::remove(dir.Path("playlist/default.lst"));
  EXPECT_TRUE(lists.EnsureDefaultList());
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), "\r\n");
  QDir(dir.Path("playlist")).removeRecursively();
  EXPECT_FALSE(lists.EnsureDefaultList());
  EXPECT_FALSE(QFileInfo::exists(dir.Path("playlist")));
}

// With no list current, the grid was never loaded from default.lst: once that file holds
// songs, no save replaces them, whatever the grid holds.
TEST_F(PlaylistManagerTest, AGridNotLoadedFromAListNeverReplacesItsSongs) {
  const QByteArray songs = "\"one\",\"s\",\"00:00\",\"/one.mp3\"\r\n";
  dir.WriteFile("playlist/default.lst", songs);
  QSignalSpy status(&lists, &PlaylistManager::StatusText);
  Start("../default");
  EXPECT_EQ(lists.currentName(), "");
  EXPECT_FALSE(lists.SaveList());  // empty grid
  lists.AddSongRow("n", "s", "00:00", "/n.mp3");
  EXPECT_FALSE(lists.SaveList());
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), songs);
  ASSERT_EQ(status.size(), 2);
  EXPECT_EQ(status[0][0].toString(), "当前列表未加载,不覆盖已有歌曲的列表: default");
}

// Lists that cannot be read or written as asked: nothing is lost and the status line says why.
TEST_F(PlaylistManagerTest, ListsThatCannotBeReadOrWrittenAreToldAndLeftAlone) {
  QSignalSpy status(&lists, &PlaylistManager::StatusText);
  const QString listDir = dir.Path("playlist/");
  ASSERT_EQ(mkfifo(QFile::encodeName(listDir + "fifo.lst").constData(), 0600), 0);
  ASSERT_TRUE(QDir().mkpath(listDir + "folder.lst"));
  dir.WriteFile("playlist/fifo", "");
  dir.WriteFile("playlist/folder", "");
  dir.WriteFile("outside.lst", "\"o\",\"s\",\"00:00\",\"/o.mp3\"\r\n");
  ASSERT_TRUE(QFile::link(dir.Path("outside.lst"), listDir + "away.lst"));
  dir.WriteFile("playlist/bad.lst", "\"a\",\"s\",\"00:00\",\"/a.mp3\"\r\n\"broken\r\n");
  const struct {
    const char* list;
    const char* loadText;  // "" when the list loads quietly
    const char* saveText;
  } cases[] = {
      {"fifo", "列表文件无法读取(不是普通文件): ", "列表文件不是普通文件,未保存: "},
      {"folder", "列表文件无法读取(不是普通文件): ", "列表文件不是普通文件,未保存: "},
      {"away", "", "列表文件是指向别处的链接,为安全起见不保存: "},
  };
  Start("default");
  for (const auto& c : cases) {
    status.clear();
    lists.MarkCurrent(c.list);
    lists.LoadLST();
    const QString file = listDir + c.list + ".lst";
    if (*c.loadText) {
      ASSERT_EQ(status.size(), 1) << c.list;
      EXPECT_EQ(status[0][0].toString(), c.loadText + file);
    }
    status.clear();
    lists.AddSongRow("n", "s", "00:00", "/n.mp3");
    EXPECT_FALSE(lists.SaveList()) << c.list;
    ASSERT_EQ(status.size(), 1) << c.list;
    EXPECT_EQ(status[0][0].toString(), c.saveText + file);
  }
  EXPECT_EQ(dir.ReadFile("outside.lst"), "\"o\",\"s\",\"00:00\",\"/o.mp3\"\r\n");
  EXPECT_TRUE(QFileInfo(listDir + "folder.lst").isDir());

  // A list with a line it could not read: left as it is until an edit, then backed up first.
  const QByteArray bad = dir.ReadFile("playlist/bad.lst");
  status.clear();
  lists.MarkCurrent("bad");
  lists.LoadLST();
  ASSERT_EQ(status.size(), 1);
  EXPECT_EQ(status[0][0].toString(), "列表中有1行无法读取,原文件将保留,编辑后才会保存: bad");
  grid.SetCell(1, 3, "03:00");  // what playback fills in is not an edit of the user's
  EXPECT_FALSE(lists.SaveList());
  EXPECT_EQ(dir.ReadFile("playlist/bad.lst"), bad);
  lists.AddSongRow("n", "s", "00:00", "/n.mp3");
  EXPECT_TRUE(lists.SaveList());
  EXPECT_EQ(dir.ReadFile("bin/backup/playlist/bad.lst"), bad);
  EXPECT_EQ(dir.ReadFile("playlist/bad.lst"),
            "\"a\",\"s\",\"03:00\",\"/a.mp3\"\r\n\"n\",\"s\",\"00:00\",\"/n.mp3\"\r\n");
}

// Hundreds of duplicates: one answer can settle the rest of the load.
TEST_F(PlaylistManagerTest, DuplicateQuestionCanAnswerTheRestAtOnce) {
  QByteArray file;
  for (int k = 0; k < 301; ++k)
    file += "\"same\",\"s\",\"00:00\",\"/" + QByteArray::number(k) + "\"\r\n";
  dir.WriteFile("playlist/default.lst", file);
  for (const PromptAnswer answer : {PromptAnswer::OkToAll, PromptAnswer::CancelToAll}) {
    prompter.ClearAsked();
    prompter.QueueAnswer(PromptAnswer::Cancel);
    prompter.QueueAnswer(answer);
    Start();
    EXPECT_EQ(prompter.asked().size(), 2);
    EXPECT_EQ(grid.path(1), answer == PromptAnswer::OkToAll ? "/300" : "/0");
    // The next command asks again.
    prompter.ClearAsked();
    prompter.QueueAnswer(PromptAnswer::Cancel);
    lists.AddSongRow("same", "s", "00:00", "/new");
    EXPECT_EQ(prompter.asked().size(), 1);
    dir.WriteFile("playlist/default.lst", file);
  }
}

TEST_F(PlaylistManagerTest, SwitchingByTheMenuSavesTheListBeingLeftUnderItsOwnName) {
  dir.WriteFile("playlist/aaa.lst", "\"a\",\"s\",\"00:00\",\"/a.mp3\"\r\n");
  Start("default");
  lists.AddSongRow("d", "未知", "00:00", "/d.mp3");
  // A click on a checkable item toggles its mark before the command sees it.
  menus.Item("LList", 0)->setChecked(true);
  lists.LList_Click(0);
  EXPECT_EQ(dir.ReadFile("playlist/aaa.lst"), "\"a\",\"s\",\"00:00\",\"/a.mp3\"\r\n");
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), Gbk("\"d\",\"未知\",\"00:00\",\"/d.mp3\"\r\n"));
  EXPECT_EQ(Titles(), QStringList({"a"}));
  EXPECT_EQ(config.currentList, "aaa");
  EXPECT_EQ(configSaves, 1);
  menus.Item("LList", 0)->setChecked(false);  // clicking the current list unchecks it first
  lists.LList_Click(0);
  EXPECT_EQ(lists.currentName(), "aaa");
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), Gbk("\"d\",\"未知\",\"00:00\",\"/d.mp3\"\r\n"));
}

// Every list below goes through the worker, as a list of 100,000 songs does.
class PlaylistWorkerLoadTest : public PlaylistManagerTest {
 protected:
  void SetUp() override {
    PlaylistManagerTest::SetUp();
    lists.SetAsyncLoadBytes(0);
  }
  // Runs the loop until the current load has applied, then lets any dropped one finish too.
  void FinishLoads(QSignalSpy& loaded) {
    if (loaded.isEmpty()) {
      ASSERT_TRUE(loaded.wait(5000));
    }
    QThreadPool::globalInstance()->waitForDone();
    QCoreApplication::processEvents();
  }
};

TEST_F(PlaylistWorkerLoadTest, RowsArriveInOneStepAndSongsAddedMeanwhileJoinThem) {
  const QByteArray file =
      "\"a\",\"s\",\"01:00\",\"/a.mp3\"\r\n\r\n\"  \",\"x\",\"00:00\",\"/blank.mp3\"\r\n"
      "\"b\",\"s\",\"02:00\",\"/b.mp3\"\r\n";
  dir.WriteFile("playlist/default.lst", file);
  QSignalSpy loaded(&lists, &PlaylistManager::ListLoaded);
  Start();
  ASSERT_TRUE(lists.loadPending());
  EXPECT_EQ(grid.rows(), 20);
  EXPECT_TRUE(Titles().isEmpty());
  // The grid holds no list yet: a save now would empty the file.
  EXPECT_FALSE(lists.SaveList());
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), file);
  lists.AddSongRow("c", "s", "03:00", "/c.mp3");
  FinishLoads(loaded);
  EXPECT_FALSE(lists.loadPending());
  EXPECT_EQ(loaded.size(), 1);
  EXPECT_EQ(Titles(), QStringList({"a", "b", "c"}));
  EXPECT_EQ(grid.cell(2, 0), "002");
  EXPECT_EQ(grid.cell(3, 0), "003");
  EXPECT_EQ(grid.selectedRow(), 3);
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"),
            "\"a\",\"s\",\"01:00\",\"/a.mp3\"\r\n\"b\",\"s\",\"02:00\",\"/b.mp3\"\r\n"
            "\"c\",\"s\",\"03:00\",\"/c.mp3\"\r\n");

  // Without a change the list read on the worker is left alone, blank lines and all.
  dir.WriteFile("playlist/default.lst", file);
  loaded.clear();
  lists.LoadLST();
  FinishLoads(loaded);
  EXPECT_EQ(Titles(), QStringList({"a", "b"}));
  EXPECT_TRUE(lists.SaveList());
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), file);
}

TEST_F(PlaylistWorkerLoadTest, ALaterListWinsAndDuplicatesStillAsk) {
  const QByteArray aaa = "\"a\",\"s\",\"00:00\",\"/a.mp3\"\r\n";
  const QByteArray bbb =
      "\"same\",\"s\",\"00:00\",\"/1.mp3\"\r\n\"same\",\"s\",\"00:00\",\"/2.mp3\"\r\n"
      "\"b\",\"s\",\"00:00\",\"/b.mp3\"\r\n";
  dir.WriteFile("playlist/aaa.lst", aaa);
  dir.WriteFile("playlist/bbb.lst", bbb);
  QSignalSpy loaded(&lists, &PlaylistManager::ListLoaded);
  Start("aaa");
  ASSERT_TRUE(lists.loadPending());
  // The user picks another list before the first has arrived.
  prompter.QueueAnswer(PromptAnswer::Cancel);
  lists.LList_Click(1);
  ASSERT_EQ(lists.currentName(), "bbb");
  FinishLoads(loaded);
  EXPECT_EQ(loaded.size(), 1);
  EXPECT_EQ(Titles(), QStringList({"same", "b"}));
  EXPECT_EQ(grid.path(1), "/1.mp3");
  ASSERT_EQ(prompter.asked().size(), 1);
  EXPECT_EQ(prompter.asked()[0].message.title, "添加歌曲重复,请选择...");
  EXPECT_EQ(dir.ReadFile("playlist/aaa.lst"), aaa);
  EXPECT_EQ(dir.ReadFile("playlist/bbb.lst"), bbb);
}

TEST_F(PlaylistManagerTest, BackgroundSavesLandInOrderAndALoadReadsAfterThem) {
  lists.SetAsyncSaveRows(0);
  const QByteArray file = "\"a\",\"s\",\"00:00\",\"/a.mp3\"\r\n";
  dir.WriteFile("playlist/default.lst", file);
  Start();
  QSignalSpy written(&lists, &PlaylistManager::ListWritten);
  EXPECT_TRUE(lists.SaveList());  // unchanged: nothing is queued
  grid.SetCell(1, 2, "one");
  EXPECT_TRUE(lists.SaveList());
  grid.SetCell(1, 2, "two");
  EXPECT_TRUE(lists.SaveList());
  // The list is read again while both writes may still be queued: it sees the last one.
  lists.LoadLST();
  lists.FinishWrites();
  QSignalSpy loaded(&lists, &PlaylistManager::ListLoaded);
  if (lists.loadPending()) {
    ASSERT_TRUE(loaded.wait(5000));
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), "\"a\",\"two\",\"00:00\",\"/a.mp3\"\r\n");
  EXPECT_EQ(grid.cell(1, 2), "two");
  ASSERT_EQ(written.size(), 2);
  EXPECT_TRUE(written[1][0].toBool());
  // Once written, the list counts as unchanged again.
  EXPECT_TRUE(lists.SaveList());
  lists.FinishWrites();
  QCoreApplication::processEvents();
  EXPECT_EQ(written.size(), 2);

  // Deleting a changed list: the write its switch queued does not bring the file back.
  dir.WriteFile("playlist/bbb.lst", file);
  lists.BuildListMenu();
  lists.LList_Click(0);
  ASSERT_EQ(lists.currentName(), "bbb");
  grid.SetCell(1, 2, "changed");
  lists.DeleteList();
  lists.FinishWrites();
  QCoreApplication::processEvents();
  EXPECT_EQ(lists.currentName(), "default");
  EXPECT_FALSE(QFileInfo::exists(dir.paths().playlistDir() + "bbb.lst"));
}

TEST_F(PlaylistManagerTest, NewListKeepsCapitalsAndRefusesBadOrTakenNames) {
  Start();
  lists.AddSongRow("a", "未知", "00:00", "/a.mp3");
  prompter.QueueText(QStringLiteral("  MyList2 "));
  lists.ALists_Click(playlist::ListsItem::New);
  EXPECT_EQ(Captions(), QStringList({"default", "MyList2"}));
  EXPECT_EQ(lists.currentName(), "MyList2");
  EXPECT_EQ(config.currentList, "MyList2");
  EXPECT_EQ(configSaves, 1);
  EXPECT_EQ(dir.ReadFile("playlist/MyList2.lst"), "\r\n\r\n");
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), Gbk("\"a\",\"未知\",\"00:00\",\"/a.mp3\"\r\n"));
  EXPECT_EQ(prompter.asked()[0].message.title, "新建列表");
  EXPECT_EQ(prompter.asked()[0].message.text,
            "请输入列表名称,中文输入将不被接受.\r\n可用字符为:大小写英文字母以及数字.");

  const std::pair<const char*, const char*> cases[] = {
      {"mylist2", "列表名称已存在,创建失败!"},
      {"我的", "考虑兼容性问题,列表名称请不要使用中文或符号"},
      {"a-b", "考虑兼容性问题,列表名称请不要使用中文或符号"},
      {"   ", nullptr}};
  for (const auto& [typed, message] : cases) {
    prompter.ClearAsked();
    prompter.QueueText(QString::fromUtf8(typed));
    lists.NewList();
    EXPECT_EQ(Captions().size(), 2) << typed;
    EXPECT_EQ(prompter.messages(),
              message ? QStringList{QString::fromUtf8(message)} : QStringList())
        << typed;
    if (message) {
      EXPECT_EQ(prompter.asked().last().message.title, "Error");
    }
  }
}

TEST_F(PlaylistManagerTest, DeletingEntryZeroLeavesASurvivorLoadedAndItsFileUntouched) {
  dir.WriteFile("playlist/aaa.lst", "\"gone\",\"s\",\"00:00\",\"/gone.mp3\"\r\n");
  dir.WriteFile("playlist/zzz.lst", "\"kept\",\"s\",\"00:00\",\"/kept.mp3\"\r\n");
  Start("aaa");
  ASSERT_EQ(Captions(), QStringList({"aaa", "default", "zzz"}));
  lists.ALists_Click(playlist::ListsItem::Delete);
  EXPECT_EQ(prompter.messages(), QStringList({"确认删除当前列表?"}));
  EXPECT_FALSE(QFile::exists(dir.Path("playlist/aaa.lst")));
  EXPECT_TRUE(QFile::exists(dir.Path("bin/backup/playlist/aaa.lst")));
  EXPECT_EQ(Captions(), QStringList({"zzz", "default"}));
  EXPECT_EQ(lists.currentName(), "default");
  EXPECT_EQ(config.currentList, "default");
  lists.SaveList();
  EXPECT_EQ(dir.ReadFile("playlist/zzz.lst"), "\"kept\",\"s\",\"00:00\",\"/kept.mp3\"\r\n");
  EXPECT_FALSE(dir.ReadFile("playlist/default.lst").contains("gone"));

  // The last two checks: "default" and the only list cannot go.
  prompter.ClearAsked();
  lists.DeleteList();
  EXPECT_EQ(prompter.messages(), QStringList({"不能删除默认列表!"}));
}

TEST_F(PlaylistManagerTest, RenameNeedsTwoListsAndRefusesACaseOnlyChange) {
  Start();
  lists.RenameList();
  EXPECT_EQ(prompter.messages(), QStringList({"不能修改默认列表名!"}));
  dir.WriteFile("playlist/abc.lst", "\r\n");
  lists.BuildListMenu();
  lists.LList_Click(0);
  prompter.ClearAsked();
  prompter.QueueText(QStringLiteral("ABC"));
  lists.RenameList();
  EXPECT_EQ(prompter.asked()[0].message.text,
            "请为列表'abc'输入新名称,中文输入将不被接受.可用字符为:大小写英文字母以及数字.");
  EXPECT_EQ(prompter.messages(), QStringList({"列表名称已存在,创建失败!"}));
  prompter.QueueText(QStringLiteral("Songs"));
  lists.RenameList();
  EXPECT_EQ(Captions(), QStringList({"Songs", "default"}));
  EXPECT_TRUE(QFile::exists(dir.Path("playlist/Songs.lst")));
  EXPECT_EQ(config.currentList, "Songs");
}

TEST(LstFile, QuotesAndLineBreaksNeverShiftFields) {
  const SongEntry song{{}, "say \"hi\"", "a\r\nb", "00:00", "/p,\"q\".mp3"};
  const auto back = playlist::ParseLst(playlist::FormatLst({song, song})).records;
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].title, "say ＂hi＂");
  EXPECT_EQ(back[1].singer, "a  b");
  EXPECT_EQ(back[1].duration, "00:00");
  EXPECT_EQ(back[1].path, "/p,＂q＂.mp3");
}

// Each line is read on its own: whatever is wrong with one line, the songs of the others come
// back whole, and the lines that gave no whole record are counted.
TEST(LstFile, EveryLineKeepsItsOwnRecords) {
  const QString a = "\"a\",\"s\",\"00:00\",\"/a\"";
  const QString b = "\"b\",\"s\",\"00:00\",\"/b\"";
  const struct {
    const char* name;
    QString text;
    QStringList titles;
    int badLines;
  } cases[] = {
      {"blank line", a + "\r\n     \r\n" + b + "\r\n", {"a", "b"}, 0},
      {"NUL line", a + "\r\n" + QString(6, QChar(0)) + "\r\n" + b, {"a", "b"}, 0},
      {"short line", "\"t\",\"s\"\n" + a + "\r" + b, {"a", "b"}, 1},
      {"two records on a line", a + "," + b + "\r\n", {"a", "b"}, 0},
      {"a part left over", a + ",\"x\"\r\n" + b, {"a", "b"}, 1},
      {"CR LF inside a title", "\"x\r\ny\",\"s\",\"00:00\",\"/xy\"\r\n" + b, {"x\r\ny", "b"}, 0},
      {"unclosed quote", "\"x,\"s\",\"00:00\"\r\n" + a + "\r\n" + b, {"a", "b"}, 1},
      {"NUL inside a field",
       "\"x" + QString(QChar(0)) + "\",\"s\",\"00:00\",\"/x\"\r\n" + a,
       {"a"},
       1},
  };
  for (const auto& c : cases) {
    const playlist::ParsedLst parsed = playlist::ParseLst(c.text);
    QStringList titles;
    for (const SongEntry& e : parsed.records) titles << e.title;
    EXPECT_EQ(titles, c.titles) << c.name;
    EXPECT_EQ(parsed.badLines, c.badLines) << c.name;
  }
}

TEST(LstFile, GbkWinsUnlessTheBytesSayUtf8) {
  TempAppDir dir;
  const std::pair<QByteArray, const char*> cases[] = {
      {Gbk("\"t\",\"未知\",\"00:00\",\"/p\""), "未知"},  // also valid UTF-8
      {Gbk("\"t\",\"視\",\"00:00\",\"/p\""), "視"},      // likewise, beyond GB2312
      {"\xEF\xBB\xBF\"t\",\"\xE6\x9C\xAA\",\"00:00\",\"/p\"", "未"},
      {"\"t\",\"\xE6\x9C\xAA\xE7\x9F\xA5\xE7\x9A\x84\",\"00:00\",\"/p\"", "未知的"}};
  for (const auto& [bytes, singer] : cases) {
    dir.WriteFile("playlist/x.lst", bytes);
    const auto read = playlist::ReadLstFile(dir.Path("playlist/x.lst"));
    ASSERT_TRUE(read.clean() && read.records.size() == 1u) << singer;
    EXPECT_EQ(read.records[0].singer, QString::fromUtf8(singer));
  }
  using Status = playlist::LstRead::Status;
  EXPECT_EQ(playlist::ReadLstFile("/dev/zero").status, Status::NotAFile);
  EXPECT_EQ(playlist::ReadLstFile(dir.Path("playlist")).status, Status::NotAFile);
  EXPECT_EQ(playlist::ReadLstFile(dir.Path("playlist/none.lst")).status, Status::Missing);
  EXPECT_TRUE(playlist::ReadLstFile(dir.Path("playlist/none.lst")).clean());
  // UTF-16 and bytes that are neither GBK nor UTF-8 read, but not cleanly.
  for (const QByteArray& bytes :
       {QByteArray("\xFF\xFE\"\0t\0\"\0", 8), QByteArray("\"t\",\"\x81\xFF\x80\",\"0\",\"/p\"")}) {
    dir.WriteFile("playlist/x.lst", bytes);
    const auto read = playlist::ReadLstFile(dir.Path("playlist/x.lst"));
    EXPECT_TRUE(read.badEncoding);
    EXPECT_FALSE(read.clean());
  }
}

TEST(LstFile, AKilledSaveLeavesAWholeFileAndBackupsKeepReplacedOnes) {
  TempAppDir dir;
  const QString file = dir.Path("playlist/x.lst");
  const QString backups = dir.Path("bin/backup/playlist/");
  const SongEntry a{{}, "a", "s", "00:00", "/a"}, b{{}, "b", "s", "00:00", "/b"};
  ASSERT_TRUE(playlist::WriteLstFile(file, {a}, backups));
  ASSERT_TRUE(playlist::WriteLstFile(file, {a, b}, backups));  // only extends: no copy
  EXPECT_FALSE(QFile::exists(backups + "x.lst"));
  ASSERT_TRUE(playlist::WriteLstFile(file, {b}, backups));
  EXPECT_EQ(dir.ReadFile("bin/backup/playlist/x.lst"),
            "\"a\",\"s\",\"00:00\",\"/a\"\r\n\"b\",\"s\",\"00:00\",\"/b\"\r\n");

  // A writer killed in the middle leaves the old file whole and no half-written one.
  std::vector<SongEntry> many(20000, a);
  for (size_t k = 0; k < many.size(); ++k) many[k].path = QString::number(k);
  const QByteArray before = dir.ReadFile("playlist/x.lst");
  for (int delayUs : {3000, 30000, 90000}) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (;;) playlist::WriteLstFile(file, many, backups);
    }
    usleep(static_cast<useconds_t>(delayUs));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    const QByteArray now = dir.ReadFile("playlist/x.lst");
    if (now != before) {
      EXPECT_EQ(playlist::ParseLst(common::DecodeGbk(now)).records.size(), many.size()) << delayUs;
    }
  }
  // QSaveFile leaves no temporary name behind that would show up as a playlist.
  EXPECT_EQ(QDir(dir.Path("playlist")).entryList(QDir::Files), QStringList({"x.lst"}));
}

class PlaylistCommandsTest : public PlaylistFixture {
 protected:
  void SetUp() override {
    Start();
    results.Setup();
  }
  QString Saved() const { return common::DecodeGbk(dir.ReadFile("playlist/default.lst")); }
};

TEST_F(PlaylistCommandsTest, AddFileCutsFourCharactersAndSavesEvenWhenCancelled) {
  prompter.QueuePath(QStringLiteral("/music/曲子.flac"));
  commands.mnuAdds_Click(0);
  ASSERT_EQ(prompter.asked().size(), 1);
  EXPECT_EQ(prompter.asked()[0].message.title, "添加单个音乐文件");
  EXPECT_EQ(prompter.asked()[0].message.text,
            "媒体文件|*.mid;*.wma;*.wav;*.avi;*.mpg;*.wmv;*.asf;*.mp3;*.ogg;*.m3u;*.dat");
  EXPECT_EQ(grid.title(1), "曲子.");
  EXPECT_EQ(Saved(), "\"曲子.\",\"未知\",\"00:00\",\"/music/曲子.flac\"\r\n");
  dir.WriteFile("playlist/default.lst", "");
  commands.AddFile();  // cancelled: the unchanged list is written again
  EXPECT_EQ(Saved(), "\"曲子.\",\"未知\",\"00:00\",\"/music/曲子.flac\"\r\n");
}

TEST_F(PlaylistCommandsTest, AddFolderTakesSixExtensionsInAnyCaseAndNoHiddenFile) {
  const QString folder = dir.Path("songs");
  for (const char* name : {"b.MP3", "a.wma", "c.mp3.txt", "d.ogg", "e.Wav", "f.mp4", ".h.mp3"})
    dir.WriteFile(QStringLiteral("songs/") + name, "x");
  prompter.QueuePath(folder + u'/');
  commands.AddFolder();
  EXPECT_EQ(prompter.asked()[0].message.title, "添加目录");
  ASSERT_EQ(grid.title(3), "e");
  EXPECT_EQ(grid.title(1), "a");
  EXPECT_EQ(grid.path(2), folder + "/b.MP3");
  EXPECT_EQ(grid.title(4), "");
  commands.AddFolder();  // cancelled
  EXPECT_EQ(prompter.asked().size(), 2);
  EXPECT_TRUE(playlist::IsImportableFile("X.ASF"));
  EXPECT_FALSE(playlist::IsImportableFile("x.mp3 "));
}

TEST_F(PlaylistCommandsTest, AddUrlAsksThreeTimesWithItsDefaults) {
  auto add = [&](const char* title, const char* singer, std::optional<QString> url) {
    prompter.QueueText(QString::fromUtf8(title));
    prompter.QueueText(QString::fromUtf8(singer));
    if (url) prompter.QueueText(url);
    commands.AddUrl();
  };
  add("歌", "", std::nullopt);  // an emptied singer ends the command: no address asked
  EXPECT_EQ(prompter.asked().size(), 2);
  add("歌", "人", QStringLiteral("  "));
  EXPECT_EQ(prompter.messages(), QStringList{"添加失败,缺少必填项:网络URL!"});
  EXPECT_EQ(grid.title(1), "");
  EXPECT_EQ(prompter.asked()[2].message.title, "信息-歌曲名");
  EXPECT_EQ(prompter.asked()[2].defaultText, "未知");
  EXPECT_EQ(prompter.asked()[3].message.title, "信息-艺术家");
  EXPECT_EQ(prompter.asked()[4].message.title, "信息-网络URL");
  EXPECT_TRUE(prompter.asked()[4].message.text.startsWith("请输入网络URL,必填项!例如:\r\n"));
  add("  ", "  ", QStringLiteral(" http://h/b.mp3 "));  // blank names: the address and 未知
  EXPECT_EQ(grid.title(1), "http://h/b.mp3");
  EXPECT_EQ(grid.cell(1, 2), "未知");
  add("歌名", "歌手", QStringLiteral("http://h/c.mp3"));
  EXPECT_EQ(grid.title(2), "歌名");
  EXPECT_EQ(grid.cell(2, 2), "歌手");
  EXPECT_EQ(grid.rows(), 20);
}

TEST_F(PlaylistCommandsTest, DeleteRemovesTheRangeBottomUpAndLeavesCurrentRowAlone) {
  for (int k = 1; k <= 5; ++k)
    lists.AddSongRow(QString::number(k), "未知", "00:00", QStringLiteral("/%1").arg(k));
  state.currentRow = 4;
  prompter.QueueAnswer(PromptAnswer::Cancel);
  EXPECT_FALSE(commands.DeleteSelected(2, 3));
  EXPECT_FALSE(commands.DeleteSelected(0, 3));
  EXPECT_EQ(prompter.messages(), QStringList({"确认将所选歌曲从列表中删除?"}));
  EXPECT_TRUE(commands.DeleteSelected(3, 2));
  EXPECT_EQ(grid.title(2), "4");
  EXPECT_EQ(grid.cell(2, 0), "004");  // numbers are not recomputed
  EXPECT_EQ(grid.selectedRow(), 2);
  EXPECT_EQ(grid.rows(), 20);
  EXPECT_EQ(state.currentRow, 4);
  commands.ClearList();
  EXPECT_EQ(grid.title(1), "");
  EXPECT_EQ(grid.rows(), 20);
}

TEST_F(PlaylistCommandsTest, RenamesSaveAndAChangedAddressClearsTheRedMark) {
  lists.AddSongRow("t", "未知", "00:00", "/old");
  grid.SetRowColor(1, QColor(255, 0, 0));
  prompter.QueueText(QStringLiteral("   "));
  commands.RenamePlaylistCell(1, 4);
  EXPECT_EQ(grid.path(1), "/old");
  EXPECT_EQ(grid.rowColor(1), QColor(255, 0, 0));
  prompter.QueueText(QStringLiteral("/new"));
  commands.RenamePlaylistCell(1, 4);
  EXPECT_EQ(prompter.asked()[1].message.title, "修改地址");
  EXPECT_EQ(prompter.asked()[1].message.text, "请为该曲输入新地址:");
  EXPECT_EQ(prompter.asked()[1].defaultText, "/old");
  EXPECT_EQ(grid.rowColor(1), QColor(76, 97, 143));
  EXPECT_EQ(Saved(), "\"t\",\"未知\",\"00:00\",\"/new\"\r\n");
}

// "至播放列表" runs through the playlist window's test; "地址失效?" on a full result grid here.
TEST_F(PlaylistCommandsTest, DeadLinkSearchAppendsToAFullResultGridAndCopiesAllButTheAddress) {
  lists.AddSongRow("web", "singer", "03:30", "http://cdn/real.mp3");
  results.RemoveBlankRows();  // full: no blank row to take
  for (int k = 0; k < 3; ++k) results.AppendRow({"n", "x", "y", "z", "p"});
  EXPECT_EQ(commands.PrepareDeadLinkSearch(1), 4);
  EXPECT_EQ(results.entry(4).title, "web");
  EXPECT_EQ(results.entry(4).number, "004");
  EXPECT_EQ(results.entry(4).path, "");
  EXPECT_EQ(results.selectedRow(), 4);
}

}  // namespace
