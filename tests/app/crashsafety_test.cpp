// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A process killed while it saves never leaves a partial file: a child keeps saving a 20,000-song
// list, the settings and a lyrics offset, and is killed with SIGKILL at random moments.
#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <random>

#include "support/tempappdir.h"

namespace {

const char* const kFiles[] = {"playlist/default.lst", "bin/config.ini", "lrc/song.lrc"};

bool RunOnce(const TempAppDir& dir, const char* version) {
  return QProcess::execute(QStringLiteral(CRASH_WRITER), {dir.root(), version}) == 0;
}

TEST(CrashSafety, EveryFileIsTheOldOrTheNewVersionAfterAKill) {
  TempAppDir dir;
  // The two versions, as whole saves write them; "a" is left on disk.
  ASSERT_TRUE(RunOnce(dir, "b"));
  std::vector<QByteArray> versionB, versionA;
  for (const char* f : kFiles) versionB.push_back(dir.ReadFile(f));
  ASSERT_TRUE(RunOnce(dir, "a"));
  ASSERT_TRUE(RunOnce(dir, "b"));
  ASSERT_TRUE(RunOnce(dir, "a"));
  for (const char* f : kFiles) versionA.push_back(dir.ReadFile(f));
  for (size_t k = 0; k < versionA.size(); ++k) {
    ASSERT_NE(versionA[k], versionB[k]) << kFiles[k];
    ASSERT_FALSE(versionA[k].isEmpty()) << kFiles[k];
  }

  // How long one save of all three takes here: kills then fall anywhere in the first save
  // and the start of the next.
  qint64 cycleUs = 0;
  {
    QProcess writer;
    writer.start(QStringLiteral(CRASH_WRITER), {dir.root(), QStringLiteral("loopb")});
    ASSERT_TRUE(writer.waitForReadyRead(5000));
    writer.readLine();
    QElapsedTimer clock;
    clock.start();
    for (int saves = 0; saves < 2;) {
      ASSERT_TRUE(writer.canReadLine() || writer.waitForReadyRead(5000));
      while (writer.canReadLine()) saves += writer.readLine().startsWith("saved");
    }
    cycleUs = clock.nsecsElapsed() / 2000;
    writer.kill();
    writer.waitForFinished(5000);
  }
  ASSERT_TRUE(RunOnce(dir, "a"));

  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  std::uniform_int_distribution<qint64> delayUs(0, cycleUs + cycleUs / 4);
  int changed = 0;
  for (int run = 0; run < 200; ++run) {
    QProcess writer;
    // The first save of each run always changes the files: an identical save writes nothing.
    const bool onA = dir.ReadFile(kFiles[0]) == versionA[0];
    writer.start(QStringLiteral(CRASH_WRITER),
                 {dir.root(), onA ? QStringLiteral("loopb") : QStringLiteral("loopa")});
    ASSERT_TRUE(writer.waitForReadyRead(5000));
    QThread::usleep(static_cast<unsigned long>(delayUs(random)));
    writer.kill();  // SIGKILL
    ASSERT_TRUE(writer.waitForFinished(5000));
    for (size_t k = 0; k < std::size(kFiles); ++k) {
      const QByteArray now = dir.ReadFile(kFiles[k]);
      ASSERT_TRUE(now == versionA[k] || now == versionB[k])
          << kFiles[k] << ": partial after run " << run << " (seed " << seed << "), " << now.size()
          << " bytes";
      if (now != (onA ? versionA[k] : versionB[k])) ++changed;
    }
  }
  std::printf("one save of the three files: %lld us; %d of 600 checks found the file replaced\n",
              static_cast<long long>(cycleUs), changed);
  // The kills did land in the middle of the saving, not only before it started.
  EXPECT_GT(changed, 0) << "seed " << seed << ", one save " << cycleUs << " us";
  // Nothing half-written is left where the program would list it as a playlist. (A kill
  // mid-write may leave the save's own temporary, "default.lst.XXXXXX", which is never listed.)
  EXPECT_EQ(QDir(dir.Path("playlist")).entryList({"*.lst"}, QDir::Files | QDir::Hidden),
            QStringList({"default.lst"}));
}

}  // namespace
