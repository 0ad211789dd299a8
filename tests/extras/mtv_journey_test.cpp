// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program against the demo service: the MTV toggle opens the video window, a search
// lists hits, a double-click plays one through the window's own player while the song
// pauses, the video is saved through the download window, and stopping it resumes the song.
#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QToolButton>

#include "catalogue.h"
#include "components/ui/videosurface.h"
#include "demoserver.h"
#include "downloadpages.h"
#include "extras/ui/mtvwindow.h"
#include "mtvpages.h"
#include "playlist/playlistmanager.h"
#include "support/apprun.h"

namespace {

constexpr int kWaitMs = 15000;

class MtvJourney : public AppRun {
 protected:
  void SetUp() override {
    RegisterMtvPages(server, catalogue);
    RegisterDownloads(server, catalogue);
    ASSERT_TRUE(server.Listen(0));
    PointServicesAt(server.baseUrl());
    QSignalSpy ready(&app, &AppContext::StartupFinished);
    app.Start();
    ASSERT_TRUE(ready.wait(5000));
    window = app.musicVideoWindow();
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { app.Shutdown(); }

  void Trigger(const char* array, int index) { Click(app, array, index); }
  void SearchFor(const QString& words) {
    QLineEdit* box = window->searchBox();
    QTest::mouseClick(box, Qt::LeftButton);
    box->setText(words);
    QTest::keyClick(box, Qt::Key_Return);
  }
  bool Listed(int row, const QString& title) {
    auto* model = window->grid()->model();
    return QTest::qWaitFor([&] { return model->index(row - 1, 1).data().toString() == title; },
                           kWaitMs);
  }
  void DoubleClickRow(int row) { ::DoubleClickRow(window->grid(), row); }
  bool StateIs(MediaPlayer& player, PlayState state) {
    return QTest::qWaitFor([&] { return player.playState() == state; }, kWaitMs);
  }

  DemoCatalogue catalogue;
  DemoServer server;
  AppContext app{dir.paths(), lockDir.path(), &prompter};
  MtvWindow* window = nullptr;
};

TEST_F(MtvJourney, VideoPlaysWhileTheSongPausesThenIsSavedAndTheSongResumes) {
  MediaPlayer& song = app.player();
  song.SetUrl(server.baseUrl() + QStringLiteral("/download/song/1.wav"), UrlOrigin::Web);
  song.Play();
  ASSERT_TRUE(StateIs(song, PlayState::Playing));

  auto* toggle = app.mainWindow()->findChild<QAbstractButton*>(QStringLiteral("MTV1"));
  ASSERT_NE(toggle, nullptr);
  QTest::mouseClick(toggle, Qt::LeftButton);
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->searchBox()->text(), QStringLiteral("输入歌名/ 歌手名..."));

  SearchFor(QStringLiteral("青石板路"));
  ASSERT_TRUE(Listed(1, QStringLiteral("青石板路 MV")));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return window->countLabel()->text() == QStringLiteral("共找到 2 条相关信息"); },
      kWaitMs));
  EXPECT_EQ(window->videoSurface(), nullptr) << "no native surface before a video plays";

  DoubleClickRow(1);
  MediaPlayer& video = app.videoPlayer();
  ASSERT_TRUE(StateIs(video, PlayState::Playing)) << static_cast<int>(video.playState());
  EXPECT_TRUE(video.url().endsWith(QStringLiteral("/video/mv1.wmv")));
  EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("正在播放: 青石板路 MV --- 陈野"));
  ASSERT_TRUE(StateIs(song, PlayState::Paused));
  ASSERT_NE(window->videoSurface(), nullptr);
  // The surface is native on its own: its parents and siblings stay plain widgets.
  EXPECT_EQ(window->videoArea()->internalWinId(), 0u);
  EXPECT_EQ(window->grid()->internalWinId(), 0u);

  const QString saved = dir.Path("saved/青石板路 MV.wmv");
  QDir().mkpath(dir.Path("saved"));
  prompter.QueuePath(saved);
  Trigger("abc1", 3);  // 下载
  ASSERT_FALSE(prompter.asked().isEmpty());
  EXPECT_EQ(prompter.asked().last().message.title, QStringLiteral("下载歌曲文件"));
  EXPECT_TRUE(prompter.asked().last().defaultText.endsWith(QStringLiteral("/青石板路 MV.wmv")))
      << prompter.asked().last().defaultText.toStdString();
  QFile expected(QStringLiteral(TW_DEMO_VIDEO_DIR "/mv1.wmv"));
  ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
  const QByteArray bytes = expected.readAll();
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo(saved).size() == bytes.size(); }, kWaitMs));

  Trigger("abc1", 1);  // 停止
  EXPECT_EQ(video.playState(), PlayState::Stopped);
  EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("播放已停止"));
  EXPECT_TRUE(StateIs(song, PlayState::Playing)) << "the song picks up after the video";
}

