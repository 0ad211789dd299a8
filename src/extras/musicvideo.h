// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QTimer>

#include "extras/mtvscan.h"

class MediaPlayer;
class MenuForm;
class MtvHitModel;
class PageFetcher;
class ServiceHosts;
enum class PlayState;
namespace web {
struct FetchResult;
}

// The music-video window's commands without its widgets: searching the video site page by
// page into the hit grid, resolving a hit's page into a video address through the host's path
// script, playing it in the window's own player and turning that player's states into the
// status line. A newer search or video supersedes an older one still fetching.
class MusicVideo : public QObject {
  Q_OBJECT

 public:
  // Items of the grid's menu "MTV" (播放, 下载) and of the player menu "wmv控制".
  enum class HitItem { Play = 0, Download = 1 };
  enum class PlayerItem { PlayPause = 0, Stop = 1, FullScreen = 2, Download = 3 };
  static inline const QString kHitMenu = QStringLiteral("MTV001");
  static inline const QString kPlayerMenu = QStringLiteral("abc1");
  // The row menus' submenu "MTV欣赏": search the videos of the row's title or singer.
  enum class SearchByItem { Title = 0, Singer = 1 };
  static inline const QString kSearchByMenu = QStringLiteral("MTVls");
  static inline const QString kPlaceholder = QStringLiteral("输入歌名/ 歌手名...");
  static constexpr int kBufferTickMs = 100;
  static void AddMenus(MenuForm& menus);

  MusicVideo(PageFetcher& fetcher, const ServiceHosts& hosts, MediaPlayer& player,
             MtvHitModel& hits, QObject* parent = nullptr);

  // The search button or Enter in the box: the player stops and the site is searched for the
  // trimmed text, unless it is empty or the placeholder. False when nothing was searched.
  bool SearchFromBox(const QString& text);
  void SearchMTV(const QString& words);
  // Plays grid row `row` (1 = first hit); false for the header, a blank row or a row outside.
  bool PlayRow(int row);
  void ResolveMTVAddress(const QString& pageUrl);

  // The grid row under the mouse or picked (the row "播放" of the grid's menu plays).
  void SetPickedRow(int row) { pickedRow_ = row; }
  int pickedRow() const { return pickedRow_; }
  void MTV001_Click(HitItem item);
  void abc1_Click(PlayerItem item);
  // The close button: the player stops unless it already is stopped.
  void Close();

  bool searching() const { return searching_; }
  int currentRow() const { return currentRow_; }
  const QString& nowPlaying() const { return nowPlaying_; }
  const QString& statusText() const { return status_; }
  const QString& countText() const { return count_; }
  bool bufferingShown() const { return bufferTimer_.isActive(); }
  // Timer3: the buffering progress on the status line.
  void OnBufferTick();

 signals:
  void StatusChanged(const QString& text);  // Label1
  void CountChanged(const QString& text);   // the result-count line
  void LoadingChanged(bool loading);        // the loading animation runs
  // Just before a resolved video is handed to the player: the window readies its surface.
  void VideoAboutToPlay();
  void VideoStarted();   // the player reached Playing
  void VideoFinished();  // the player stopped or failed, other than between two videos
  void FullScreenWanted();
  // Download what plays: the title of the playing row and the player's address.
  void DownloadWanted(const QString& title, const QString& address);

 private:
  void FetchPage(int page);
  void OnPage(quint64 generation, int page, const web::FetchResult& result);
  void FinishSearch();
  void FailSearch();
  void OnVideoPage(quint64 generation, const web::FetchResult& result);
  void FailResolve();
  void OnPlayStateChanged(int state);
  void SetStatus(const QString& text);
  void SetCount(const QString& text);

  PageFetcher& fetcher_;
  const ServiceHosts& hosts_;
  MediaPlayer& player_;
  MtvHitModel& hits_;
  QTimer bufferTimer_;  // Timer3

  quint64 searchGeneration_ = 0;
  quint64 resolveGeneration_ = 0;
  bool searching_ = false;
  QString words_;
  int total_ = 0;
  int pages_ = 0;
  extras::MtvPathTable pathTable_;
  bool switching_ = false;  // our own stop between two videos
  int currentRow_ = 0;
  int pickedRow_ = 0;
  QString nowPlaying_;
  QString playingTitle_;
  QString status_;
  QString count_;
};
