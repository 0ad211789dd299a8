// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistmanager.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>

#include "app/appconfig.h"
#include "app/menuform.h"
#include "common/gbk.h"
#include "playlist/lstfile.h"
#include "playlist/songgridmodel.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

QByteArray Gbk(const char* utf8) {
  return common::EncodeGbk(QString::fromUtf8(utf8));
}

class PlaylistManagerTest : public ::testing::Test {
 protected:
  void Start(const QString& current = QStringLiteral("default")) {
    lists.EnsureDefaultList();
    lists.BuildListMenu();
    lists.MarkCurrent(current);
    lists.LoadLST();
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

  TempAppDir dir;
  SongGridModel grid{SongGridModel::Kind::Songs};
  QAbstractItemModelTester tester{&grid, QAbstractItemModelTester::FailureReportingMode::Fatal};
  MenuForm menus;
  ScriptedPrompter prompter;
  AppConfig config;
  PlaylistManager lists{grid, menus, prompter, dir.paths(), config};
  int configSaves = 0;
  void SetUp() override {
    lists.SetSaveConfig([this] { ++configSaves; });
  }
};

TEST_F(PlaylistManagerTest, ThreeSongsGiveTwentyRowsAndAThreeLineSave) {
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
  lists.SaveList();
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"),
            Gbk("\"月亮\",\"歌手甲\",\"03:07\",\"/m/a.mp3\"\r\n"
                "\"b\",\"未知\",\"00:00\",\"/m/b.mp3\"\r\n"
                "\"c, with comma\",\"未知\",\"00:00\",\"http://h/c.mp3\"\r\n"));
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
  EXPECT_EQ(m.buttons, PromptButtons::OkCancel);
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
  lists.SaveList();  // nothing checked: default.lst
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), Gbk("\"d\",\"未知\",\"00:00\",\"/d.mp3\"\r\n"));
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

TEST_F(PlaylistManagerTest, NewListKeepsCapitalsAndRefusesBadOrTakenNames) {
  Start();
  lists.AddSongRow("a", "未知", "00:00", "/a.mp3");
  prompter.QueueText(QStringLiteral("  MyList2 "));
  lists.ALists_Click(1);
  EXPECT_EQ(Captions(), QStringList({"default", "MyList2"}));
  EXPECT_EQ(lists.currentName(), "MyList2");
  EXPECT_EQ(config.currentList, "MyList2");
  EXPECT_EQ(configSaves, 1);
  EXPECT_EQ(dir.ReadFile("playlist/MyList2.lst"), "\r\n\r\n");
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), Gbk("\"a\",\"未知\",\"00:00\",\"/a.mp3\"\r\n"));
  EXPECT_EQ(prompter.asked()[0].message.title, "新建列表");
  EXPECT_EQ(prompter.asked()[0].message.text,
            "请输入列表名称,中文输入将不被接受.\r\n可用字符为:大小写英文字母以及数字.");

  struct Case {
    const char* typed;
    const char* message;
  } cases[] = {{"mylist2", "列表名称已存在,创建失败!"},
               {"我的", "考虑兼容性问题,列表名称请不要使用中文或符号"},
               {"a-b", "考虑兼容性问题,列表名称请不要使用中文或符号"},
               {"   ", nullptr}};
  for (const Case& c : cases) {
    prompter.ClearAsked();
    prompter.QueueText(QString::fromUtf8(c.typed));
    lists.NewList();
    EXPECT_EQ(Captions().size(), 2) << c.typed;
    EXPECT_EQ(prompter.messages(),
              c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList())
        << c.typed;
    if (c.message) {
      EXPECT_EQ(prompter.asked().last().message.title, "Error");
    }
  }
}

TEST_F(PlaylistManagerTest, DeletingEntryZeroLeavesASurvivorLoadedAndItsFileUntouched) {
  dir.WriteFile("playlist/aaa.lst", "\"gone\",\"s\",\"00:00\",\"/gone.mp3\"\r\n");
  dir.WriteFile("playlist/zzz.lst", "\"kept\",\"s\",\"00:00\",\"/kept.mp3\"\r\n");
  Start("aaa");
  ASSERT_EQ(Captions(), QStringList({"aaa", "default", "zzz"}));
  lists.ALists_Click(2);
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
  const auto back = playlist::ParseLst(playlist::FormatLst({song, song}));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].title, "say ＂hi＂");
  EXPECT_EQ(back[1].singer, "a  b");
  EXPECT_EQ(back[1].duration, "00:00");
  EXPECT_EQ(back[1].path, "/p,＂q＂.mp3");
  // Fields may spread over lines; an unfinished record at the end is dropped.
  const auto split = playlist::ParseLst("\"t\",\"s\"\n\"d\",p\r\"x\",");
  ASSERT_EQ(split.size(), 1u);
  EXPECT_EQ(split[0].path, "p");
}

TEST(LstFile, GbkWinsUnlessTheBytesSayUtf8) {
  TempAppDir dir;
  struct Case {
    QByteArray bytes;
    const char* singer;
  } cases[] = {
      {Gbk("\"t\",\"未知\",\"00:00\",\"/p\""), "未知"},  // also valid UTF-8
      {"\xEF\xBB\xBF\"t\",\"\xE6\x9C\xAA\",\"00:00\",\"/p\"", "未"},
      {"\"t\",\"\xE6\x9C\xAA\xE7\x9F\xA5\xE7\x9A\x84\",\"00:00\",\"/p\"", "未知的"},
  };
  for (const Case& c : cases) {
    dir.WriteFile("playlist/x.lst", c.bytes);
    const auto songs = playlist::ReadLstFile(dir.Path("playlist/x.lst"));
    ASSERT_TRUE(songs && songs->size() == 1u) << c.singer;
    EXPECT_EQ((*songs)[0].singer, QString::fromUtf8(c.singer));
  }
  EXPECT_FALSE(playlist::ReadLstFile("/dev/zero"));
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
      EXPECT_EQ(playlist::ParseLst(common::DecodeGbk(now)).size(), many.size()) << delayUs;
    }
  }
  // QSaveFile leaves no temporary name behind that would show up as a playlist.
  EXPECT_EQ(QDir(dir.Path("playlist")).entryList(QDir::Files), QStringList({"x.lst"}));
}

}  // namespace
