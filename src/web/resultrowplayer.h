// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "web/pagefetcher.h"
#include "web/songscan.h"

class PageFetcher;
class PlaybackEngine;
class ServiceHosts;
class SongGridModel;
struct AppConfig;

// Plays a row of the result grid: a web hit has its playable address resolved first, through
// the candidate links a second search collects for it; a radio row plays as it is. Keeps the
// hit's candidates so retries walk them without searching again.
class ResultRowPlayer : public QObject {
  Q_OBJECT

 public:
  static inline const QString kScratch = QStringLiteral("temp1.html");
  static constexpr int kSlots = 31;
  static constexpr int kMaxCandidate = 19;

  // The engine owns the playback state and the player; this sets both through it.
  ResultRowPlayer(PageFetcher& fetcher, const ServiceHosts& hosts, const AppConfig& config,
                  PlaybackEngine& engine, SongGridModel& results, QObject* parent = nullptr);

  // The playlist grid, whose playing row loses its marks when a result row starts.
  void SetPlaylistGrid(SongGridModel* grid) { playlist_ = grid; }
  // Set by the radio list, cleared by searches and charts.
  void SetShowsRadio(bool radio) { showsRadio_ = radio; }
  bool showsRadio() const { return showsRadio_; }
  // The engine's retry flag: a replay of the playing hit then starts again at candidate 0.
  void SetRetryFlag(bool on) { retryFlag_ = on; }

  // The result grid's row play action (double-click, the row menu's play, the engine's
  // recovery rule): selects row and plays it. Replaying the playing web hit moves to its next
  // candidate. A newer call supersedes a resolution still under way.
  void MSF1_DblClick(int row);
  std::function<void(int)> RowPlayAction() {
    return [this](int row) { MSF1_DblClick(row); };
  }

  // The playable address of the current candidate of row ("" on failure); answers once,
  // unless a newer row play supersedes it.
  void ResolveSearchHit(int row, std::function<void(const QString&)> done);
  // Publishes the 20 candidate rows of the monitor window.
  void UT();
  // A playlist song started: the web hit's candidates are no longer the playing song's.
  void ForgetHit();
  // Ends a Baidu decode that is waiting: it answers "" (another hit was chosen).
  void AbortDecode();

  int currentCandidate() const;
  // The monitor window's double-click on its row r sets r - 17 before replaying the row,
  // whose advance then lands on candidate r - 16; the monitor's "Manual=" shows that choice.
  void SetCurrentCandidate(int k);
  int candidateCount() const { return candidateCount_; }
  QString candidate(int row, int k) const;
  const QStringList& candidateList() const { return slots_; }
  const QString& searchWords() const { return searchWords_; }
  bool decodeWaiting() const { return decodeWaiting_; }

 signals:
  // A row is about to start: the lyrics window hides its third notice and the tag button
  // becomes not editable (the engine has already stopped and reset itself).
  void PreparingRow(int row);
  // The monitor window: refresh, the candidate rows 16..35, and the row now tried.
  void MonitorRefresh();
  void MonitorCandidatesChanged(const QStringList& rows16to35);
  // The candidate now tried, as the monitor's row (16 + k); 0 when none.
  void MonitorCurrentCandidate(int monitorRow);
  // A row was handed to the player.
  void PlayStarted(int row, const QString& address);
  // No playable address came back; the player was handed "" and the status line says why.
  void ResolveFailed(int row);

 private:
  void CollectCandidates(int generation, int row, const web::FetchResult& page,
                         std::function<void(const QString&)> done);
  void MakePlayable(int generation, int row, std::function<void(const QString&)> done);
  web::EngineHosts engineHosts() const;
  web::Engine engine() const;
  // False once a newer row play, a stop or another song has come since `generation` started.
  bool Current(int generation) const;

  PageFetcher& fetcher_;
  const ServiceHosts& hosts_;
  const AppConfig& config_;
  PlaybackEngine& playback_;
  SongGridModel& results_;
  SongGridModel* playlist_ = nullptr;
  bool showsRadio_ = false;
  bool retryFlag_ = false;

  int generation_ = 0;
  quint64 playGeneration_ = 0;  // the engine's generation when this row play began
  QString failure_;             // why the last resolution found no address
  int hitRow_ = 0;
  QList<QStringList> table_;  // candidates by result row
  QStringList slots_;         // the monitor's copy of the hit's candidates
  int candidateCount_ = 0;
  QString searchWords_;
  bool decodeWaiting_ = false;
  bool decodeAbort_ = false;
  std::function<void(const QString&)> decodeDone_;
};
