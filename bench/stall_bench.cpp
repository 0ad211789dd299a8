// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The longest stall of the GUI event loop (the lateness of a 1 ms timer) while the program's
// slow jobs run: a search page of 8 MiB, a 100,000-song list, a lyrics download, a dead and a
// stalled stream, a chart page. Each job runs the way the program runs it, on real objects
// against a loopback server. Usage: stall_bench [runs=3]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "common/gbk.h"
#include "components/mpvplayer.h"
#include "config/appconfig.h"
#include "config/menuform.h"
#include "lyrics/lrcformat.h"
#include "playlist/lstfile.h"
#include "playlist/playlistmanager.h"
#include "playlist/songgridmodel.h"
#include "shell/prompter.h"
#include "support/loopbackhttpserver.h"
#include "support/tempappdir.h"
#include "web/chartscan.h"
#include "web/pagefetcher.h"
#include "web/songscan.h"

namespace {

constexpr double kGoalMs = 50;

class SilentPrompter : public Prompter {
 public:
  PromptAnswer Ask(const PromptMessage&) override { return PromptAnswer::Cancel; }
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

// A job starts its work and calls done() once; the meter watches the loop meanwhile.
using Job = std::function<void(std::function<void()> done)>;

struct Outcome {
  double wallMs = 0;
  double longestGapMs = 0;
};

// Runs the loop until the job is done (or timeoutMs), timing every gap between two ticks of a
// 1 ms timer; a gap is how long the loop could not run anything.
Outcome Measure(const Job& job, int timeoutMs) {
  QEventLoop loop;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  tick.setInterval(1);
  QElapsedTimer clock;
  qint64 last = 0;
  double longest = 0;
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, (now - last) / 1e6);
    last = now;
  });
  bool finished = false;
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  clock.start();
  tick.start();
  // The job starts from the loop, so its first synchronous stretch counts as a gap too.
  QTimer::singleShot(0, &loop, [&] {
    last = clock.nsecsElapsed();
    job([&] {
      finished = true;
      loop.quit();
    });
  });
  loop.exec();
  Outcome out;
  out.wallMs = clock.nsecsElapsed() / 1e6;
  // Gaps after the end do not count: the last one is closed now.
  out.longestGapMs = std::max(longest, (clock.nsecsElapsed() - last) / 1e6);
  if (!finished) out.wallMs = -out.wallMs;  // ran out of time: shown negative
  return out;
}

// GBK text of about `bytes` bytes, in lines as a page has them.
QByteArray GbkPage(qint64 bytes, const QString& line) {
  const QByteArray one = common::EncodeGbk(line + QStringLiteral("\r\n"));
  QByteArray page;
  page.reserve(bytes);
  while (page.size() + one.size() <= bytes) page += one;
  return page;
}

QString ListOfSongs(const AppPaths& paths, int songs) {
  std::vector<SongEntry> list;
  list.reserve(static_cast<size_t>(songs));
  for (int k = 1; k <= songs; ++k)
    list.push_back({QString(), QStringLiteral("第%1首 夜空中最亮的星").arg(k),
                    QStringLiteral("歌手%1").arg(k % 997), QStringLiteral("04:00"),
                    QStringLiteral("/home/user/音乐/歌手%1/第%2首.mp3").arg(k % 997).arg(k)});
  const QString file = paths.playlistDir() + QStringLiteral("default.lst");
  playlist::WriteLstFile(file, list, paths.backupDir());
  return file;
}

