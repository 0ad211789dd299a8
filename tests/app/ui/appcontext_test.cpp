// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program built on a throw-away application folder: start-up, shutdown, single
// instance.
#include "app/ui/appcontext.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/firstrun.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistmanager.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

QString StatusLine(const AppContext& context) {
  auto* echo1 = context.mainWindow()->findChild<QLabel*>(QStringLiteral("Echo1"));
  return echo1 ? echo1->text() : QString();
}

TEST(AppContext, StartsReadyWithTheDefaultConfigAndShutsDownInOrder) {
  TempAppDir dir;
  QTemporaryDir lockDir;
  AppContext context(dir.paths(), lockDir.path());
  QSignalSpy ready(&context, &AppContext::StartupFinished);
  context.Start();
  ASSERT_TRUE(ready.wait(5000));

  EXPECT_EQ(StatusLine(context), "准备就绪");
  EXPECT_TRUE(QDir(dir.Path("lrc")).exists());
  EXPECT_TRUE(QDir(dir.Path("bin/PicTmp/Album")).exists());
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), "\r\n");
  const QByteArray config = dir.ReadFile("bin/config.ini");
  EXPECT_TRUE(config.startsWith("[playlist]\r\nlistnumber=1\r\ndefaultlist=default\r\n"));
  EXPECT_TRUE(config.endsWith("selectmod3=0\r\n"));
  EXPECT_TRUE(context.mainWindow()->isVisible());
  EXPECT_EQ(context.config().playMode, 3);

  // Shutdown saves the list, drops the picture cache and never writes the configuration.
  context.playlists().AddSongRow("月亮之上", "未知", "00:00", "/music/a.mp3");
  context.config().playMode = 1;
  dir.WriteFile("bin/PicTmp/Album/cover.jpg", "x");
  context.Shutdown();
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"),
            QByteArray("\"\xD4\xC2\xC1\xC1\xD6\xAE\xC9\xCF\",\"\xCE\xB4\xD6\xAA\",\"00:00\","
                       "\"/music/a.mp3\"\r\n"));
  EXPECT_FALSE(QDir(dir.Path("bin/PicTmp")).exists());
  EXPECT_EQ(dir.ReadFile("bin/config.ini"), config);
  EXPECT_FALSE(context.mainWindow()->isVisible());
}

// The second start resolves no folder (no probe, no seeding under the home folder) and brings
// the first instance's hidden window back.
TEST(AppContext, SecondInstanceTouchesNothingAndBringsTheFirstForward) {
  QTemporaryDir home;
  const QByteArray oldHome = qgetenv("HOME");
  qputenv("HOME", home.path().toLocal8Bit());
  QStandardPaths::setTestModeEnabled(true);
  TempAppDir firstDir;
  QTemporaryDir lockDir;
  AppContext first(firstDir.paths(), lockDir.path());
  app::WriteFirstRunMarker(app::FirstRunMarkerPath());  // no splash
  QSignalSpy ready(&first, &AppContext::StartupFinished);
  ASSERT_TRUE(first.Main());
  ASSERT_TRUE(ready.wait(5000));
  QDir(home.path()).removeRecursively();
  QDir().mkpath(home.path());
  first.mainWindow()->hide();

  AppContext second(std::nullopt, lockDir.path());
  EXPECT_FALSE(second.Main());
  EXPECT_TRUE(QDir(home.path())
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)
                  .isEmpty());
  EXPECT_TRUE(QTest::qWaitFor([&] { return first.mainWindow()->isVisible(); }, 3000));
  EXPECT_FALSE(first.mainWindow()->isMinimized());
  first.Shutdown();
  QStandardPaths::setTestModeEnabled(false);
  qputenv("HOME", oldHome);
}

}  // namespace
