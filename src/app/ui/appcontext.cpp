// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/appcontext.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <utility>

#include "app/firstrun.h"
#include "app/instancelock.h"
#include "app/lifecycle.h"
#include "app/mprisbridge.h"
#include "app/mprisservice.h"
#include "app/signalwatcher.h"
#include "app/ui/aboutwindow.h"
#include "app/ui/initsplash.h"
#include "common/twips.h"
#include "components/mpvplayer.h"
#include "components/ui/lrcshow.h"
#include "config/configstore.h"
#include "config/settingscommands.h"
#include "config/settingsmenus.h"
#include "download/downloader.h"
#include "download/songdownload.h"
#include "download/ui/donload.h"
#include "extras/albumbrowser.h"
#include "extras/mtvhitmodel.h"
#include "extras/musicvideo.h"
#include "extras/picsearch.h"
#include "extras/picviewer.h"
#include "extras/singerprofile.h"
#include "extras/ui/frmnet.h"
#include "extras/ui/mtvwindow.h"
#include "extras/ui/piclist.h"
#include "extras/ui/qqpai.h"
#include "extras/ui/showpic.h"
#include "extras/wallpaper.h"
#include "lyrics/lrchitmodel.h"
#include "lyrics/lyricscontroller.h"
#include "lyrics/lyricssearch.h"
#include "lyrics/ui/frmlrc.h"
#include "lyrics/ui/lrcdown.h"
#include "playback/playbackengine.h"
#include "playback/radioreconnect.h"
#include "playback/satelliteswitch.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistmanager.h"
#include "playlist/playlistmenus.h"
#include "playlist/songgridmodel.h"
#include "playlist/ui/playlistwindow.h"
#include "shell/onlinenotice.h"
#include "shell/ui/dockmanager.h"
#include "shell/ui/monitorwindow.h"
#include "shell/ui/qtprompter.h"
#include "shell/ui/skin.h"
#include "shell/ui/trayicon.h"
#include "shell/ui/traypopup.h"
#include "tags/ui/frmid3tag.h"
#include "web/chartloader.h"
#include "web/pagefetcher.h"
#include "web/radiostations.h"
#include "web/resultrowplayer.h"
#include "web/servicehosts.h"
#include "web/songsearch.h"

namespace {
constexpr int kSplashMs = 3000;
const QString kIdleLyrics = QStringLiteral("Tunewharf歌词秀");

QString DefaultLockFolder() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  return dir;
}
}  // namespace

AppContext::AppContext(std::optional<AppPaths> paths, const QString& lockFolder, Prompter* prompter)
    : paths_(paths ? *paths : AppPaths(QString())),
      resolvePaths_(!paths),
      lockFolder_(lockFolder.isEmpty() ? DefaultLockFolder() : lockFolder),
      qtPrompter_(std::make_unique<QtPrompter>()),
      prompter_(prompter ? prompter : qtPrompter_.get()),
      lock_(std::make_unique<InstanceLock>(lockFolder_)) {}

void AppContext::ResolvePaths() {
  // Resolving probes and seeds folders: only an instance past the lock may do it.
  if (store_) return;
  if (resolvePaths_) paths_ = AppPaths::Resolve();
  store_ = std::make_unique<ConfigStore>(config_, menus_, paths_, *prompter_);
  settings_ = std::make_unique<SettingsCommands>(config_, menus_, *store_, *prompter_);
}

AppContext::~AppContext() {
  // The bus bridge reaches into the windows: it goes before them.
  mprisService_.reset();
  mpris_.reset();
  // Windows refer to the models and the engine: they go first.
  delete splash_;
  tray_.reset();
  delete singerWindow_;
  delete albumWindow_;
  // The video player draws into a window of the video window: it closes its output first.
  videoPlayer_.reset();
  delete mtvWindow_;
  delete showPic_;
  delete picList_;
  delete donload_;
  delete tagEditor_;
  delete aboutWindow_;
  delete trayPopup_;
  delete monitorWindow_;
  delete lrcDown_;
  delete lyricsWindow_;
  delete playlistWindow_;
  delete mainWindow_;
}

