// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The lyrics window, its display and the lyrics controller.
#include "app/ui/appcontext.h"
#include "components/ui/lrcshow.h"
#include "config/settingscommands.h"
#include "lyrics/lyricscontroller.h"
#include "lyrics/ui/frmlrc.h"
#include "playback/ui/mainwindow.h"
#include "shell/ui/monitorwindow.h"

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
  connect(lyricsWindow_, &FrmLrc::SideWindowsHideWanted, this, [this] {
    if (monitorWindow_) monitorWindow_->hide();
  });
  connect(lyricsWindow_, &FrmLrc::LengthCheckDismissed, settings_.get(),
          &SettingsCommands::DisableLrcFormatCheck);
  connect(settings_.get(), &SettingsCommands::LyricsAutoDownloadSwitchedOn, lyrics_.get(),
          &LyricsController::ShowLrcIfNeeded);
}
