// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The connections between the areas, grouped by area.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>

#include "config/configstore.h"
#include "config/settingscommands.h"
#include "config/settingsmenus.h"
#include "app/signalwatcher.h"
#include "app/ui/appcontext.h"
#include "common/vbcolor.h"
#include "components/mpvplayer.h"
#include "components/ui/lrcshow.h"
#include "lyrics/lyricscontroller.h"
#include "lyrics/ui/frmlrc.h"
#include "playback/playbackengine.h"
#include "playback/satelliteswitch.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistmanager.h"
#include "playlist/songgridmodel.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/ui/dockmanager.h"
#include "shell/ui/monitorwindow.h"
#include "shell/ui/trayicon.h"
#include "shell/ui/traypopup.h"
#include "shell/onlinenotice.h"
#include "web/pagefetcher.h"
#include "web/resultrowplayer.h"
#include "web/servicehosts.h"
#include "web/songsearch.h"

namespace {
constexpr int kLyricsToggle = 0;
}

QMenu* AppContext::BuildMenu(const QString& array, const QString& title) {
  auto* menu = new QMenu(title, mainWindow_);
  menu->addActions(menus_.Items(array));
  return menu;
}

QMenu* AppContext::BuildSettingsMenu() {
  auto* menu = new QMenu(QStringLiteral("设置"), mainWindow_);
  const QList<QAction*> sorts = menus_.Items(app::kSortsMenu);
  const QString arrays[] = {app::kEngineMenu, app::kLyricsEngineMenu, app::kFormatMenu,
                            app::kOptionsMenu, app::kSetsMenu};
  for (int i = 0; i < 5; ++i) {
    QMenu* sub = BuildMenu(arrays[i], sorts[i]->text());
    if (i == 4) sub->insertSeparator(menus_.Item(app::kSetsMenu, 6));
    menu->addMenu(sub);
  }
  QMenu* colors = menu->addMenu(QStringLiteral("颜色配置"));
  const QString colorNames[] = {QStringLiteral("歌词颜色"), QStringLiteral("背景颜色"),
                                QStringLiteral("高亮颜色")};
  for (int k = 0; k < 3; ++k) colors->addMenu(BuildMenu(app::ColorMenu(k), colorNames[k]));
  menu->addSeparator();
  menu->addAction(sorts[5]);
  menu->addAction(sorts[6]);
  return menu;
}

void AppContext::ConnectMenus() {
  connect(&menus_, &MenuForm::Triggered, settings_.get(), &SettingsCommands::OnMenuTriggered);
  connect(&menus_, &MenuForm::Triggered, engine_.get(), &PlaybackEngine::OnMenuTriggered);
  connect(&menus_, &MenuForm::Triggered, this, [this](const QString& array, int index) {
    if (array == app::kListMenu) playlists_->LList_Click(index);
    if (array == QLatin1String("ALists")) playlists_->ALists_Click(index);
  });
  // The monitor toggle's check mark follows the window.
  if (QAction* item = menus_.Item(app::kSortsMenu, 5))
    connect(item, &QAction::triggered, this, [this, item] { item->setChecked(monitorWindow_->isVisible()); });
}

void AppContext::ConnectConfig() {
  playlists_->SetSaveConfig([this] { SaveConfig(); });
  connect(store_.get(), &ConfigStore::CurrentListRead, playlists_.get(), &PlaylistManager::MarkCurrent);
  connect(store_.get(), &ConfigStore::ConfigLoaded, this, [this] {
    player_->SetVolume(config_.volume);
    mainWindow_->PlaceVolumeKnob(config_.volume);
    lyrics_->ApplyColors();
    if (config_.showLyrics) {
      lyricsWindow_->show();
      dock_->DockAll();
    } else {
      lyricsWindow_->hide();
    }
    mainWindow_->SetToggleState(kLyricsToggle, config_.showLyrics);
  });
  connect(settings_.get(), &SettingsCommands::SearchEngineChanged, this,
          [this] { engine_->state().currentRow = 0; });
  connect(settings_.get(), &SettingsCommands::LyricsColorsChanged, this,
          [this] { lyrics_->ApplyColors(); });
  connect(settings_.get(), &SettingsCommands::MonitorToggleRequested, this, [this] {
    dock_->ToggleMonitor();
    mainWindow_->SetToggleState(kLyricsToggle, lyricsWindow_->isVisible());
  });
  connect(dock_.get(), &DockManager::MonitorToggled, this, [this](bool) { SaveConfig(); });
}

