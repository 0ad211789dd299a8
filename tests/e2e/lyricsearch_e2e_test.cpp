// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program against the demo web service: a song without a lyrics file gets its
// lyrics from the lyrics engine while it plays, they follow the play position, and the manual
// window lists the hits and replaces the lyrics with the one picked.
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <iostream>

#include "catalogue.h"
#include "components/ui/lrcshow.h"
#include "demoserver.h"
#include "lyrics/lrchitmodel.h"
#include "lyrics/ui/frmlrc.h"
#include "lyrics/ui/lrcdown.h"
#include "lyricspages.h"
#include "musicpages.h"
#include "playback/ui/mainwindow.h"
#include "support/apprun.h"

namespace {

class LyricSearchEndToEnd : public AppRun {
 protected:
  void SetUp() override {
    RegisterMusicSearch(server, catalogue);
    RegisterLyricsSearch(server, catalogue);
    ASSERT_TRUE(server.Listen(0));
    PointServicesAt(server.baseUrl());
  }
  // Searches for the song's title until it is the first hit.
  void SearchFor(AppContext& app, const DemoSong& song) {
    QLineEdit* box = app.mainWindow()->searchBox();
    box->setText(song.title);
    QTest::keyClick(box, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Grid(app, 1).title(1) == song.title; }, 10000));
  }

  DemoCatalogue catalogue;
  DemoServer server;
};

TEST_F(LyricSearchEndToEnd, ASongWithoutLyricsGetsThemAndTheManualWindowReplacesThem) {
  auto run = Launch();
  AppContext& app = *run;
  ASSERT_TRUE(app.lyricsWindow()->isVisible()) << "shown by default";
  auto* display = app.lyricsWindow()->findChild<LrcShow*>(QStringLiteral("LRC1"));
  ASSERT_NE(display, nullptr);

  // 雨巷来信 (苏晚晴): the engine lists a cover by 群星, an error page and the song's own file.
  const DemoSong* song = catalogue.Song(2);
  ASSERT_EQ(song->title, QStringLiteral("雨巷来信"));
  SearchFor(app, *song);
  QElapsedTimer sinceClick;
  sinceClick.start();
  DoubleClickRow(app.playlistWindow()->grid(1), 1);
  MediaPlayer& player = app.player();
  ASSERT_TRUE(WaitPlaying(app));
  QElapsedTimer sincePlaying;
  sincePlaying.start();
  const QString lrcName = QStringLiteral("lrc/雨巷来信.lrc"), lrc = dir.Path(lrcName);
  ASSERT_TRUE(QTest::qWaitFor([&] { return display->loadedFile() == lrc; }, 10000))
      << display->messageLines().join(u' ').toStdString();
  std::cout << "[ measure ] double-click -> lyrics shown: " << sinceClick.elapsed()
            << " ms, playing -> lyrics shown: " << sincePlaying.elapsed() << " ms\n";
  EXPECT_LT(sincePlaying.elapsed(), 3000);
  EXPECT_EQ(dir.ReadFile(lrcName), DemoLyricsFile(*song, 2))
      << "the singer's own file, bytes as served";

  // The highlighted line follows the player: lines are spread evenly up to 4 s before the end.
  const double step = (song->seconds - 4) / 23.0;
  ASSERT_TRUE(QTest::qWaitFor([&] { return display->currentLine() >= 1; }, 3 * step * 1000));
  const int expected = static_cast<int>(player.currentPosition() / step);
  EXPECT_NEAR(display->currentLine(), expected, 1);

  // 手动选择 lists the hits; downloading the cover replaces the lyrics and keeps the old ones.
  Click(app, "xiazai", 0);
  LrcDown* down = app.lrcDownWindow();
  ASSERT_TRUE(down->isVisible());
  auto* hits = qobject_cast<LrcHitModel*>(down->grid()->model());
  ASSERT_TRUE(QTest::qWaitFor([&] { return hits->listed() == 3; }, 5000));
  EXPECT_EQ(hits->hit(1).singer, QStringLiteral("群星"));
  EXPECT_EQ(hits->hit(3).singer, QStringLiteral("苏晚晴"));
  EXPECT_EQ(dir.ReadFile(lrcName), DemoLyricsFile(*song, 2))
      << "the valid file stays during the search";

  const QRect first = down->grid()->visualRect(hits->index(0, 1));
  QTest::mouseClick(down->grid()->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_TRUE(down->linkLabel()->isVisibleTo(down));
  EXPECT_TRUE(down->linkLabel()->text().endsWith(QStringLiteral("/lrcfiles/2-0.lrc")));
  QTest::mouseClick(down->downloadButton(), Qt::LeftButton);
  EXPECT_FALSE(down->isVisible());
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return dir.ReadFile(lrcName) == DemoLyricsFile(*song, 0); }, 5000));
  EXPECT_EQ(dir.ReadFile(QStringLiteral("bin/backup/lrc/雨巷来信.lrc")), DemoLyricsFile(*song, 2));
  EXPECT_EQ(display->loadedFile(), lrc);
  app.Shutdown();
}

// A song the engine has no lyrics for says so in the display.
TEST_F(LyricSearchEndToEnd, NoLyricsAnywhereIsSaid) {
  auto run = Launch();
  AppContext& app = *run;
  auto* display = app.lyricsWindow()->findChild<LrcShow*>(QStringLiteral("LRC1"));

  const DemoSong* song = catalogue.Song(12);  // every sixth song has no lyrics
  ASSERT_TRUE(DemoLyricsHits(*song).isEmpty());
  SearchFor(app, *song);
  DoubleClickRow(app.playlistWindow()->grid(1), 1);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return display->messageLines().join(QString()) == QStringLiteral("暂无匹配歌词!"); },
      15000))
      << display->messageLines().join(u' ').toStdString();
  EXPECT_TRUE(QDir(dir.Path(QStringLiteral("lrc"))).entryList(QDir::Files).isEmpty());
  app.Shutdown();
}

}  // namespace
