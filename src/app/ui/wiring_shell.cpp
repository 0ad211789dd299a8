// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor window, the tray, the online notice and termination signals.
#include "app/signalwatcher.h"
#include "app/ui/appcontext.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/songgridmodel.h"
#include "shell/monitormodel.h"
#include "shell/onlinenotice.h"
#include "shell/ui/dockmanager.h"
#include "shell/ui/monitorwindow.h"
#include "shell/ui/traypopup.h"
#include "web/pagefetcher.h"
#include "web/resultrowplayer.h"
#include "web/servicehosts.h"

void AppContext::ConnectShell() {
  connect(trayPopup_, &TrayPopup::ControlChosen, engine_.get(), &PlaybackEngine::mnuControls_Click);
  connect(signals_.get(), &SignalWatcher::TerminationRequested, this, &AppContext::Shutdown);

  notice_->SetFetch([this](OnlineNotice::Done done) {
    const QString url = hosts_->Host(ServiceHosts::kOnlineNotice) + QStringLiteral("/notice.htm");
    fetcher_->FetchPlain(url, QStringLiteral("notice.html"), notice_.get(),
                         [done](const web::FetchResult& page) {
                           done(page.ok ? std::optional<QString>(page.text) : std::nullopt);
                         });
  });
  connect(notice_.get(), &OnlineNotice::NoticeFound, monitorModel_.get(),
          &MonitorModel::SetOnlineNotice);
}

MonitorWindow* AppContext::monitorWindow() {
  if (monitorWindow_) return monitorWindow_;
  monitorWindow_ = new MonitorWindow(*monitorModel_);
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
  monitorWindow_->FitToMainWindow(mainWindow_->geometryTwips());
  dock_->Register(DockIndex::Monitor, monitorWindow_);
  return monitorWindow_;
}
