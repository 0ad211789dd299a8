// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the playing song as a user does: the whole program plays a demo song, the 下载
// button asks where, the download window and the main window's line show the progress, and
// the file lands whole; a download that breaks off says so and leaves the old file.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>

#include "catalogue.h"
#include "demoserver.h"
#include "download/songdownload.h"
#include "download/ui/donload.h"
#include "downloadpages.h"
#include "playback/ui/mainwindow.h"
#include "support/apprun.h"

namespace {

void PlayRow(AppContext& app, int row) {
  DoubleClickRow(app.playlistWindow()->grid(0), row);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return app.player().playState() == PlayState::Playing &&
               app.engine().state().currentRow == row;
      },
      15000));
}

using DownloadJourney = AppRun;

TEST_F(DownloadJourney, DownButtonSavesThePlayingSongAndABrokenOneFails) {
  DemoCatalogue catalogue;
  DemoServer server;
  RegisterDownloads(server, catalogue);
  ASSERT_TRUE(server.Listen(0));
  const QByteArray rows = "\"好歌\",\"甲\",\"00:05\",\"" + server.baseUrl().toUtf8() +
                          "/download/song/4.wav\"\r\n\"断歌\",\"乙\",\"00:05\",\"" +
                          server.baseUrl().toUtf8() + "/download/broken/5.wav\"\r\n";
  dir.WriteFile("playlist/default.lst", rows);
  dir.WriteFile("bin/config.ini", "[playlist]\r\nlistnumber=1\r\ndefaultlist=default\r\n");
  auto run = Launch();
  AppContext& app = *run;
  auto* down = app.mainWindow()->findChild<QAbstractButton*>(QStringLiteral("down"));
  auto* line = app.mainWindow()->findChild<QWidget*>(QStringLiteral("downLine"));
  ASSERT_NE(down, nullptr);
  ASSERT_NE(line, nullptr);

  PlayRow(app, 1);
  const QString target = dir.Path("Download/saved.wav");
  prompter.QueuePath(target);
  down->click();
  ASSERT_EQ(prompter.asked().size(), 1);
  EXPECT_EQ(prompter.asked()[0].defaultText, dir.Path("Download/好歌.wav"));
  Donload* window = app.downloadWindow();
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(app.songDownload().active());
  // The line under the track grows while the song arrives, then goes away.
  int widest = 0, reports = 0;
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        if (line->isVisible() && line->width() > widest) {
          widest = line->width();
          ++reports;
        }
        return !app.songDownload().active();
      },
      15000));
  EXPECT_GE(reports, 3);
  EXPECT_FALSE(line->isVisible());
  EXPECT_EQ(window->statusText(), QStringLiteral("文件下载完成!"));
  EXPECT_EQ(dir.ReadFile("Download/saved.wav"), catalogue.Song(4)->wav);

  PlayRow(app, 2);
  prompter.ClearAsked();
  prompter.QueuePath(target);
  prompter.QueueAnswer(PromptAnswer::Ok);  // overwrite
  down->click();
  EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral("媒体文件已存在,确认覆盖?")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return !app.songDownload().active(); }, 15000));
  EXPECT_EQ(window->statusText(), "很抱歉!\r\n下载" + target + "发生错误！");
  EXPECT_EQ(dir.ReadFile("Download/saved.wav"), catalogue.Song(4)->wav);
  EXPECT_EQ(QDir(dir.Path("Download")).entryList(QDir::Files | QDir::Hidden),
            QStringList{"saved.wav"});
  app.Shutdown();
}

}  // namespace
