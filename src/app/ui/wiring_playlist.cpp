// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist window and the playlist core: the window forwards, core acts.
#include "app/ui/appcontext.h"
#include "lyrics/lyricscontroller.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistmanager.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/ui/trayicon.h"
#include "web/resultrowplayer.h"

void AppContext::ConnectPlaylist() {
  PlaybackEngine* engine = engine_.get();
  engine->SetRowPlayAction(PlayingGrid::Playlist,
                           [engine](int row) { engine->PlayPlaylistRow(row); });
  playlistWindow_->SetRowPlayingQuery(
      [engine](PlayingGrid grid, int row) { return engine->IsPlayingRow(grid, row); });
  connect(playlistWindow_, &PlaylistWindow::PlaylistRowActivated, engine,
          &PlaybackEngine::PlayPlaylistRow);
  connect(engine, &PlaybackEngine::PlaylistRowStarting, lyrics_.get(),
          &LyricsController::OnSongStarted);
  connect(engine, &PlaybackEngine::PlaylistRowStarted, tray_.get(),
          [this](int, const QString& title) { tray_->SetPlayingTitle(title); });
  connect(playlistWindow_, &PlaylistWindow::StatusText, engine, &PlaybackEngine::ShowStatus);
  connect(playlists_.get(), &PlaylistManager::StatusText, engine, &PlaybackEngine::ShowStatus);
  connect(playlistWindow_, &PlaylistWindow::ResultRowActivated, resultPlayer_.get(),
          &ResultRowPlayer::MSF1_DblClick);
  connect(playlistWindow_, &PlaylistWindow::CloseClicked, mainWindow_,
          [this] { mainWindow_->SetPlaylistShown(false); });
}
