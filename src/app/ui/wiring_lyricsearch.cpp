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
  menus_.Connect(QStringLiteral("xiazai"), lrcDown_, &LrcDown::xiazai_Click);
  connect(lyricsWindow_, &FrmLrc::ManualSearchWanted, lrcDown_,
          [this] { lrcDown_->xiazai_Click(LrcDown::Item::ManualPick); });
  connect(lrcDown_, &LrcDown::ManualSearchWanted, search, &LyricsSearch::SearchForPlayingSong);
  connect(lrcDown_, &LrcDown::DownloadWanted, search, [this, search](int row) {
    if (search->DownloadRow(row)) lrcDown_->OnDownloadStarted();
  });

  // A search belongs to the song that started it.
  connect(engine_.get(), &PlaybackEngine::PlaylistRowStarting, search, &LyricsSearch::Cancel);
  connect(resultPlayer_.get(), &ResultRowPlayer::PreparingRow, search, &LyricsSearch::Cancel);
}