void AppContext::ConnectPlaylist() {
  engine_->SetRowPlayAction(PlayingGrid::Playlist, [this](int row) {
    msf_->SetSelectedRow(row);
    playlistWindow_->MSF_DblClick();
  });
  connect(playlistWindow_, &PlaylistWindow::PlaylistRowStarting, this,
          [this](int row, const QString& text) {
            engine_->PrepareSong(PlayingGrid::Playlist, row, ListKind::Playlist, text);
            lyrics_->OnSongStarted();
          });
  connect(playlistWindow_, &PlaylistWindow::PlaylistRowStarted, this,
          [this](int, const QString& title) { tray_->SetPlayingTitle(title); });
  connect(playlistWindow_, &PlaylistWindow::StatusText, engine_.get(), &PlaybackEngine::ShowStatus);
  connect(playlistWindow_, &PlaylistWindow::ResultRowActivated, resultPlayer_.get(),
          &ResultRowPlayer::MSF1_DblClick);
  connect(playlistWindow_, &PlaylistWindow::CloseClicked, this,
          [this] { mainWindow_->SetPlaylistShown(false); });
}

void AppContext::ConnectEngine() {
  connect(engine_.get(), &PlaybackEngine::VolumeChanged, this, [this](int v) { config_.volume = v; });
  connect(engine_.get(), &PlaybackEngine::VolumeSaveWanted, this, &AppContext::SaveConfig);
  connect(engine_.get(), &PlaybackEngine::MonitorValuesChanged, monitorWindow_,
          &MonitorWindow::SetValues);
  connect(engine_.get(), &PlaybackEngine::LyricsReset, lyrics_.get(), &LyricsController::OnPlayerStopped);
  connect(engine_.get(), &PlaybackEngine::LyricsWanted, lyrics_.get(),
          [this](const QString&) { lyrics_->ShowLrcIfNeeded(); });
  connect(engine_.get(), &PlaybackEngine::LyricsTick, lyrics_.get(), &LyricsController::OnLyricsTick);
  connect(engine_.get(), &PlaybackEngine::ExitWanted, this, &AppContext::Shutdown,
          Qt::QueuedConnection);
  connect(engine_.get(), &PlaybackEngine::CaptionChanged, this, [this](const QString&) {
    tray_->SetPlayingTitle(engine_->state().titleText);
  });
}

void AppContext::ConnectMainWindow() {
  // The side windows share the place beside the main window: showing one hides the others.
  satellites_->SetWindow(SatelliteSwitch::Lyrics,
                         {[this] { return lyricsWindow_->isVisible(); },
                          [this](bool on) { lyricsWindow_->setVisible(on); }});
  satellites_->SetWindow(SatelliteSwitch::Monitor,
                         {[this] { return monitorWindow_->isVisible(); },
                          [this](bool on) { monitorWindow_->setVisible(on); }});
  satellites_->saveConfig = [this] { SaveConfig(); };
  satellites_->showLyricsNow = [this] { lyrics_->ShowLrcIfNeeded(); };
  connect(mainWindow_, &MainWindow::SatelliteToggleRequested, this, [this](int index) {
    if (satellites_->Toggle(index)) dock_->DockAll();
    mainWindow_->SetToggleState(kLyricsToggle, lyricsWindow_->isVisible());
  });
  connect(mainWindow_, &MainWindow::PlaylistToggleRequested, this, [this] {
    const bool show = !playlistWindow_->isVisible();
    playlistWindow_->setVisible(show);
    if (show) dock_->DockAll();
    mainWindow_->SetPlaylistShown(show);
  });
  connect(mainWindow_, &MainWindow::SearchRequested, this, [this](const QString& key) {
    if (search_->StartFromBox(key)) engine_->state().listKind = ListKind::WebResults;
  });
  connect(mainWindow_, &MainWindow::HideSatellitesRequested, this, &AppContext::HideSatellites);
  connect(mainWindow_, &MainWindow::HideToTrayRequested, this, [this] {
    // Without a tray nothing could bring a hidden window back: minimise instead.
    if (tray_->visible())
      mainWindow_->hide();
    else
      mainWindow_->showMinimized();
  });
  connect(mainWindow_, &SkinnedWindow::CloseClicked, this, &AppContext::Shutdown,
          Qt::QueuedConnection);
}