void AppContext::AbandonRowsAtExit() {
  // Held from a static so a leak checker still sees them as reachable.
  static SongGridModel* left[3];
  left[0] = msf_.release();
  left[1] = msf1_.release();
  left[2] = msf2_.release();
}

MediaPlayer& AppContext::player() {
  return *player_;
}
MediaPlayer& AppContext::videoPlayer() {
  return *videoPlayer_;
}

bool AppContext::Main() {
  // A second instance touches no folder and reads no file: it wakes the first and ends.
  if (lock_->IsAlreadyRunning()) {
    lock_->ActivatePreviousInstance();
    return false;
  }
  connect(lock_.get(), &InstanceLock::ActivationRequested, this, [this] {
    if (mainWindow_) mainWindow_->ComeForward();
  });
  // The desktop's media controls come once the window shows, so the bus never delays it.
  connect(this, &AppContext::StartupFinished, this, &AppContext::ConnectMpris,
          Qt::QueuedConnection);
  const QString marker = app::FirstRunMarkerPath();
  if (!app::IsFirstRun(marker)) {
    Start();
    return true;
  }
  splash_ = new InitSplash;
  splash_->show();
  QTimer::singleShot(kSplashMs, this, [this, marker] {
    app::WriteFirstRunMarker(marker);
    delete splash_;
    splash_ = nullptr;
    Start();
  });
  return true;
}

void AppContext::Build() {
  // Every popup menu of the program wears the skin.
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance()))
    app->setStyleSheet(app->styleSheet() + skin::MenuStyle());
  player_ = std::make_unique<MpvPlayer>();
  msf_ = std::make_unique<SongGridModel>(SongGridModel::Kind::Songs);
  msf1_ = std::make_unique<SongGridModel>(SongGridModel::Kind::Songs);
  msf2_ = std::make_unique<SongGridModel>(SongGridModel::Kind::Charts);
  playlists_ = std::make_unique<PlaylistManager>(*msf_, menus_, *prompter_, paths_, config_);
  engine_ = std::make_unique<PlaybackEngine>(*player_, config_, *msf_, *msf1_);
  commands_ = std::make_unique<PlaylistCommands>(*playlists_, *msf1_, *prompter_, engine_->state(),
                                                 *player_);
  hosts_ = std::make_unique<ServiceHosts>(ServiceHosts::Load(paths_.servicesFile()));
  fetcher_ = std::make_unique<PageFetcher>(paths_, config_);
  search_ = std::make_unique<SongSearch>(*fetcher_, *hosts_, config_, *msf1_);
  resultPlayer_ = std::make_unique<ResultRowPlayer>(*fetcher_, *hosts_, config_, *engine_, *msf1_);
  resultPlayer_->SetPlaylistGrid(msf_.get());
  charts_ =
      std::make_unique<ChartLoader>(*fetcher_, *hosts_, config_, paths_, menus_, *msf1_, *msf2_);
  radio_ = std::make_unique<RadioStations>(paths_, menus_, *msf1_);
  reconnect_ = std::make_unique<RadioReconnect>(*engine_, *player_);

  CreateMenus();
  mainWindow_ = new MainWindow(*engine_, menus_);
  mainWindow_->installEventFilter(this);
  qtPrompter_->SetParentWindow(mainWindow_);
  // Video files draw into the main window's display area where a real window system exists.
  if (QGuiApplication::platformName() == QLatin1String("xcb"))
    player_->SetVideoWindowSource(
        [w = mainWindow_] { return quintptr(w->videoSurface()->winId()); });
  playlistWindow_ = new PlaylistWindow(*playlists_, *commands_, *msf1_, *msf2_, menus_);
  lrcShow_ = new LrcShow;
  lyrics_ = std::make_unique<LyricsController>(engine_->state(), *player_, *lrcShow_, config_,
                                               paths_, *prompter_);
  lyricsWindow_ = new FrmLrc(*lyrics_, *lrcShow_, lrcShow_, menus_);
  lrcHits_ = std::make_unique<LrcHitModel>();
  lyricSearch_ = std::make_unique<LyricsSearch>(*fetcher_, *hosts_, config_, paths_,
                                                engine_->state(), *player_, *lyrics_, *lrcHits_);
  monitorModel_ = std::make_unique<MonitorModel>();
  dock_ = std::make_unique<DockManager>();
  satellites_ = std::make_unique<SatelliteSwitch>(config_);
  notice_ = std::make_unique<OnlineNotice>();
  trayPopup_ = new TrayPopup;
  downloader_ = std::make_unique<Downloader>(fetcher_->network());
  songDownload_ = std::make_unique<SongDownload>(*downloader_, *prompter_, paths_.downloadDir());
  pictureDownloader_ = std::make_unique<Downloader>(fetcher_->network());
  pictureDownloader_->SetMaxBytes(web::kPictureMaxBytes);
  singer_ = std::make_unique<SingerProfile>(
      *fetcher_, *pictureDownloader_, *prompter_,
      [this] { return hosts_->Host(ServiceHosts::kSogouSearch); }, paths_.picTmpDir());
  albums_ = std::make_unique<AlbumBrowser>(*fetcher_, *pictureDownloader_, *hosts_, paths_, menus_,
                                           *msf1_, *prompter_);
  tray_ = std::make_unique<TrayIcon>(mainWindow_, trayPopup_);
  signals_ = std::make_unique<SignalWatcher>();

  playlistWindow_->SetButtonMenu(2, BuildSettingsMenu());
  playlistWindow_->SetButtonMenu(3, BuildMenu(app::kModeMenu, QStringLiteral("模式")));

  ConnectMenus();
  ConnectConfig();
  ConnectPlaylist();
  ConnectEngine();
  ConnectMainWindow();
  ConnectLyrics();
  ConnectLyricSearch();
  ConnectWeb();
  ConnectCharts();
  ConnectShell();
  ConnectTags();
  ConnectDownloads();
  ConnectSinger();
  ConnectAlbums();
  ConnectMusicVideo();
  ConnectPictures();
}

