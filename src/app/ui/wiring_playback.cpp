// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The engine and the main window: transport, status, the side-window toggles and the search box.
#include <QDesktopServices>
#include <QLineEdit>

#include "app/ui/aboutwindow.h"
#include "app/ui/appcontext.h"
#include "config/settingscommands.h"
#include "extras/ui/frmnet.h"
#include "extras/ui/piclist.h"
#include "extras/ui/qqpai.h"
#include "lyrics/lyricscontroller.h"
#include "lyrics/ui/frmlrc.h"
#include "playback/playbackengine.h"
#include "playback/satelliteswitch.h"
#include "playback/ui/mainwindow.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/monitormodel.h"
#include "shell/ui/dockmanager.h"
#include "shell/ui/monitorwindow.h"
#include "shell/ui/trayicon.h"
#include "web/servicehosts.h"
#include "web/songsearch.h"

void AppContext::ConnectEngine() {
  PlaybackEngine* engine = engine_.get();
  connect(engine, &PlaybackEngine::VolumeSaveWanted, this, &AppContext::SaveConfig);
  connect(engine, &PlaybackEngine::MonitorValuesChanged, monitorModel_.get(),
          &MonitorModel::SetValues);
  connect(engine, &PlaybackEngine::LyricsReset, lyrics_.get(), &LyricsController::OnPlayerStopped);
  connect(engine, &PlaybackEngine::LyricsWanted, lyrics_.get(), &LyricsController::ShowLrcIfNeeded);
  connect(engine, &PlaybackEngine::LyricsTick, lyrics_.get(), &LyricsController::OnLyricsTick);
  connect(engine, &PlaybackEngine::ExitWanted, this, &AppContext::Shutdown, Qt::QueuedConnection);
  connect(engine, &PlaybackEngine::CaptionChanged, tray_.get(),
          [this] { tray_->SetPlayingTitle(engine_->state().titleText); });
}

void AppContext::ShowSatelliteToggles() {
  // Showing one side window hides the others: every toggle follows its window.
  for (int w = SatelliteSwitch::Lyrics; w <= SatelliteSwitch::MusicVideo; ++w)
    mainWindow_->SetToggleState(w, satellites_->IsVisible(static_cast<SatelliteSwitch::Window>(w)));
}

void AppContext::ConnectMainWindow() {
  // The side windows share the place beside the main window: showing one hides the others.
  satellites_->SetWindow(SatelliteSwitch::Lyrics,
                         {[this] { return lyricsWindow_->isVisible(); },
                          [this](bool on) { lyricsWindow_->setVisible(on); }});
  satellites_->SetWindow(SatelliteSwitch::Monitor,
                         {[this] { return monitorWindow_ && monitorWindow_->isVisible(); },
                          [this](bool on) {
                            if (on || monitorWindow_) monitorWindow()->setVisible(on);
                          }});
  satellites_->saveConfig = [this] { SaveConfig(); };
  satellites_->showLyricsNow = [this] { lyrics_->ShowLrcIfNeeded(); };
  connect(mainWindow_, &MainWindow::SatelliteToggleRequested, this, [this](int index) {
    if (satellites_->Toggle(index)) dock_->DockAll();
    ShowSatelliteToggles();
  });
  connect(mainWindow_, &MainWindow::PlaylistToggleRequested, this, [this] {
    const bool show = !playlistWindow_->isVisible();
    playlistWindow_->setVisible(show);
    if (show) dock_->DockAll();
    mainWindow_->SetPlaylistShown(show);
  });
  connect(mainWindow_, &MainWindow::SearchRequested, this, [this](const QString& key) {
    if (search_->StartFromBox(key)) engine_->SetListKind(ListKind::WebResults);
  });
  connect(mainWindow_, &MainWindow::HideSatellitesRequested, this, &AppContext::HideSatellites);
  connect(mainWindow_, &MainWindow::DownloadPageRequested, this, [this] {
    if (const QUrl page = hosts_->HomePageUrl(); page.isValid()) QDesktopServices::openUrl(page);
  });
  connect(settings_.get(), &SettingsCommands::AboutRequested, this, [this] {
    constexpr int kAbout = static_cast<int>(DockIndex::About);
    AboutWindow* about = aboutWindow();
    if (dock_->docked(kAbout)) dock_->Dock(kAbout);
    about->show();
    about->raise();
  });
  connect(mainWindow_, &MainWindow::QuitRequested, this, &AppContext::Shutdown,
          Qt::QueuedConnection);
  connect(mainWindow_, &SkinnedWindow::CloseClicked, this, &AppContext::Shutdown,
          Qt::QueuedConnection);
}

void AppContext::HideSatellites() {
  if (lyricsWindow_->isVisible()) {
    lyricsWindow_->hide();
    SaveConfig();
  }
  if (monitorWindow_) monitorWindow_->hide();
  if (singerWindow_) singerWindow_->hide();
  if (albumWindow_) albumWindow_->hide();
  mainWindow_->SetToggleState(SatelliteSwitch::Albums, false);
  if (picList_) picList_->hide();
  mainWindow_->SetToggleState(SatelliteSwitch::Pictures, false);
  playlistWindow_->hide();
  mainWindow_->SetPlaylistShown(false);
  mainWindow_->SetToggleState(kLyricsToggle, false);
}

AboutWindow* AppContext::aboutWindow() {
  if (!aboutWindow_) {
    aboutWindow_ = new AboutWindow;
    dock_->Register(DockIndex::About, aboutWindow_);
  }
  return aboutWindow_;
}