void AppContext::HideSatellites() {
  if (lyricsWindow_->isVisible()) {
    lyricsWindow_->hide();
    SaveConfig();
  }
  monitorWindow_->hide();
  playlistWindow_->hide();
  mainWindow_->SetPlaylistShown(false);
  mainWindow_->SetToggleState(kLyricsToggle, false);
}

void AppContext::ConnectLyrics() {
  connect(lrcShow_->notifier(), &LyricsDisplayNotifier::NeededWidth, lyricsWindow_,
          &FrmLrc::OnNeededWidth);
  connect(lrcShow_->notifier(), &LyricsDisplayNotifier::PositionPicked, lyrics_.get(),
          &LyricsController::OnPositionPicked);
  connect(lyricsWindow_, &FrmLrc::VisibilityChanged, this, [this](bool visible) {
    lyrics_->SetWindowVisible(visible);
    mainWindow_->SetToggleState(kLyricsToggle, visible);
  });
  connect(lyricsWindow_, &SkinnedWindow::CloseClicked, this, &AppContext::SaveConfig);
  connect(lyricsWindow_, &FrmLrc::SideWindowsHideWanted, this, [this] { monitorWindow_->hide(); });
  connect(lyricsWindow_, &FrmLrc::LengthCheckDismissed, settings_.get(),
          &SettingsCommands::DisableLrcFormatCheck);
  connect(settings_.get(), &SettingsCommands::LyricsAutoDownloadSwitchedOn, lyrics_.get(),
          &LyricsController::ShowLrcIfNeeded);
}

void AppContext::ConnectWeb() {
  engine_->SetRowPlayAction(PlayingGrid::Results, resultPlayer_->RowPlayAction());
  connect(search_.get(), &SongSearch::BusyChanged, this, [this](bool visible, const QString& text) {
    QLabel* loads = playlistWindow_->loadsLabel();
    loads->setText(text);
    loads->setVisible(visible);
  });
  connect(search_.get(), &SongSearch::ResultsTabWanted, this, [this] {
    resultPlayer_->SetShowsRadio(false);
    playlistWindow_->TabSel(1);
  });
  connect(search_.get(), &SongSearch::SearchBoxCleared, this,
          [this] { mainWindow_->searchBox()->clear(); });
  connect(resultPlayer_.get(), &ResultRowPlayer::PreparingRow, lyrics_.get(),
          [this](int) { lyrics_->OnSongStarted(); });
  connect(resultPlayer_.get(), &ResultRowPlayer::MonitorCandidatesChanged, monitorWindow_,
          &MonitorWindow::SetCandidates);
  connect(resultPlayer_.get(), &ResultRowPlayer::PlayStarted, this,
          [this](int, const QString&) { tray_->SetPlayingTitle(engine_->state().titleText); });
}

void AppContext::ConnectShell() {
  monitorWindow_->SetWebResultPlaying([this] {
    const PlaybackState& s = engine_->state();
    return s.playingGrid == PlayingGrid::Results && s.listKind == ListKind::WebResults;
  });
  connect(monitorWindow_, &MonitorWindow::CandidateChosen, this, [this](int k) {
    const int row = engine_->state().currentRow;
    msf1_->SetSelectedRow(row);
    resultPlayer_->SetCurrentCandidate(k - 1);
    resultPlayer_->MSF1_DblClick(row);
  });
  connect(trayPopup_, &TrayPopup::ControlChosen, engine_.get(), &PlaybackEngine::mnuControls_Click);
  connect(signals_.get(), &SignalWatcher::TerminationRequested, this, &AppContext::Shutdown);

  notice_->SetFetch([this](OnlineNotice::Done done) {
    const QString url = hosts_->Host(ServiceHosts::kOnlineNotice) + QStringLiteral("/notice.htm");
    fetcher_->FetchPlain(url, QStringLiteral("notice.html"), notice_.get(),
                         [done](const web::FetchResult& page) {
                           done(page.ok ? std::optional<QString>(page.text) : std::nullopt);
                         });
  });
  connect(notice_.get(), &OnlineNotice::NoticeFound, monitorWindow_, &MonitorWindow::SetOnlineNotice);
}
