// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The singer window: lookups for the playing song, the 歌手 toggle and option, the forum link
// and the songs it plays through the result grid.
#include "app/ui/appcontext.h"
#include "components/mediaplayer.h"
#include "config/settingscommands.h"
#include "extras/singerprofile.h"
#include "extras/singerscan.h"
#include "extras/ui/frmnet.h"
#include "playback/playbackengine.h"
#include "playback/satelliteswitch.h"
#include "playback/ui/mainwindow.h"
#include "playlist/gridrows.h"
#include "playlist/songgridmodel.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/ui/dockmanager.h"
#include "web/chartloader.h"
#include "web/pagefetcher.h"
#include "web/resultrowplayer.h"
#include "web/servicehosts.h"
#include "web/songsearch.h"

void AppContext::ConnectSinger() {
  singer_->SetNameSources([this] { return engine_->state().artistText; },
                          [this] { return player().GetItemInfo(QStringLiteral("Author")); });
  satellites_->SetWindow(SatelliteSwitch::Singer, {[this] { return singerWindowShown(); },
                                                   [this](bool on) {
                                                     if (on || singerWindow_)
                                                       singerWindow()->setVisible(on);
                                                   }});
  satellites_->songPlaying = [this] { return player().playState() == PlayState::Playing; };
  satellites_->lookUpSinger = [this] { singer_->ShowSingerProfile(false); };

  // A new song with the option on: the window comes forward beside the main window.
  connect(engine_.get(), &PlaybackEngine::SingerWindowWanted, this, [this] {
    if (!singerWindowShown()) satellites_->Toggle(SatelliteSwitch::Singer);
    dock_->DockAll();
  });
  connect(engine_.get(), &PlaybackEngine::SingerLookupWanted, singer_.get(),
          [this] { singer_->ShowSingerProfile(false); });
  connect(settings_.get(), &SettingsCommands::SingerOptionChanged, this, [this](bool on) {
    if (on != singerWindowShown()) satellites_->Toggle(SatelliteSwitch::Singer);
    if (on) dock_->DockAll();
  });

  // The songs replace whatever the result grid held, as a search's hits would.
  connect(singer_.get(), &SingerProfile::PlayRequested, this,
          [this](const QString&, const QString& singer, const QStringList& songs) {
            search_->Cancel();
            charts_->Cancel();
            web::ClearCheck(menus_);
            if (engine_->state().playingGrid == PlayingGrid::Results) engine_->ForgetCurrentRow();
            resultPlayer_->SetShowsRadio(false);
            msf1_->Setup();
            playlistWindow_->TabSel(1);
            engine_->SetListKind(ListKind::WebResults);
            msf1_->BeginBulk();
            for (const QString& title : songs)
              playlist::AddResultRow(*msf1_, title, singer, QStringLiteral("00:00"), QString());
            msf1_->EndBulk();
            web::TidyResultGrid(*msf1_);
            msf1_->SetSelectedRow(1);
            playlistWindow_->MSF1_DblClick();
          });
}

FrmNet* AppContext::singerWindow() {
  if (singerWindow_) return singerWindow_;
  singerWindow_ = new FrmNet(*singer_);
  connect(singerWindow_, &FrmNet::VisibilityChanged, this, [this](bool visible) {
    if (visible) singerWindow_->PlaceFirstTime(mainWindow_->geometryTwips());
    mainWindow_->SetToggleState(kSingerToggle, visible);
  });
  connect(singerWindow_, &FrmNet::ForumWanted, this, [this](const QString& name) {
    web::OpenInBrowser(extras::SingerForumAddress(hosts_->Host(ServiceHosts::kSogouForum), name));
  });
  dock_->Register(DockIndex::Singer, singerWindow_);
  return singerWindow_;
}

bool AppContext::singerWindowShown() const {
  return singerWindow_ && singerWindow_->isVisible();
}
