// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The lyrics search, its manual download window and the menu items that open it.
#include "app/ui/appcontext.h"
#include "lyrics/lyricscontroller.h"
#include "lyrics/lyricssearch.h"
#include "lyrics/ui/frmlrc.h"
#include "lyrics/ui/lrcdown.h"
#include "playback/playbackengine.h"
#include "web/resultrowplayer.h"

void AppContext::ConnectLyricSearch() {
  LyricsSearch* search = lyricSearch_.get();
  lyrics_->SetSearchLyrics(
      [search](const QString& path, const QString& title) { search->SearchLyrics(path, title); });

  LrcDown::AddDownloadMenu(menus_);
  connect(menus_.Array(QStringLiteral("xiazai")), &MenuArray::Triggered, this,
          [this](int item) { lrcDownWindow()->xiazai_Click(static_cast<LrcDown::Item>(item)); });
  connect(lyricsWindow_, &FrmLrc::ManualSearchWanted, this,
          [this] { lrcDownWindow()->xiazai_Click(LrcDown::Item::ManualPick); });

  // A search belongs to the song that started it.
  connect(engine_.get(), &PlaybackEngine::PlaylistRowStarting, search, &LyricsSearch::Cancel);
  connect(resultPlayer_.get(), &ResultRowPlayer::PreparingRow, search, &LyricsSearch::Cancel);
}

LrcDown* AppContext::lrcDownWindow() {
  if (lrcDown_) return lrcDown_;
  lrcDown_ = new LrcDown(*lrcHits_);
  LyricsSearch* search = lyricSearch_.get();
  connect(lrcDown_, &LrcDown::ManualSearchWanted, search, &LyricsSearch::SearchForPlayingSong);
  connect(lrcDown_, &LrcDown::DownloadWanted, search, [this, search](int row) {
    if (search->DownloadRow(row)) lrcDown_->OnDownloadStarted();
  });
  return lrcDown_;
}
