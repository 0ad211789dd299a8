// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Song search and the result grid's rows.
#include <QLabel>
#include <QTableView>

#include "app/ui/appcontext.h"
#include "lyrics/lyricscontroller.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/monitormodel.h"
#include "shell/ui/trayicon.h"
#include "web/pagefetcher.h"
#include "web/resultrowplayer.h"
#include "web/songsearch.h"

void AppContext::ConnectWeb() {
  engine_->SetRowPlayAction(PlayingGrid::Results, resultPlayer_->RowPlayAction());
  connect(search_.get(), &SongSearch::BusyChanged, playlistWindow_, &PlaylistWindow::ShowLoading);
  connect(search_.get(), &SongSearch::ResultsTabWanted, this, [this] {
    resultPlayer_->SetShowsRadio(false);
    playlistWindow_->TabSel(1);
  });
  connect(search_.get(), &SongSearch::Failed, engine_.get(), &PlaybackEngine::ShowStatus);
  connect(fetcher_.get(), &PageFetcher::BusyChanged, mainWindow_, &MainWindow::SetBusy);
  connect(resultPlayer_.get(), &ResultRowPlayer::PreparingRow, lyrics_.get(),
          &LyricsController::OnSongStarted);
  // The newest user action wins: a song chosen while a search runs ends that search.
  connect(resultPlayer_.get(), &ResultRowPlayer::PreparingRow, search_.get(), &SongSearch::Cancel);
  connect(engine_.get(), &PlaybackEngine::PlaylistRowStarting, search_.get(), &SongSearch::Cancel);
  connect(engine_.get(), &PlaybackEngine::PlaylistRowStarting, resultPlayer_.get(),
          &ResultRowPlayer::ForgetHit);
  connect(resultPlayer_.get(), &ResultRowPlayer::MonitorCandidatesChanged, monitorModel_.get(),
          &MonitorModel::SetCandidates);
  connect(resultPlayer_.get(), &ResultRowPlayer::MonitorCurrentCandidate, monitorModel_.get(),
          &MonitorModel::MarkCandidateRow);
  connect(resultPlayer_.get(), &ResultRowPlayer::PlayStarted, tray_.get(),
          [this] { tray_->SetPlayingTitle(engine_->state().titleText); });
}