void AppContext::CreateMenus() {
  app::CreateSettingsMenus(menus_);
  playlist::CreatePlaylistMenus(menus_);
  PlaybackEngine::AddControlsMenu(menus_);
  FrmLrc::AddOptionsMenu(menus_);
  MusicVideo::AddMenus(menus_);
}

void AppContext::PlaceMainWindow() {
  mainWindow_->resize(common::TwipsToPx(MainWindow::kWidth),
                      common::TwipsToPx(MainWindow::kHeight));
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  // Left edge at half the screen width less the window width; the docked windows hang below
  // and to the right, so the set sits a little above the middle.
  const int left = area.left() + area.width() / 2 - mainWindow_->width();
  const int top = area.top() + qMax(0, (area.height() - common::TwipsToPx(1920 + 4530)) / 2);
  mainWindow_->move(qMax(area.left(), left), top);
}

void AppContext::LoadWindows() {
  // The playlist window hangs under the main window with its width, 4530 twips high.
  playlistWindow_->resize(mainWindow_->width(), common::TwipsToPx(4530));
  dock_->SetMainWindow(mainWindow_);
  dock_->Register(DockIndex::Playlist, playlistWindow_);
  dock_->Register(DockIndex::Lyrics, lyricsWindow_);
  mainWindow_->show();
  playlistWindow_->show();
  mainWindow_->SetPlaylistShown(true);
  playlistWindow_->LoadCharts();
}

