// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

#include "config/apppaths.h"

class LrcHitModel;
class LyricsController;
class MediaPlayer;
class PageFetcher;
class ServiceHosts;
struct AppConfig;
struct PlaybackState;
namespace web {
struct FetchResult;
}

// Searches a lyrics engine for the playing song, lists the hits in the manual download grid,
// downloads the best one into the lyrics folder (by singer, then the media's author, then the
// first hit) and downloads a hit the user picks. The lyrics controller picks the new file up.
// A search belongs to the song that started it: Cancel() on a new song and nothing it fetched
// afterwards is written.
class LyricsSearch : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSitePageLimit = 5;
  static constexpr int kBaiduPages = 5;

  LyricsSearch(PageFetcher& fetcher, const ServiceHosts& hosts, const AppConfig& config,
               const AppPaths& paths, const PlaybackState& playback, MediaPlayer& player,
               LyricsController& lyrics, LrcHitModel& hits, QObject* parent = nullptr);

  // The automatic and the menu search; the target is always the title's file in lrc/.
  void SearchLyrics(const QString& lrcPath, const QString& songTitle);
  // The menu item "手动选择": the search runs when a list song other than radio plays.
  void SearchForPlayingSong();
  // Stops the running search and any manual download; nothing they fetch is written.
  void Cancel();
  bool running() const { return running_; }

  // The download button with grid row `row` picked. False when nothing happens (no row, or a
  // row without title); then the window stays as it is.
  bool DownloadRow(int row);
  // Downloads url into the title's file through the "2.lrc" temporary, keeping the file it
  // replaces in the backup.
  void DownloadLyrics(const QString& songTitle, const QString& url);

 signals:
  // The automatic search ended (success: a file is now in place); not after Cancel().
  void SearchFinished(bool success);
  // A manual download ended, with the message shown.
  void DownloadFinished(const QString& message);

 private:
  void FetchSitePage(int page);
  void FetchBaiduPage(int page);
  void OnPage(quint64 generation, const web::FetchResult& result, bool site, int page);
  void Choose();
  void NextAttempt();
  void Download(int row);
  void OnDownloaded(quint64 generation, const web::FetchResult& result);
  bool TargetIsValid() const;
  void Finish(bool success);
  QString Words(const QString& title) const;

  PageFetcher& fetcher_;
  const ServiceHosts& hosts_;
  const AppConfig& config_;
  AppPaths paths_;
  const PlaybackState& playback_;
  MediaPlayer& player_;
  LyricsController& lyrics_;
  LrcHitModel& hits_;

  quint64 generation_ = 0;  // raised by every search and Cancel()
  bool running_ = false;
  // The running search.
  QString title_;
  QString target_;
  QString words_;
  int sitePages_ = 1;
  int hitCount_ = 0;
  int pass_ = 1;
  int nextRow_ = 1;
  QString singer_;
  QString author_;
};
