// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QTimer>

#include "web/songscan.h"

class PageFetcher;
class ServiceHosts;
class SongGridModel;
struct AppConfig;

// Searches the chosen engine for the words of the search box and fills the result grid MSF1
// with three pages of hits. A newer search supersedes one still running, and the whole
// search, retries included, ends within one deadline.
class SongSearch : public QObject {
  Q_OBJECT

 public:
  static inline const QString kScratch = QStringLiteral("temp.html");
  static constexpr int kDeadlineMs = 20000;

  SongSearch(PageFetcher& fetcher, const ServiceHosts& hosts, const AppConfig& config,
             SongGridModel& results, QObject* parent = nullptr);

  // Enter in the search box and the search button: ignores empty text and the hint text,
  // resets the grid, brings the result tab forward, then searches. False when ignored.
  bool StartFromBox(const QString& boxText);
  // Searches for key: pages 1..3 of the engine in AppConfig::searchEngine.
  void Run(const QString& key);
  bool running() const { return running_; }
  // Ends a running search at once, as if it had not been started (no message).
  void Cancel();
  void SetDeadline(int ms) { deadlineMs_ = ms; }

  web::EngineHosts engineHosts() const;

 signals:
  // The list window's label Loads: shown with its caption while a search runs.
  void BusyChanged(bool visible, const QString& caption);
  // The result tab should come forward and show songs (not radio stations).
  void ResultsTabWanted();
  // A page failed twice, or time ran out: the status line tells why ("连接超时", "页面过大",
  // "服务器错误 500", "无法连接", "页面为空"). The search box keeps the words.
  void Failed(const QString& message);
  void Finished(bool ok);

 private:
  void FetchPage(int generation, int page, bool retry);
  void Fail(int generation, const QString& message);

  PageFetcher& fetcher_;
  const ServiceHosts& hosts_;
  const AppConfig& config_;
  SongGridModel& results_;
  int generation_ = 0;
  bool running_ = false;
  QString key_;
  web::Engine engine_ = web::Engine::Sogou;
  int format_ = 3;
  int deadlineMs_ = kDeadlineMs;
  QTimer deadline_;
};
