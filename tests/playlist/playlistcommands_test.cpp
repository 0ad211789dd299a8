// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/playlistcommands.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include "app/appconfig.h"
#include "app/menuform.h"
#include "common/gbk.h"
#include "playback/playbackstate.h"
#include "playlist/gridrows.h"
#include "playlist/playlistmanager.h"
#include "playlist/songgridmodel.h"
#include "support/fakemediaplayer.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

class PlaylistCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lists.EnsureDefaultList();
    lists.BuildListMenu();
    lists.MarkCurrent("default");
    lists.LoadLST();
    results.Setup();
  }
  QString Saved() const { return common::DecodeGbk(dir.ReadFile("playlist/default.lst")); }

  TempAppDir dir;
  MenuForm menus;
  ScriptedPrompter prompter;
  AppConfig config;
  PlaybackState state;
  FakeMediaPlayer player;
  SongGridModel grid{SongGridModel::Kind::Songs};
  SongGridModel results{SongGridModel::Kind::Songs};
  QAbstractItemModelTester tester{&grid, QAbstractItemModelTester::FailureReportingMode::Fatal};
  PlaylistManager lists{grid, menus, prompter, dir.paths(), config};
  PlaylistCommands commands{lists, results, prompter, state, player};
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

TEST_F(PlaylistCommandsTest, AddFolderTakesSixExtensionsInAnyCase) {
  const QString folder = dir.Path("songs");
  for (const char* name : {"b.MP3", "a.wma", "c.mp3.txt", "d.ogg", "e.Wav", "f.mp4"})
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
  struct Case {
    std::optional<QString> title, singer, url;
    QString message;                  // failure message, "" when none
    QString addedTitle, addedSinger;  // "" when nothing is added
  } cases[] = {
      {"歌", "", "http://h/a.mp3", "", "", ""},  // an emptied singer ends the command
      {"歌", "人", "  ", "添加失败,缺少必填项:网络URL!", "", ""},
      {"  ", "  ", " http://h/b.mp3 ", "", "http://h/b.mp3", "未知"},
      {"歌名", "歌手", "http://h/c.mp3", "", "歌名", "歌手"},
  };
  for (const Case& c : cases) {
    prompter.ClearAsked();
    prompter.QueueText(c.title);
    prompter.QueueText(c.singer);
    if (!c.singer->isEmpty()) prompter.QueueText(c.url);  // an emptied singer asks no more
    const int before = lists.grid().rows();
    commands.AddUrl();
    EXPECT_EQ(prompter.messages(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
    int last = 0;  // the last song row
    while (last + 1 < grid.rows() && !grid.title(last + 1).isEmpty()) ++last;
    if (c.addedTitle.isEmpty()) {
      EXPECT_EQ(grid.rows(), before);
      EXPECT_NE(grid.title(last), "歌");
    } else {
      EXPECT_EQ(grid.title(last), c.addedTitle);
      EXPECT_EQ(grid.cell(last, 2), c.addedSinger);
    }
  }
  ASSERT_GE(prompter.asked().size(), 3);
  EXPECT_EQ(prompter.asked()[0].message.title, "信息-歌曲名");
  EXPECT_EQ(prompter.asked()[0].defaultText, "未知");
  EXPECT_EQ(prompter.asked()[1].message.title, "信息-艺术家");
  EXPECT_EQ(prompter.asked()[2].message.title, "信息-网络URL");
  EXPECT_TRUE(prompter.asked()[2].message.text.startsWith("请输入网络URL,必填项!例如:\r\n"));
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

TEST_F(PlaylistCommandsTest, SendToPlaylistOnlyWhileAResultPlaysAndUsesThePlayersAddress) {
  playlist::AddResultRow(results, "web", "singer", "03:30", "http://search/page");
  state.currentRow = 1;
  state.playingGrid = PlayingGrid::Results;
  player.SetUrl("http://cdn/real.mp3");
  player.SetState(PlayState::Paused);
  EXPECT_FALSE(commands.topl_Click());
  player.SetState(PlayState::Playing);
  EXPECT_TRUE(commands.topl_Click());
  EXPECT_EQ(Saved(), "\"web\",\"singer\",\"03:30\",\"http://cdn/real.mp3\"\r\n");

  // "地址失效?" on a full result grid appends a row and copies all but the address.
  results.Setup();
  results.RemoveBlankRows();
  for (int k = 0; k < 3; ++k) results.AppendRow({"n", "x", "y", "z", "p"});
  EXPECT_EQ(commands.PrepareDeadLinkSearch(1), 4);
  EXPECT_EQ(results.entry(4).title, "web");
  EXPECT_EQ(results.entry(4).number, "004");
  EXPECT_EQ(results.entry(4).path, "");
  EXPECT_EQ(results.selectedRow(), 4);
}

}  // namespace
