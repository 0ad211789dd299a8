// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program against the demo web service: with "显示歌手档案" on, a playing song's
// singer shows in the singer window with picture, facts and songs, and 全部播放 plays them
// through the result grid.
#include <QAbstractButton>
#include <QDesktopServices>
#include <QFileInfo>
#include <QListWidget>
#include <QToolButton>

#include "catalogue.h"
#include "demoserver.h"
#include "extras/singerprofile.h"
#include "extras/ui/frmnet.h"
#include "musicpages.h"
#include "playlist/playlistmanager.h"
#include "singerpages.h"
#include "support/apprun.h"

namespace {

// Receives what the program hands to the desktop's browser.
class BrowserStub : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;
 public slots:
  void Open(const QUrl& url) { opened << url; }
};

class SingerEndToEnd : public AppRun {};

TEST_F(SingerEndToEnd, PlayingSongShowsItsSingerAndPlayAllFillsTheResultGrid) {
  DemoCatalogue catalogue;
  DemoServer server;
  RegisterMusicSearch(server, catalogue);
  RegisterSingerPages(server, catalogue);
  ASSERT_TRUE(server.Listen(0));
  PointServicesAt(server.baseUrl());
  auto run = Launch();
  AppContext& app = *run;

  // 显示歌手档案 on: the singer window shows.
  QAction* option = app.menus().Item(QStringLiteral("more"), 0);
  ASSERT_NE(option, nullptr);
  option->trigger();
  EXPECT_TRUE(app.config().showArtist);
  FrmNet* window = app.singerWindow();
  EXPECT_TRUE(window->isVisible());

  // A demo song of 林澈 starts from the playlist.
  app.playlists().AddSongRow(QStringLiteral("月光码头"), QStringLiteral("林澈"),
                             QStringLiteral("00:00"), server.baseUrl() + "/audio/1-1.wav");
  Grid(app, 0).SetSelectedRow(1);
  app.playlistWindow()->MSF_DblClick();

  const SingerView& view = app.singer().view();
  ASSERT_TRUE(
      QTest::qWaitFor([&] { return view.singles == QStringLiteral("3") && !view.busy; }, 15000))
      << view.status.toStdString();
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("L1"))->text(), QStringLiteral("林澈"));
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("L3"))->text(), QStringLiteral("Lin Che"));
  EXPECT_EQ(window->songList()->count(), 3);
  EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("Label2"))->text(),
            QStringLiteral("成功获取3首歌曲"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window->showsStandbyPicture(); }, 10000));
  EXPECT_TRUE(QFileInfo(dir.Path("bin/PicTmp/林澈/1.png")).isFile());
  EXPECT_TRUE(window->isVisible());

  // The name links to the singer's forum page in the desktop's browser.
  BrowserStub browser;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "Open");
  QTest::mouseClick(window->findChild<QLabel*>(QStringLiteral("Label1")), Qt::LeftButton);
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  ASSERT_EQ(browser.opened.size(), 1);
  EXPECT_EQ(browser.opened.at(0).path(), QStringLiteral("/t"));
  EXPECT_EQ(browser.opened.at(0).port(), QUrl(server.baseUrl()).port());

  // The 歌手 toggle hides the window and shows it again; the singer shown is not fetched again.
  auto* toggle = app.mainWindow()->findChild<QAbstractButton*>(QStringLiteral("Menus_1"));
  ASSERT_NE(toggle, nullptr);
  QTest::mouseClick(toggle, Qt::LeftButton);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(app.config().showArtist);
  QTest::mouseClick(toggle, Qt::LeftButton);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(app.config().showArtist);
  EXPECT_FALSE(view.busy) << "a lookup starts by showing the busy frame";
  EXPECT_EQ(view.englishName, QStringLiteral("Lin Che"));

  // 全部播放: the result grid holds the three songs under the list title and plays the first.
  window->findChild<QToolButton*>(QStringLiteral("Image4"))->click();
  SongGridModel* results = &Grid(app, 1);
  EXPECT_EQ(app.singer().listTitle(), QStringLiteral("林澈的歌曲列表-----全部播放"));
  EXPECT_EQ(app.playlistWindow()->currentTab(), 1);
  EXPECT_EQ(results->title(1), QStringLiteral("月光码头"));
  EXPECT_EQ(results->title(3), QStringLiteral("海风(Live版)"));
  EXPECT_EQ(results->cell(2, 2), QStringLiteral("林澈"));
  EXPECT_TRUE(results->title(4).isEmpty());
  EXPECT_EQ(app.engine().state().listKind, ListKind::WebResults);
  ASSERT_TRUE(QTest::qWaitFor(
      [&] {
        return app.player().playState() == PlayState::Playing &&
               app.engine().state().playingGrid == PlayingGrid::Results;
      },
      20000));
  EXPECT_EQ(app.engine().state().currentRow, 1);
  app.Shutdown();
}

}  // namespace

#include "singer_e2e_test.moc"
