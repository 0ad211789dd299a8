// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The album window as a user meets it, through the whole program and the demo service: the
// albums toggle shows a page of covers, a cover opens its album, its tracks play.
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include "albumpages.h"
#include "catalogue.h"
#include "demoserver.h"
#include "extras/albumbrowser.h"
#include "extras/ui/mtvwindow.h"
#include "extras/ui/qqpai.h"
#include "musicpages.h"
#include "support/apprun.h"

namespace {

bool HasCover(QQPai* window, int slot) {
  return !window->coverButton(slot)->icon().isNull();
}

class AlbumJourney : public AppRun {};

TEST_F(AlbumJourney, ToggleShowsCoversAnAlbumOpensAndItsTracksPlay) {
  DemoCatalogue catalogue;
  DemoServer server;
  RegisterMusicSearch(server, catalogue);
  RegisterAlbumPages(server, catalogue);
  ASSERT_TRUE(server.Listen(0));
  PointServicesAt(server.baseUrl());
  auto run = Launch();
  AppContext& app = *run;

  QQPai* window = app.albumWindow();
  ASSERT_FALSE(window->isVisible());
  auto* toggle = app.mainWindow()->findChild<QAbstractButton*>(QStringLiteral("Menus_3"));
  ASSERT_NE(toggle, nullptr);
  toggle->click();
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(toggle->isChecked());
  EXPECT_EQ(window->searchBox()->text(), QStringLiteral("输入歌手名..."));

  // The first Chinese pop page: 30 albums; covers fill in as they come, the missing one
  // (slot 4) never does, and the slow one (slot 2) does not hold the others up.
  ASSERT_TRUE(QTest::qWaitFor([&] { return app.albums().albums().size() == 30; }, 10000));
  EXPECT_FALSE(window->busyFrame()->isVisible());
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return HasCover(window, 0) && HasCover(window, 1) && HasCover(window, 29); }, 10000));
  EXPECT_FALSE(HasCover(window, 2)) << "the slow cover is still on its way";
  EXPECT_FALSE(HasCover(window, 4));
  EXPECT_TRUE(window->coverCaption(0)->isVisible());
  EXPECT_EQ(window->coverCaption(0)->text(), app.albums().albums().at(0).title);
  const QStringList cached =
      QDir(dir.Path("bin/PicTmp/Album")).entryList({QStringLiteral("*.bmp")}, QDir::Files);
  EXPECT_TRUE(cached.contains(QStringLiteral("100030.bmp"))) << cached.join(' ').toStdString();

  // Another group from the window's group menu, as a click would.
  app.menus().Item(QStringLiteral("mnuIcos"), 2)->trigger();
  EXPECT_EQ(app.menus().Item(QStringLiteral("Ztype"), 5)->text(), QStringLiteral("游戏音乐"));
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return app.albums().group() == 2 && !app.albums().busy(); }, 10000));
  ASSERT_EQ(app.albums().albums().size(), 30);
  const extras::AlbumItem chosen = app.albums().albums().at(1);

  window->coverButton(1)->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return window->pageFrame()->isVisible(); }, 10000));
  QListWidget* tracks = window->trackList();
  ASSERT_GE(tracks->count(), 1);
  EXPECT_EQ(app.albums().albumPage().title, chosen.title);
  EXPECT_EQ(app.albums().albumPage().singer, chosen.singer);

  // Play with nothing selected asks first; then every track is played.
  tracks->clearSelection();
  window->playButton()->click();
  EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral("未选取任何歌曲!")});
  tracks->selectAll();
  window->playButton()->click();
  SongGridModel* results = &Grid(app, 1);
  EXPECT_EQ(results->title(1), tracks->item(0)->text());
  EXPECT_EQ(results->cell(1, 2), chosen.singer);
  EXPECT_EQ(results->title(tracks->count()), tracks->item(tracks->count() - 1)->text());
  EXPECT_EQ(app.playlistWindow()->currentTab(), 1);
  EXPECT_EQ(app.albums().listTitle(), chosen.singer + QStringLiteral("的专辑[") + chosen.title +
                                          QStringLiteral("]-----选中播放"));

  MediaPlayer& player = app.player();
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == PlayState::Playing; }, 15000))
      << "state " << static_cast<int>(player.playState());
  EXPECT_EQ(app.engine().state().playingGrid, PlayingGrid::Results);
  EXPECT_EQ(app.engine().state().currentRow, 1);
  EXPECT_EQ(window->searchBox()->text(), chosen.singer) << "the playing song's singer";
  // The video window, built only now, still gets the playing song in its search box.
  EXPECT_EQ(app.musicVideoWindow()->searchBox()->text(), results->title(1));

  // The singer box lists that singer's albums.
  QTest::keyClick(window->searchBox(), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return app.albums().view() == AlbumBrowser::View::SingerAlbums; }, 10000));
  ASSERT_FALSE(app.albums().albums().isEmpty());
  for (const extras::AlbumItem& a : app.albums().albums()) EXPECT_EQ(a.singer, chosen.singer);

  toggle->click();
  EXPECT_FALSE(window->isVisible());
  app.Shutdown();
  EXPECT_FALSE(QDir(dir.Path("bin/PicTmp")).exists()) << "covers go at exit";
}

}  // namespace
