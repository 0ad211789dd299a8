// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "config/appconfig.h"
#include "config/apppaths.h"
#include "config/menuform.h"

class AboutWindow;
class AlbumBrowser;
class ChartLoader;
class ConfigStore;
class DockManager;
class Donload;
class Downloader;
class FrmId3Tag;
class FrmLrc;
class FrmNet;
class InitSplash;
class InstanceLock;
class LrcDown;
class LrcHitModel;
class LrcShow;
class MediaPlayer;
class LyricsController;
class LyricsSearch;
class MainWindow;
class MonitorModel;
class MonitorWindow;
class MprisBridge;
class MprisService;
class MpvPlayer;
class MtvHitModel;
class MtvWindow;
class MusicVideo;
class OnlineNotice;
class PageFetcher;
class PicList;
class PicSearch;
class PicViewer;
class PlaybackEngine;
class PlaylistCommands;
class PlaylistManager;
class PlaylistWindow;
class Prompter;
class QQPai;
class QMenu;
class QtPrompter;
class RadioReconnect;
class RadioStations;
class ResultRowPlayer;
class ServiceHosts;
class SatelliteSwitch;
class SettingsCommands;
class SingerProfile;
class ShowPic;
class SignalWatcher;
class SongGridModel;
class SongDownload;
class SongSearch;
class TrayIcon;
class TrayPopup;
class Wallpaper;

// The one place that knows the concrete types: builds every object, hands collaborators
// through constructors, connects the areas and runs the start-up and shutdown sequences.
class AppContext : public QObject {
  Q_OBJECT

 public:
  // paths: the application folder; Resolve()d at start when not given. lockFolder: where the
  // single-instance lock lives (the per-user runtime folder when empty).
  // prompter: answers every question (tests pass a scripted one); the Qt dialogs when null.
  explicit AppContext(std::optional<AppPaths> paths = std::nullopt,
                      const QString& lockFolder = QString(), Prompter* prompter = nullptr);
  ~AppContext() override;

  // The entry procedure: refuses a second instance (which asks the first to come forward),
  // shows the first-run splash once, then starts. False when this process should end.
  bool Main();
  // For the program's own exit only: the grids are left to the system, which takes their
  // memory back at once; freeing 100,000 rows one by one was most of the time to quit.
  void AbandonRowsAtExit();
  // The start-up sequence (the main window's load).
  void Start();
  // The shutdown sequence; quits the application when done. Runs once.
  void Shutdown();

  // For tests and tools.
  MainWindow* mainWindow() const { return mainWindow_; }
  PlaylistWindow* playlistWindow() const { return playlistWindow_; }
  FrmLrc* lyricsWindow() const { return lyricsWindow_; }
  // Built the first time it is wanted, as the album window is.
  LrcDown* lrcDownWindow();
  // Built the first time it is shown; its model gathers the state from the start.
  MonitorWindow* monitorWindow();
  MonitorModel& monitorModel() { return *monitorModel_; }
  // Built the first time it is opened.
  FrmId3Tag* tagEditor();
  AboutWindow* aboutWindow();
  // Built when the first download starts.
  Donload* downloadWindow();
  // Built the first time it is shown; it shows what the profile gathered before.
  FrmNet* singerWindow();
  SingerProfile& singer() { return *singer_; }
  // Built the first time it is wanted: most sessions never open it.
  QQPai* albumWindow();
  AlbumBrowser& albums() { return *albums_; }
  Downloader& pictureDownloader() { return *pictureDownloader_; }
  // Built the first time it is wanted, as the album window is.
  MtvWindow* musicVideoWindow();
  MusicVideo& musicVideo() { return *musicVideo_; }
  MediaPlayer& videoPlayer();
  // Both built the first time they are shown.
  PicList* pictureWindow();
  ShowPic* pictureViewer();
  PicSearch& pictureSearch() { return *picSearch_; }
  SongDownload& songDownload() { return *songDownload_; }
  PlaybackEngine& engine() { return *engine_; }
  MediaPlayer& player();
  PlaylistManager& playlists() { return *playlists_; }
  SongSearch& search() { return *search_; }
  ChartLoader& charts() { return *charts_; }
  RadioStations& radio() { return *radio_; }
  RadioReconnect& reconnect() { return *reconnect_; }
  const AppPaths& paths() const { return paths_; }
  AppConfig& config() { return config_; }
  MenuForm& menus() { return menus_; }
  bool started() const { return started_; }
  // The desktop's media controls reach the player through the session bus; false without one.
  bool onDesktopBus() const { return mprisService_ != nullptr; }