void AppContext::Start() {
  ResolvePaths();
  Build();
  StepSequence steps;
  steps.Add("folders", [this] { return app::CreateFolders(paths_); });
  steps.Add("tray icon", [this] {
    const bool shown = tray_->Show();
    mainWindow_->SetTrayAvailable(tray_->visible());
    return shown;
  });
  steps.Add("default list", [this] { return playlists_->EnsureDefaultList(); });
  steps.Add("playlist menu", [this] { return playlists_->BuildListMenu(); });
  steps.Add("spectrum", [this] { return mainWindow_->SetUpSpectrum(); });
  steps.Add("main window", [this] { return PlaceMainWindow(), true; });
  steps.Add("player volume", [this] { return player_->SetVolume(40), true; });
  steps.Add("windows", [this] { return LoadWindows(), true; });
  steps.Run();
  // Each status text paints before the step it announces blocks the event loop.
  engine_->ShowStatus(QStringLiteral("加载配置..."));
  AfterStatusPaint([this] {
    store_->LoadConfig();
    engine_->ShowStatus(QStringLiteral("加载播放列表..."));
    AfterStatusPaint([this] {
      StepSequence rest;
      rest.Add("playlist", [this] { return playlists_->LoadLST(), true; });
      rest.Add("radio list", [this] {
        engine_->ShowStatus(QStringLiteral("加载电台列表..."));
        return radio_->Load();
      });
      rest.Add("ready", [this] {
        const QString& notice = playlists_->loadNotice();
        return engine_->ShowStatus(notice.isEmpty() ? QStringLiteral("准备就绪") : notice), true;
      });
      rest.Add("idle lyrics", [this] { return lrcShow_->ShowMessage(kIdleLyrics), true; });
      rest.Add("online notice", [this] { return notice_->Start(), true; });
      rest.Run();
      started_ = true;
      emit StartupFinished();
    });
  });
}

void AppContext::AfterStatusPaint(std::function<void()> next) {
  // A hidden or unmapped window never paints: the short timer goes on without it.
  constexpr int kPaintWaitMs = 250;
  auto pending = std::make_shared<std::function<void()>>(std::move(next));
  auto run = [pending] {
    if (!*pending) return;
    const auto step = std::exchange(*pending, nullptr);
    step();
  };
  connect(mainWindow_, &MainWindow::StatusLinePainted, this, run,
          Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
  QTimer::singleShot(kPaintWaitMs, this, run);
}

void AppContext::Shutdown() {
  if (shuttingDown_) return;
  shuttingDown_ = true;
  StepSequence steps;
  if (started_ || playlists_) {
    steps.Add("desktop bus", [this] { return mprisService_.reset(), mpris_.reset(), true; });
    steps.Add("tray icon", [this] { return tray_->Remove(), true; });
    steps.Add("default list", [this] { return playlists_->EnsureDefaultList(); });
    // A big list is written on a worker: the process must not end before it is on disk.
    steps.Add("save list",
              [this] { return playlists_->SaveList(), playlists_->FinishWrites(), true; });
    steps.Add("picture cache", [this] { return app::RemovePictureCache(paths_); });
    steps.Add("stop", [this] { return engine_->StopButton(), true; });
    steps.Add("stop video", [this] { return musicVideo_->Close(), true; });
    steps.Add("clear lyrics", [this] { return lrcShow_->Clear(), true; });
    steps.Add("windows", [this] {
      for (QWidget* w : std::initializer_list<QWidget*>{
               playlistWindow_, monitorWindow_, lyricsWindow_, singerWindow_, albumWindow_,
               mtvWindow_, picList_, showPic_, trayPopup_, mainWindow_})
        if (w) w->hide();
      return true;
    });
  }
  steps.Add("lock", [this] { return lock_->ReleaseInstanceLock(), true; });
  steps.Run();
  QCoreApplication::quit();
}

bool AppContext::eventFilter(QObject* watched, QEvent* event) {
  // The window manager's close of the main window ends the program like "退出程序".
  if (watched == mainWindow_ && event->type() == QEvent::Close && !shuttingDown_) {
    event->ignore();
    QTimer::singleShot(0, this, &AppContext::Shutdown);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void AppContext::SaveConfig() {
  config_.volume = player_->volume();
  config_.showLyrics = lyricsWindow_ && lyricsWindow_->isVisible();
  store_->SaveConfig();
}
