// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Charts and radio categories: their menus, the chart-name grid and the result grid they fill.
#include <QLabel>
#include <QMenu>
#include <QTableView>

#include "app/ui/appcontext.h"
#include "components/mediaplayer.h"
#include "playback/playbackengine.h"
#include "playback/radioreconnect.h"
#include "playlist/ui/playlistwindow.h"
#include "web/chartloader.h"
#include "web/radiostations.h"
#include "web/resultrowplayer.h"
#include "web/songsearch.h"

void AppContext::ConnectCharts() {
  charts_->CreateMenu();
  radio_->CreateMenu();
  web::ClearCheck(menus_);
  menus_.Connect(QStringLiteral("BList"), charts_.get(), &ChartLoader::BList_Click);
  menus_.Connect(QStringLiteral("DList"), radio_.get(), &RadioStations::DList_Click);
  menus_.Connect(QStringLiteral("LoadBL"), charts_.get(), &ChartLoader::LoadBL_Click);

  // The "榜单加载" button: the two lists of the chart-name grid, then both menus themselves.
  QMenu* loader = BuildMenu(QStringLiteral("LoadBL"), QStringLiteral("榜单加载"));
  loader->addSeparator();
  loader->addMenu(BuildMenu(QStringLiteral("BList"), QStringLiteral("榜单列表")));
  loader->addMenu(BuildMenu(QStringLiteral("DList"), QStringLiteral("电台列表")));
  playlistWindow_->SetButtonMenu(4, loader);
  playlistWindow_->SetChartModeProvider([this] { return charts_->shownList() == 0; });

  connect(playlistWindow_, &PlaylistWindow::ChartRowActivated, this, [this](int row) {
    if (charts_->shownList() == 0)
      charts_->BList_Click(row - 1);
    else
      radio_->DList_Click(row - 1);
  });
  // The chart grid's own menu: items 1 and 2 are the loader's two lists.
  connect(playlistWindow_, &PlaylistWindow::ChartListMenuTriggered, charts_.get(),
          [this](int index) { charts_->LoadBL_Click(index - 1); });

  // Whoever fills the result grid last owns it: a chart or a category ends a search or chart
  // still loading, and a search ends a chart.
  auto replaced = [this](bool radio) {
    search_->Cancel();
    if (radio) charts_->Cancel();
    if (engine_->state().playingGrid == PlayingGrid::Results) engine_->ForgetCurrentRow();
    resultPlayer_->SetShowsRadio(radio);
    playlistWindow_->TabSel(1);
  };
  connect(charts_.get(), &ChartLoader::ResultGridReplaced, this, [replaced] { replaced(false); });
  connect(radio_.get(), &RadioStations::ResultGridReplaced, this, [replaced] { replaced(true); });
  connect(search_.get(), &SongSearch::BusyChanged, charts_.get(), [this](bool busy) {
    if (busy) charts_->Cancel(/*quiet=*/true);
  });
  connect(charts_.get(), &ChartLoader::BusyChanged, playlistWindow_, &PlaylistWindow::ShowLoading);

  // A station that drops while it plays comes back by itself.
  engine_->SetStreamEndHandler([this](bool failed) { return reconnect_->OnStreamEnded(failed); });
  connect(engine_.get(), &PlaybackEngine::Polled, reconnect_.get(), [this](int state) {
    if (state == static_cast<int>(PlayState::Playing) &&
        engine_->state().listKind == ListKind::Radio)
      reconnect_->OnPlaying();
  });
}
