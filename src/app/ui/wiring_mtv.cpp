// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Music videos: the window and its own player, the main window's MTV toggle, the song that
// pauses while a video plays, and saving the playing video.
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>

#include "app/ui/appcontext.h"
#include "components/mpvplayer.h"
#include "download/songdownload.h"
#include "extras/mtvhitmodel.h"
#include "extras/musicvideo.h"
#include "extras/ui/mtvwindow.h"
#include "lyrics/ui/frmlrc.h"
#include "playback/playbackengine.h"
#include "playback/satelliteswitch.h"
#include "playback/ui/mainwindow.h"
#include "playlist/songgridmodel.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/ui/dockmanager.h"
#include "web/pagefetcher.h"

void AppContext::ConnectMusicVideo() {
  videoPlayer_ = std::make_unique<MpvPlayer>();
  mtvHits_ = std::make_unique<MtvHitModel>();
  musicVideo_ = std::make_unique<MusicVideo>(*fetcher_, *hosts_, *videoPlayer_, *mtvHits_);
  MusicVideo* mtv = musicVideo_.get();
  menus_.Connect(MusicVideo::kHitMenu, mtv, &MusicVideo::MTV001_Click);
  menus_.Connect(MusicVideo::kPlayerMenu, mtv, &MusicVideo::abc1_Click);

  // The surface is made, and handed to the player, only when the first video is about to play.
  connect(mtv, &MusicVideo::VideoAboutToPlay, this, [this] {
    const quintptr wid = musicVideoWindow()->EnsureVideoSurface();
    if (QGuiApplication::platformName() == QLatin1String("xcb")) videoPlayer_->SetVideoWindow(wid);
  });
  // A song playing under a video is paused, and picks up again when the video ends, unless
  // the user has started or stopped it in between.
  connect(mtv, &MusicVideo::VideoStarted, this, [this] {
    if (player_->playState() != PlayState::Playing) return;
    engine_->PlayPause();
    songPausedForVideo_ = true;
  });
  connect(mtv, &MusicVideo::VideoFinished, this, [this] {
    if (!std::exchange(songPausedForVideo_, false)) return;
    if (player_->playState() == PlayState::Paused) engine_->PlayPause();
  });
  // The main play button while a video plays: the video stops and the song goes on.
  connect(engine_.get(), &PlaybackEngine::MusicVideoStopWanted, this, [this] {
    songPausedForVideo_ = false;
    if (videoPlayer_->playState() == PlayState::Playing) videoPlayer_->Stop();
  });
  connect(engine_.get(), &PlaybackEngine::SearchBoxesText, this,
          [this](const QString& artist, const QString& title) {
            mtvSearchText_ = title.trimmed().isEmpty() ? artist : title;
            if (mtvWindow_) mtvWindow_->SetSearchText(mtvSearchText_);
          });
  connect(
      mtv, &MusicVideo::DownloadWanted, this, [this](const QString& title, const QString& address) {
        songDownload_->Run(false, videoPlayer_->playState() == PlayState::Playing, title, address);
      });

  satellites_->SetWindow(SatelliteSwitch::MusicVideo,
                         {[this] { return mtvWindow_ && mtvWindow_->isVisible(); },
                          [this](bool on) {
                            if (on || mtvWindow_) musicVideoWindow()->setVisible(on);
                          }});
  satellites_->musicVideoPlaying = [this] {
    return videoPlayer_->playState() == PlayState::Playing;
  };
  satellites_->stopMusicVideo = [this] { videoPlayer_->Stop(); };
  satellites_->searchMusicVideos = [this] {
    musicVideo_->SearchFromBox(musicVideoWindow()->searchBox()->text());
  };
  auto toggle = [this] {
    if (satellites_->Toggle(SatelliteSwitch::MusicVideo)) dock_->DockAll();
    ShowSatelliteToggles();
  };
  connect(mainWindow_, &MainWindow::MusicVideoToggleRequested, this, toggle);

  // "MTV欣赏" under the playlist's and the results' row menus: the videos of the picked row's
  // title or singer, in the video window (opened as the MTV toggle opens it).
  auto searchBy = [this](const QString& title) {
    auto* menu = new QMenu(title, playlistWindow_);
    menu->addActions(menus_.Items(MusicVideo::kSearchByMenu));
    return menu;
  };
  playlistWindow_->SetVideoMenus(searchBy(QStringLiteral("MTV欣赏")),
                                 searchBy(QStringLiteral("MTV欣赏")));
  connect(menus_.Array(MusicVideo::kSearchByMenu), &MenuArray::Triggered, this,
          [this, toggle](int item) {
            const SongGridModel& grid = playlistWindow_->currentTab() == 0 ? *msf_ : *msf1_;
            const int row = grid.selectedRow();
            const QString words =
                (item == static_cast<int>(MusicVideo::SearchByItem::Title) ? grid.title(row)
                                                                           : grid.cell(row, 2))
                    .trimmed();
            if (words.isEmpty()) return;
            musicVideoWindow()->SetSearchText(words);
            if (mtvWindow_->isVisible())
              musicVideo_->SearchFromBox(words);
            else
              toggle();  // showing the window searches for what its box holds
          });
}

MtvWindow* AppContext::musicVideoWindow() {
  if (mtvWindow_) return mtvWindow_;
  mtvWindow_ = new MtvWindow(*musicVideo_, *mtvHits_, menus_);
  if (!mtvSearchText_.isEmpty()) mtvWindow_->SetSearchText(mtvSearchText_);
  dock_->Register(DockIndex::MusicVideo, mtvWindow_);
  return mtvWindow_;
}
