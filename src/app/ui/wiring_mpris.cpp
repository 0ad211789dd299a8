// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's media controls: the bridge follows the engine, the bus publishes the bridge.
#include <QTimer>

#include "app/mprisbridge.h"
#include "app/mprisservice.h"
#include "app/ui/appcontext.h"
#include "components/mpvplayer.h"
#include "components/ui/lrcshow.h"
#include "config/settingscommands.h"
#include "download/downloader.h"
#include "lyrics/lyricscontroller.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"

void AppContext::ConnectMpris() {
  if (mprisService_ || shuttingDown_ || !MprisService::SessionBusConfigured()) return;
  MprisBridge::Hooks hooks;
  hooks.setPlayMode = [this](int mode) { settings_->mnuModes_Click(mode); };
  hooks.raise = [this] { mainWindow_->ComeForward(); };
  // After the bus has had its answer.
  hooks.quit = [this] { QTimer::singleShot(0, this, &AppContext::Shutdown); };
  hooks.lyricLine = [this] {
    const QList<LrcDocument::Line>& lines = lrcShow_->document().lines();
    const int line = lrcShow_->currentLine();
    if (lrcShow_->loadedFile().isEmpty() || line < 0 || line >= lines.size()) return QString();
    return lines[line].text;
  };
  hooks.artFor = [this](const QString& singer) {
    return app::CachedSingerPicture(paths_.picTmpDir(), singer);
  };
  mpris_ = std::make_unique<MprisBridge>(*engine_, config_, std::move(hooks));
  MprisBridge* bridge = mpris_.get();
  connect(player_.get(), &MediaPlayer::PlayStateChanged, bridge, &MprisBridge::OnPlayStateChanged);
  connect(engine_.get(), &PlaybackEngine::StatusLineChanged, bridge, &MprisBridge::OnPolled);
  connect(engine_.get(), &PlaybackEngine::VolumeChanged, bridge, &MprisBridge::ScheduleRefresh);
  connect(engine_.get(), &PlaybackEngine::Seeked, bridge, &MprisBridge::OnSeeked);
  connect(engine_.get(), &PlaybackEngine::LyricsReset, bridge, &MprisBridge::OnLyricsMoved);
  connect(lyrics_.get(), &LyricsController::PositionShown, bridge, &MprisBridge::OnLyricsMoved);
  connect(settings_.get(), &SettingsCommands::ConfigChanged, bridge, &MprisBridge::ScheduleRefresh);
  // A singer picture that arrives after the song started becomes its art.
  connect(pictureDownloader_.get(), &Downloader::DownloadComplete, bridge,
          &MprisBridge::OnPictureCached);
  mprisService_ = MprisService::Publish(*bridge);
  if (!mprisService_) mpris_.reset();
}