 signals:
  void StartupFinished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ResolvePaths();
  // Runs `next` once the status line has painted its new text.
  void AfterStatusPaint(std::function<void()> next);
  void Build();
  void CreateMenus();
  void ConnectMenus();
  void ConnectPlaylist();
  void ConnectEngine();
  void ConnectMainWindow();
  void ShowSatelliteToggles();
  void ConnectLyrics();
  void ConnectLyricSearch();
  void ConnectWeb();
  void ConnectCharts();
  void ConnectShell();
  void ConnectConfig();
  void ConnectTags();
  void ConnectDownloads();
  void ConnectMpris();
  void ConnectSinger();
  void ConnectAlbums();
  void ConnectMusicVideo();
  void ConnectPictures();
  void ApplyLoadedConfig();
  void SaveConfig();
  void PlaceMainWindow();
  void LoadWindows();
  void HideSatellites();
  bool singerWindowShown() const;
  QMenu* BuildMenu(const QString& array, const QString& title = QString());
  QMenu* BuildSettingsMenu();

  AppPaths paths_;
  bool resolvePaths_ = false;
  QString lockFolder_;
  AppConfig config_;
  MenuForm menus_;
  std::unique_ptr<QtPrompter> qtPrompter_;
  Prompter* prompter_;
  std::unique_ptr<ConfigStore> store_;
  std::unique_ptr<SettingsCommands> settings_;
  std::unique_ptr<InstanceLock> lock_;
  std::unique_ptr<SignalWatcher> signals_;

  std::unique_ptr<MpvPlayer> player_;
  std::unique_ptr<SongGridModel> msf_, msf1_, msf2_;
  std::unique_ptr<PlaylistManager> playlists_;
  std::unique_ptr<PlaybackEngine> engine_;
  std::unique_ptr<PlaylistCommands> commands_;
  std::unique_ptr<ServiceHosts> hosts_;
  std::unique_ptr<PageFetcher> fetcher_;
  std::unique_ptr<SongSearch> search_;
  std::unique_ptr<ResultRowPlayer> resultPlayer_;
  std::unique_ptr<ChartLoader> charts_;
  std::unique_ptr<RadioStations> radio_;
  std::unique_ptr<RadioReconnect> reconnect_;
  std::unique_ptr<LyricsController> lyrics_;
  std::unique_ptr<LrcHitModel> lrcHits_;
  std::unique_ptr<LyricsSearch> lyricSearch_;
  std::unique_ptr<DockManager> dock_;
  std::unique_ptr<OnlineNotice> notice_;
  std::unique_ptr<SatelliteSwitch> satellites_;
  std::unique_ptr<Downloader> downloader_;  // Downloader1
  std::unique_ptr<SongDownload> songDownload_;
  std::unique_ptr<MprisBridge> mpris_;  // both exist only while on a session bus
  std::unique_ptr<MprisService> mprisService_;
  // Covers and singer pictures: capped, and never rows of the user's download window.
  std::unique_ptr<Downloader> pictureDownloader_;
  std::unique_ptr<SingerProfile> singer_;
  std::unique_ptr<AlbumBrowser> albums_;
  std::unique_ptr<MpvPlayer> videoPlayer_;  // WMP
  std::unique_ptr<MtvHitModel> mtvHits_;
  std::unique_ptr<MusicVideo> musicVideo_;
  bool songPausedForVideo_ = false;
  std::unique_ptr<PicSearch> picSearch_;
  std::unique_ptr<PicViewer> picViewer_;
  std::unique_ptr<Wallpaper> wallpaper_;
  std::unique_ptr<MonitorModel> monitorModel_;

  // Windows are deleted in the destructor in reverse order of creation.
  MainWindow* mainWindow_ = nullptr;
  PlaylistWindow* playlistWindow_ = nullptr;
  LrcShow* lrcShow_ = nullptr;
  FrmLrc* lyricsWindow_ = nullptr;
  LrcDown* lrcDown_ = nullptr;
  MonitorWindow* monitorWindow_ = nullptr;
  TrayPopup* trayPopup_ = nullptr;
  AboutWindow* aboutWindow_ = nullptr;
  FrmId3Tag* tagEditor_ = nullptr;
  // The engine's editability mark, kept for an editor not built yet.
  std::optional<QString> tagEditorMark_;
  Donload* donload_ = nullptr;
  FrmNet* singerWindow_ = nullptr;
  QQPai* albumWindow_ = nullptr;
  std::optional<QString> albumSearchText_;  // the playing singer, for a window not built yet
  MtvWindow* mtvWindow_ = nullptr;
  QString mtvSearchText_;  // what a song put in the search box of a window not built yet
  PicList* picList_ = nullptr;
  ShowPic* showPic_ = nullptr;
  std::unique_ptr<TrayIcon> tray_;
  InitSplash* splash_ = nullptr;

  static constexpr int kLyricsToggle = 0;  // the main window's toggle of the lyrics window
  static constexpr int kSingerToggle = 1;  // and of the singer window

  bool started_ = false;
  bool shuttingDown_ = false;
};
