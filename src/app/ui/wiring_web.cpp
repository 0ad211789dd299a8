// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Song search and the result grid's rows.
#include <QLabel>
#include <QLineEdit>

#include "app/ui/appcontext.h"
#include "lyrics/lyricscontroller.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/ui/monitorwindow.h"
#include "shell/ui/trayicon.h"
#include "web/resultrowplayer.h"
#include "web/songsearch.h"

void AppContext::ConnectWeb() {
  engine_->SetRowPlayAction(PlayingGrid::Results, resultPlayer_->RowPlayAction());
  connect(search_.get(), &SongSearch::BusyChanged, playlistWindow_,
          [this](bool visible, const QString& text) {
            QLabel* loads = playlistWindow_->loadsLabel();
            loads->setText(text);
            loads->setVisible(visible);
          });
  connect(search_.get(), &SongSearch::ResultsTabWanted, this, [this] {
    resultPlayer_->SetShowsRadio(false);
    playlistWindow_->TabSel(1);
  });
  connect(search_.get(), &SongSearch::SearchBoxCleared, mainWindow_->searchBox(),
          &QLineEdit::clear);
  connect(resultPlayer_.get(), &ResultRowPlayer::PreparingRow, lyrics_.get(),
          &LyricsController::OnSongStarted);
  connect(resultPlayer_.get(), &ResultRowPlayer::MonitorCandidatesChanged, monitorWindow_,
          &MonitorWindow::SetCandidates);
  connect(resultPlayer_.get(), &ResultRowPlayer::PlayStarted, tray_.get(),
          [this] { tray_->SetPlayingTitle(engine_->state().titleText); });
}
