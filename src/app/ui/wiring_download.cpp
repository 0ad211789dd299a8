// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Saving what plays: the main window's download button and the rows' "下载" items, the
// download window and the progress line under the main window's track.
#include "app/ui/appcontext.h"
#include "components/mediaplayer.h"
#include "download/songdownload.h"
#include "download/ui/donload.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/ui/playlistwindow.h"

void AppContext::ConnectDownloads() {
  auto run = [this] {
    const PlaybackState& s = engine_->state();
    songDownload_->Run(s.listKind == ListKind::Radio, player().playState() == PlayState::Playing,
                       s.titleText, player().url());
  };
  connect(mainWindow_, &MainWindow::DownloadRequested, this, run);
  connect(playlistWindow_, &PlaylistWindow::DownloadRequested, this, run);
  connect(songDownload_.get(), &SongDownload::WindowWanted, this, [this] {
    downloadWindow()->show();
    donload_->raise();
  });
  connect(songDownload_.get(), &SongDownload::Progress, mainWindow_,
          &MainWindow::ShowDownloadProgress);
  connect(songDownload_.get(), &SongDownload::Ended, mainWindow_,
          &MainWindow::HideDownloadProgress);
}

Donload* AppContext::downloadWindow() {
  // The window follows the downloader from its first download on: it is asked for before the
  // download begins.
  if (!donload_) donload_ = new Donload(*downloader_);
  return donload_;
}