TEST_F(MtvJourney, RefusedServerEntryPlaysNothingAndTheSongGoesOn) {
  MediaPlayer& song = app.player();
  song.SetUrl(server.baseUrl() + QStringLiteral("/download/song/2.wav"), UrlOrigin::Web);
  song.Play();
  ASSERT_TRUE(StateIs(song, PlayState::Playing));
  QTest::mouseClick(app.mainWindow()->findChild<QAbstractButton*>(QStringLiteral("MTV1")),
                    Qt::LeftButton);
  SearchFor(QStringLiteral("星河渡口"));
  ASSERT_TRUE(Listed(2, QStringLiteral("星河渡口 现场版")));
  DoubleClickRow(2);  // its page names a server the table maps to a file: address
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return window->statusLabel()->text() == QStringLiteral("对不起,MTV地址查询失败"); },
      kWaitMs));
  EXPECT_NE(app.videoPlayer().playState(), PlayState::Playing);
  EXPECT_TRUE(app.videoPlayer().url().isEmpty());
  EXPECT_EQ(song.playState(), PlayState::Playing);

  // The main play button while a video plays stops the video and the song goes on.
  DoubleClickRow(1);
  ASSERT_TRUE(StateIs(app.videoPlayer(), PlayState::Playing));
  ASSERT_TRUE(StateIs(song, PlayState::Paused));
  Trigger("mnuControls", 0);  // 播放/暂停
  EXPECT_EQ(app.videoPlayer().playState(), PlayState::Stopped);
  EXPECT_TRUE(StateIs(song, PlayState::Playing));

  // Closing the window stops whatever plays in it.
  DoubleClickRow(1);
  ASSERT_TRUE(StateIs(app.videoPlayer(), PlayState::Playing));
  window->closeButton()->click();
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(app.videoPlayer().playState(), PlayState::Stopped);
}

// "MTV欣赏" on a playlist row: the video window opens and lists the videos of its singer.
TEST_F(MtvJourney, RowMenuSearchesTheRowsSinger) {
  SongGridModel& playlist = app.playlists().grid();
  SongEntry row;
  row.title = QStringLiteral("夏夜的海");
  row.singer = QStringLiteral("林澈");
  row.path = QStringLiteral("http://127.0.0.1:1/a.mp3");
  playlist.SetEntry(1, row);
  playlist.SetSelectedRow(1);
  EXPECT_FALSE(window->isVisible());
  Trigger("MTVls", 1);  // 按歌手
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->searchBox()->text(), QStringLiteral("林澈"));
  ASSERT_TRUE(Listed(6, QStringLiteral("海风(Live版) 现场版")));
  Trigger("MTVls", 0);  // 按歌名, the window already open
  ASSERT_TRUE(Listed(1, QStringLiteral("夏夜的海 MV")));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return window->countLabel()->text() == QStringLiteral("共找到 2 条相关信息"); },
      kWaitMs));
}

// A video that ends by itself hands its output back; the next one must get it again (on X11
// this once lost the program's X connection).
TEST_F(MtvJourney, ASecondVideoPlaysAfterTheFirstEnds) {
  QTest::mouseClick(app.mainWindow()->findChild<QAbstractButton*>(QStringLiteral("MTV1")),
                    Qt::LeftButton);
  SearchFor(QStringLiteral("青石板路"));
  ASSERT_TRUE(Listed(1, QStringLiteral("青石板路 MV")));
  DoubleClickRow(1);
  ASSERT_TRUE(StateIs(app.videoPlayer(), PlayState::Playing));
  ASSERT_TRUE(StateIs(app.videoPlayer(), PlayState::Stopped));
  EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("播放已停止"));
  QTest::qWait(500);  // mpv goes idle some 400 ms after the end
  DoubleClickRow(2);
  EXPECT_TRUE(StateIs(app.videoPlayer(), PlayState::Playing))
      << static_cast<int>(app.videoPlayer().playState());
  EXPECT_EQ(window->statusLabel()->text(), QStringLiteral("正在播放: 青石板路 现场版 --- 陈野"));
}

}  // namespace