// Plays url until the player reports it failed (Ready) or ended (Stopped).
void PlayUntilEnd(MpvPlayer& player, const QString& url, const std::function<void()>& done) {
  auto* watch = new QObject;
  QObject::connect(&player, &MediaPlayer::PlayStateChanged, watch, [watch, done](int state) {
    if (state != static_cast<int>(PlayState::Ready) &&
        state != static_cast<int>(PlayState::Stopped))
      return;
    watch->deleteLater();
    done();
  });
  player.SetUrl(url, UrlOrigin::Web);
  player.Play();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

  TempAppDir dir;
  const AppPaths paths = dir.paths();
  AppConfig config;
  LoopbackHttpServer server(600000);
  server.SetPage(
      "/search.html",
      GbkPage(web::kPageMaxBytes - 4096,
              QStringLiteral("<div class=song><a href=\"/x\">夜空中最亮的星</a></div>")));
  server.SetPage("/chart.html",
                 GbkPage(1 << 20, QStringLiteral("<li><a title=\"歌名\">歌名</a> 歌手</li>")));
  QString lrc;
  for (int k = 0; k < 200; ++k)
    lrc += QStringLiteral("[%1:%2.00]第%3行歌词\r\n")
               .arg(k / 60, 2, 10, QChar('0'))
               .arg(k % 60, 2, 10, QChar('0'))
               .arg(k);
  server.SetPage("/song.lrc", common::EncodeGbk(lrc));
  LoopbackHttpServer::Route silent;
  silent.kind = LoopbackHttpServer::Kind::Silent;
  server.Set("/stalled.mp3", silent);

  PageFetcher fetcher(paths, config);
  SongGridModel grid(SongGridModel::Kind::Songs);
  MenuForm menus;
  SilentPrompter prompter;
  PlaylistManager lists(grid, menus, prompter, paths, config);
  QDir().mkpath(paths.playlistDir());
  ListOfSongs(paths, 100000);
  lists.BuildListMenu();
  lists.MarkCurrent(QStringLiteral("default"));
  MpvPlayer::Options quiet;
  quiet.audioOutput = QStringLiteral("null");
  std::unique_ptr<MpvPlayer> fresh;

  struct Case {
    const char* name;
    Job job;
    int timeoutMs;
  };
  const std::vector<Case> cases = {
      {"search page 8 MiB: fetch, decode, scan",
       [&](auto done) {
         fetcher.Fetch(server.Url(QStringLiteral("/search.html")), QStringLiteral("temp.html"),
                       &app, [done](const web::FetchResult& r) {
                         web::ScanSogouResults(r.Joined());
                         web::ScanBaiduResults(r.Joined());
                         done();
                       });
       },
       20000},
      {"list of 100,000 songs: load",
       [&](auto done) {
         // A big list arrives through ListLoaded once the worker has read it.
         auto c = std::make_shared<QMetaObject::Connection>();
         *c = QObject::connect(&lists, &PlaylistManager::ListLoaded, &app, [c, done] {
           QObject::disconnect(*c);
           done();
         });
         lists.LoadLST();
       },
       20000},
      {"list of 100,000 songs: save after a change",
       [&](auto done) {
         grid.SetCell(1, 2, QStringLiteral("改过"));
         // A big list is written on a worker, and ListWritten says when it is on disk.
         auto c = std::make_shared<QMetaObject::Connection>();
         *c = QObject::connect(&lists, &PlaylistManager::ListWritten, &app, [c, done] {
           QObject::disconnect(*c);
           done();
         });
         lists.SaveList();
       },
       20000},
      {"lyrics: download and check",
       [&](auto done) {
         fetcher.FetchPlain(server.Url(QStringLiteral("/song.lrc")), QStringLiteral("temp.lrc"),
                            &app, [done](const web::FetchResult& r) {
                              lyrics::IsValidLrcLines(r.Lines());
                              done();
                            });
       },
       20000},
      {"first song: the media library starts",
       [&](auto done) {
         // A new player each run: its first song creates and starts mpv.
         fresh = std::make_unique<MpvPlayer>(quiet);
         PlayUntilEnd(*fresh, QStringLiteral("http://127.0.0.1:9/dead.mp3"), done);
       },
       10000},
      {"dead stream (connection refused)",
       // The player of the row above: mpv runs already.
       [&](auto done) {
         PlayUntilEnd(*fresh, QStringLiteral("http://127.0.0.1:9/dead.mp3"), done);
       },
       10000},
      {"stalled stream (3 s of no answer, then stop)",
       [&](auto done) {
         fresh->SetUrl(server.Url(QStringLiteral("/stalled.mp3")), UrlOrigin::Web);
         fresh->Play();
         QTimer::singleShot(3000, &app, [&fresh, done] {
           fresh->Stop();
           done();
         });
       },
       10000},
      {"chart page 1 MiB: fetch, decode, scan",
       [&](auto done) {
         fetcher.FetchPlain(server.Url(QStringLiteral("/chart.html")), QStringLiteral("temp.html"),
                            &app, [done](const web::FetchResult& r) {
                              web::ScanChart(web::ChartSource::SiteB, 0, r.Joined());
                              done();
                            });
       },
       20000},
  };

  // Rows of the table bench/run.sh prints: benchmark | figure | value | goal.
  for (const Case& c : cases) {
    std::vector<double> gaps, walls;
    for (int r = 0; r < runs; ++r) {
      const Outcome o = Measure(c.job, c.timeoutMs);
      gaps.push_back(o.longestGapMs);
      walls.push_back(o.wallMs);
    }
    std::sort(walls.begin(), walls.end());
    const double worst = *std::max_element(gaps.begin(), gaps.end());
    std::printf(
        "| GUI stall: %s | longest gap of %d runs (job took %.0f ms) | %.1f ms | <= %.0f ms %s |\n",
        c.name, runs, walls[walls.size() / 2], worst, kGoalMs, worst <= kGoalMs ? "ok" : "OVER");
    std::fflush(stdout);
  }
  return 0;
}
