// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/firstrun.h"
#include "app/instancelock.h"
#include "app/lifecycle.h"
#include "support/tempappdir.h"

TEST(Lifecycle, StepsRunInOrderAndAFailingStepIsSkipped) {
  QStringList ran;
  StepSequence steps;
  steps.Add("one", [&] { return ran << "one", true; });
  steps.Add("two", [&] { return ran << "two", false; });
  steps.Add("three", [&]() -> bool { throw 1; });
  steps.Add("four", [&] { return ran << "four", true; });
  EXPECT_EQ(steps.Run(), (QStringList{"two", "three"}));
  EXPECT_EQ(ran, (QStringList{"one", "two", "four"}));
}

TEST(Lifecycle, FoldersAndPictureCache) {
  TempAppDir dir;
  const AppPaths paths = dir.paths();
  EXPECT_TRUE(app::CreateFolders(paths));
  dir.WriteFile("bin/PicTmp/Album/cover.jpg", "x");
  dir.WriteFile("bin/PicTmp/singer.jpg", "x");
  EXPECT_TRUE(app::RemovePictureCache(paths));
  EXPECT_FALSE(QDir(dir.Path("bin/PicTmp")).exists());
  EXPECT_TRUE(QDir(dir.Path("lrc")).exists());
}

TEST(Lifecycle, FirstRunMarkerHoldsOneLine) {
  QTemporaryDir dir;
  const QString marker = dir.filePath("cfg/firstrun.jc");
  EXPECT_TRUE(app::IsFirstRun(marker));
  ASSERT_TRUE(app::WriteFirstRunMarker(marker));
  EXPECT_FALSE(app::IsFirstRun(marker));
  QFile f(marker);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "Tunewharf\r\n");
}

TEST(InstanceLock, SecondInstanceIsRefusedAndWakesTheFirst) {
  QTemporaryDir dir;
  InstanceLock first(dir.path());
  ASSERT_FALSE(first.IsAlreadyRunning());
  QSignalSpy woken(&first, &InstanceLock::ActivationRequested);

  InstanceLock second(dir.path());
  EXPECT_TRUE(second.IsAlreadyRunning());
  // The first answers from its event loop, so the second's request runs beside it.
  bool sent = false;
  QTimer::singleShot(0, [&] { sent = second.ActivatePreviousInstance(); });
  EXPECT_TRUE(QTest::qWaitFor([&] { return woken.count() == 1; }, 5000));
  EXPECT_TRUE(sent);

  first.ReleaseInstanceLock();
  InstanceLock third(dir.path());
  EXPECT_FALSE(third.IsAlreadyRunning()) << "the lock is free once released";
}
