// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The tag editor as a user meets it: the whole program plays a local file from the playlist,
// the ID3 button opens the editor on it, and a save writes the block at the file's end.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>

#include "catalogue.h"
#include "demoserver.h"
#include "downloadpages.h"
#include "playback/ui/mainwindow.h"
#include "support/apprun.h"
#include "tags/id3v1.h"
#include "tags/ui/frmid3tag.h"

namespace {

using TagJourney = AppRun;

TEST_F(TagJourney, IdButtonEditsThePlayingFileOnlyOnceItIsLocalAndPlaying) {
  DemoCatalogue catalogue;
  DemoServer server;
  RegisterDownloads(server, catalogue);
  ASSERT_TRUE(server.Listen(0));
  const QByteArray audio = DemoCatalogue::MakeWav(1, 5);
  dir.WriteFile("music/song.wav", audio);
  const QString song = dir.Path("music/song.wav");
  dir.WriteFile("playlist/default.lst", "\"song\",\"me\",\"00:05\",\"" + song.toUtf8() +
                                            "\"\r\n\"web\",\"me\",\"00:05\",\"" +
                                            server.baseUrl().toUtf8() +
                                            "/download/song/2.wav\"\r\n");
  dir.WriteFile("bin/config.ini", "[playlist]\r\nlistnumber=1\r\ndefaultlist=default\r\n");
  auto run = Launch();
  AppContext& app = *run;

  auto* id3 = app.mainWindow()->findChild<QAbstractButton*>(QStringLiteral("ID3TAG"));
  ASSERT_NE(id3, nullptr);

  // The editor is first opened while the song plays: it is built then, and still knows the
  // song may be edited.
  QTableView* grid = app.playlistWindow()->grid(0);
  DoubleClickRow(grid, 1);
  ASSERT_TRUE(WaitPlaying(app));
  ASSERT_TRUE(QTest::qWaitFor([&] { return id3->toolTip() == "编辑ID3-Tag"; }, 2000));
  id3->click();
  FrmId3Tag* editor = app.tagEditor();
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(editor->geometry().contains(app.mainWindow()->geometry().center()));
  EXPECT_EQ(editor->mark(), QStringLiteral("编辑ID3-Tag"));
  auto* label5 = editor->findChild<QLabel*>(QStringLiteral("Label5"));
  EXPECT_TRUE(label5->isHidden());
  EXPECT_EQ(editor->findChild<QLineEdit*>(QStringLiteral("txtFileName"))->text(), song);
  editor->findChild<QLineEdit*>(QStringLiteral("txtSongName"))->setText(QStringLiteral("新歌名"));
  editor->findChild<QLineEdit*>(QStringLiteral("txtYear"))->setText(QStringLiteral("2008"));
  editor->findChild<QAbstractButton*>(QStringLiteral("Image3"))->click();
  EXPECT_EQ(prompter.messages(), QStringList{"“" + song + "”的ID3-Tag已经保存。"});

  const QByteArray bytes = dir.ReadFile("music/song.wav");
  ASSERT_EQ(bytes.size(), audio.size() + 128);
  EXPECT_EQ(bytes.left(audio.size()), audio);
  tags::Id3Fields back;
  ASSERT_TRUE(tags::ReadTag(song, back));
  EXPECT_EQ(back.title, QStringLiteral("新歌名"));
  EXPECT_EQ(back.year.trimmed(), QStringLiteral("2008"));

  // A web song takes the mark away again: the editor loads nothing and says why.
  DoubleClickRow(grid, 2);
  ASSERT_TRUE(QTest::qWaitFor([&] { return editor->mark() == "ID3-Tag不可编辑"; }, 15000));
  ASSERT_TRUE(WaitPlaying(app));
  prompter.ClearAsked();
  id3->click();
  EXPECT_EQ(label5->text(), QStringLiteral("当前播放的是网络URL,ID3-Tag不可编辑!"));
  editor->findChild<QAbstractButton*>(QStringLiteral("Image3"))->click();
  EXPECT_TRUE(prompter.asked().isEmpty());
  EXPECT_EQ(dir.ReadFile("music/song.wav"), bytes);
  app.Shutdown();
}

}  // namespace
