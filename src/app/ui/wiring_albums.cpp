// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The album window: its toggle on the main window, its docking, and the tracks it plays
// through the result grid.
#include <QLineEdit>

#include "app/ui/appcontext.h"
#include "extras/albumbrowser.h"
#include "extras/ui/qqpai.h"
#include "lyrics/ui/frmlrc.h"
#include "playback/playbackengine.h"
#include "playback/satelliteswitch.h"
#include "playback/ui/mainwindow.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/ui/dockmanager.h"
#include "web/chartloader.h"
#include "web/resultrowplayer.h"
#include "web/songsearch.h"

namespace {
constexpr int kAlbumToggle = 3;  // Menus(3)
}  // namespace

void AppContext::ConnectAlbums() {
  albums_->CreateMenus();
  satellites_->SetWindow(SatelliteSwitch::Albums,
                         {[this] { return albumWindow_ && albumWindow_->isVisible(); },
                          [this](bool on) {
                            if (!on && !albumWindow_) return;
                            albumWindow()->setVisible(on);
                            mainWindow_->SetToggleState(kAlbumToggle, on);
                            if (on) albums_->ShowFirstList();
                          }});
  // A song that starts puts its singer into the window's singer box.
  connect(engine_.get(), &PlaybackEngine::SearchBoxesText, this, [this](const QString& artist) {
    albumSearchText_ = artist;
    if (albumWindow_) albumWindow_->searchBox()->setText(artist);
  });

  // The album's tracks replace whatever the result grid held, as a chart does.
  connect(albums_.get(), &AlbumBrowser::ResultGridReplaced, this, [this] {
    search_->Cancel();
    charts_->Cancel();
    if (engine_->state().playingGrid == PlayingGrid::Results) engine_->ForgetCurrentRow();
    resultPlayer_->SetShowsRadio(false);
    playlistWindow_->TabSel(1);
  });
  connect(albums_.get(), &AlbumBrowser::PlayRowWanted, this, [this](int row) {
    engine_->SetListKind(ListKind::WebResults);
    resultPlayer_->MSF1_DblClick(row);
  });
}

QQPai* AppContext::albumWindow() {
  if (albumWindow_) return albumWindow_;
  albumWindow_ = new QQPai(*albums_, menus_);
  if (albumSearchText_) albumWindow_->searchBox()->setText(*albumSearchText_);
  connect(albumWindow_, &SkinnedWindow::CloseClicked, mainWindow_,
          [this] { mainWindow_->SetToggleState(kAlbumToggle, false); });
  dock_->Register(DockIndex::Album, albumWindow_);
  // The album window starts undocked, first shown where a docked one would sit.
  albumWindow_->MoveTwips(DockLayout::DockedPosition(
      static_cast<int>(DockIndex::Album), mainWindow_->geometryTwips(),
      lyricsWindow_->geometryTwips(), albumWindow_->geometryTwips().size()));
  return albumWindow_;
}
