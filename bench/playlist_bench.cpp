// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Times the playlist's load and save of a 100,000-song list and AddSongRow onto a growing list.
// Usage: playlist_bench [songs] [runs] [copy-of-the-list.lst]
#include <sys/resource.h>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "config/appconfig.h"
#include "config/apppaths.h"
#include "config/menuform.h"
#include "playlist/lstfile.h"
#include "playlist/playlistmanager.h"
#include "playlist/songgridmodel.h"
#include "shell/prompter.h"

namespace {

// Answers every question with Cancel: the benchmark's lists hold no duplicates anyway.
class SilentPrompter : public Prompter {
 public:
  int asked = 0;
  PromptAnswer Ask(const PromptMessage&) override {
    ++asked;
    return PromptAnswer::Cancel;
  }
  std::optional<QString> AskText(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> PickOpenFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> PickSaveFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> PickFolder(const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QColor> PickColor(const QColor&) override { return std::nullopt; }
};

SongEntry Song(int k) {
  return {QString(), QStringLiteral("第%1首 夜空中最亮的星 Song %1").arg(k),
          QStringLiteral("歌手%1").arg(k % 997),
          QStringLiteral("04:%1").arg(k % 60, 2, 10, QChar('0')),
          QStringLiteral("/home/user/音乐/歌手%1/第%2首 夜空中最亮的星.mp3").arg(k % 997).arg(k)};
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

long CurrentRssMiB() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toLong() * 4096 / (1024 * 1024) : 0;
}

long MaxRssMiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024;
}

// A big list loads on a worker: the time runs until its rows are in the grid.
void LoadAndWait(PlaylistManager& lists) {
  QEventLoop loop;
  const auto c = QObject::connect(&lists, &PlaylistManager::ListLoaded, &loop, &QEventLoop::quit);
  lists.LoadLST();
  if (lists.loadPending()) loop.exec();
  QObject::disconnect(c);
}

// A big list is written on a worker: the time runs until it is on disk.
void SaveAndWait(PlaylistManager& lists) {
  lists.SaveList();
  lists.FinishWrites();
  QCoreApplication::sendPostedEvents();  // the manager learns the write is done
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int songs = argc > 1 ? std::atoi(argv[1]) : 100000;
  const int runs = argc > 2 ? std::atoi(argv[2]) : 5;

  QTemporaryDir dir;
  AppPaths paths(dir.path());
  QDir().mkpath(paths.playlistDir());
  std::vector<SongEntry> list;
  list.reserve(static_cast<size_t>(songs));
  for (int k = 1; k <= songs; ++k) list.push_back(Song(k));
  const QString file = paths.playlistDir() + QStringLiteral("default.lst");
  playlist::WriteLstFile(file, list, paths.backupDir());
  if (argc > 3) QFile::copy(file, QString::fromLocal8Bit(argv[3]));  // for loading elsewhere
  list = {};  // only the file stays, so the peak memory below is the program's
  std::printf("list: %d songs, %lld bytes\n", songs,
              static_cast<long long>(QFileInfo(file).size()));

  SongGridModel grid(SongGridModel::Kind::Songs);
  MenuForm menus;
  SilentPrompter prompter;
  AppConfig config;
  PlaylistManager lists(grid, menus, prompter, paths, config);
  lists.BuildListMenu();
  lists.MarkCurrent(QStringLiteral("default"));

  std::vector<double> read;
  for (int r = 0; r < runs; ++r) {
    QElapsedTimer t;
    t.start();
    auto records = playlist::ReadLstFile(file);
    read.push_back(t.nsecsElapsed() / 1e9);
  }
  std::printf("ReadLstFile  median %.3f s (read, decode, split only)\n", Median(read));

  const long rssBefore = CurrentRssMiB();
  std::vector<double> load, save, changedSave;
  for (int r = 0; r < runs; ++r) {
    QElapsedTimer t;
    t.start();
    LoadAndWait(lists);
    load.push_back(t.nsecsElapsed() / 1e9);
    if (r == 0)
      std::printf(
          "RSS          %ld MiB before the first load, %ld MiB after, peak so far %ld MiB\n",
          rssBefore, CurrentRssMiB(), MaxRssMiB());
    t.restart();
    SaveAndWait(lists);  // same songs: no backup copy
    save.push_back(t.nsecsElapsed() / 1e9);
    grid.SetCell(1, 2, QStringLiteral("改过 %1").arg(r));
    t.restart();
    SaveAndWait(lists);  // a changed song: the old file is copied to the backup folder first
    changedSave.push_back(t.nsecsElapsed() / 1e9);
  }
  std::printf("LoadLST      median %.3f s (min %.3f) rows %d, questions %d\n", Median(load),
              *std::min_element(load.begin(), load.end()), grid.rows() - 1, prompter.asked);
  std::printf("SaveList     median %.3f s (unchanged songs)\n", Median(save));
  std::printf("SaveList     median %.3f s (a song changed: backup copy + write)\n",
              Median(changedSave));
  std::printf("max RSS      %ld MiB\n", MaxRssMiB());

  // AddSongRow of 10,000 files onto a growing list, timed per block of 1,000.
  grid.Setup();
  grid.PadToMinRows();
  QElapsedTimer t;
  std::printf("AddSongRow per 1,000 onto a growing list:");
  for (int block = 0; block < 10; ++block) {
    t.start();
    for (int k = 0; k < 1000; ++k) {
      const SongEntry s = Song(block * 1000 + k + 1);
      lists.AddSongRow(s.title, s.singer, s.duration, s.path);
    }
    std::printf(" %.1f", t.nsecsElapsed() / 1e6);
  }
  std::printf(" ms\n");
  // The same onto the 100,000-song list.
  LoadAndWait(lists);
  t.start();
  for (int k = 0; k < 10000; ++k) {
    const SongEntry s = Song(songs + k + 1);
    lists.AddSongRow(s.title, s.singer, s.duration, s.path);
  }
  std::printf("AddSongRow   10,000 onto %d songs: %.1f ms\n", songs, t.nsecsElapsed() / 1e6);
  return 0;
}
