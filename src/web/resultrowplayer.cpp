// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/resultrowplayer.h"

#include "common/vbcolor.h"
#include "config/appconfig.h"
#include "playback/playbackengine.h"
#include "playlist/songgridmodel.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {
const QColor kPlayingColor = common::ColorFromVb(common::Rgb(77, 163, 12));
const QColor kFailedColor = common::ColorFromVb(common::Rgb(255, 0, 0));
}  // namespace

ResultRowPlayer::ResultRowPlayer(PageFetcher& fetcher, const ServiceHosts& hosts,
                                 const AppConfig& config, PlaybackEngine& engine,
                                 SongGridModel& results, QObject* parent)
    : QObject(parent),
      fetcher_(fetcher),
      hosts_(hosts),
      config_(config),
      playback_(engine),
      results_(results) {
  for (int i = 0; i < kSlots; ++i) slots_ << QString();
}

web::EngineHosts ResultRowPlayer::engineHosts() const {
  return {hosts_.Host(ServiceHosts::kSogouSearch), hosts_.Host(ServiceHosts::kSogouListen),
          hosts_.Host(ServiceHosts::kBaiduSearch), hosts_.Host(ServiceHosts::kSosoSearch)};
}

web::Engine ResultRowPlayer::engine() const {
  const int e = config_.searchEngine;
  return (e >= 0 && e <= 2) ? static_cast<web::Engine>(e) : web::Engine::Sogou;
}

bool ResultRowPlayer::Current(int generation) const {
  return generation == generation_ && playback_.generation() == playGeneration_;
}

int ResultRowPlayer::currentCandidate() const {
  return playback_.state().altAddressCount;
}

void ResultRowPlayer::SetCurrentCandidate(int k) {
  // -1 is allowed: the replay that follows advances it to candidate 0.
  playback_.state().altAddressCount = qBound(-1, k, 26);
  playback_.state().manualAddressCount = qBound(0, k + 1, kMaxCandidate);
}

void ResultRowPlayer::ForgetHit() {
  ++generation_;
  AbortDecode();
  for (QString& s : slots_) s.clear();
  table_.clear();
  candidateCount_ = 0;
  playback_.state().manualAddressCount = 0;
  UT();
  emit MonitorCurrentCandidate(0);
}

QString ResultRowPlayer::candidate(int row, int k) const {
  return (row >= 0 && row < table_.size()) ? table_.at(row).value(k) : QString();
}

void ResultRowPlayer::MSF1_DblClick(int row) {
  results_.SetSelectedRow(row);
  if (row < 1 || results_.title(row).trimmed().isEmpty()) return;
  ++generation_;
  PlaybackState& state = playback_.state();
  const PlayingGrid lastGrid = state.playingGrid;
  const int lastRow = state.currentRow;
  const bool sameHit =
      lastRow == row && lastGrid == PlayingGrid::Results && state.listKind == ListKind::WebResults;
  const ListKind kind = showsRadio_ ? ListKind::Radio : ListKind::WebResults;

  // Stops as the stop button does (which also ends the current stream before resolving),
  // resets the per-song counters and takes the row's title and singer.
  playback_.PrepareSong(PlayingGrid::Results, row, kind, QStringLiteral("正在分析,请稍候..."));
  playGeneration_ = playback_.generation();
  emit PreparingRow(row);

  // Unmark the row that played last; a red (failed) playlist row keeps its colour.
  if (lastGrid == PlayingGrid::Results) {
    results_.SetRowColor(lastRow, QColor());
    if (results_.nowPlayRow() == lastRow) results_.SetNowPlayRow(0);
  } else if (lastGrid == PlayingGrid::Playlist && playlist_) {
    if (playlist_->rowColor(lastRow) != kFailedColor) playlist_->SetRowColor(lastRow, QColor());
    if (playlist_->nowPlayRow() == lastRow) playlist_->SetNowPlayRow(0);
  }
  emit MonitorRefresh();
  results_.SetRowColor(row, kPlayingColor);
  results_.SetNowPlayRow(row);

  if (sameHit) {
    if (retryFlag_) {
      state.altAddressCount = 0;
    } else if (state.altAddressCount < kMaxCandidate) {
      ++state.altAddressCount;
      ++state.repeatCount;
    } else {
      state.altAddressCount = kMaxCandidate;
    }
  } else {
    AbortDecode();
    state.altAddressCount = 0;
    state.manualAddressCount = 0;
    state.repeatCount = 0;
    searchWords_.clear();
    for (QString& s : slots_) s.clear();
    candidateCount_ = 0;
    table_ = QList<QStringList>(results_.rows() + 1);
  }

  if (kind == ListKind::Radio) {
    const QString path = results_.path(row);
    // A station list is outside data: only network addresses reach the player; anything
    // else fails as a dead station does.
    playback_.PlayUrl(web::IsNetworkAddress(path) ? path : QString(), UrlOrigin::Web);
    emit PlayStarted(row, path);
    return;
  }
  const int generation = generation_;
  failure_.clear();
  ResolveSearchHit(row, [this, generation, row](const QString& address) {
    if (!Current(generation)) return;
    // An empty address is handed over too: the player reports it as an error, and the
    // engine's recovery rule moves on to the next candidate.
    playback_.PlayUrl(address, UrlOrigin::Web);
    UT();
    if (address.isEmpty()) {
      // Otherwise "正在分析,请稍候..." would stay when the player has nothing to report.
      playback_.ShowStatus(failure_.isEmpty() ? QStringLiteral("未找到可播放的地址") : failure_);
      emit ResolveFailed(row);
    } else {
      emit PlayStarted(row, address);
    }
  });
}

void ResultRowPlayer::ResolveSearchHit(int row, std::function<void(const QString&)> done) {
  const int generation = generation_;
  const int format = (config_.songFormat >= 0 && config_.songFormat <= 3) ? config_.songFormat : 3;
  const QString title = results_.title(row).trimmed();
  QString query = web::NormaliseTitle(title, config_.sets[4]);
  if (config_.mixSearch)
    query += u' ' + QString(results_.cell(row, 2)).remove(QStringLiteral("未知"));
  const QString address = web::ResolveAddress(engine(), engineHosts(), query, format);
  searchWords_ = query;
  if (row < 1 || title.isEmpty()) return done(QString());
  hitRow_ = row;
  if (table_.size() <= row) table_.resize(row + 1);

  if (candidateCount_ >= web::CandidateLimit(engine()))
    return MakePlayable(generation, row, std::move(done));
  fetcher_.Fetch(address, kScratch, this,
                 [this, generation, row, done](const web::FetchResult& page) {
                   if (!Current(generation)) return;
                   failure_ = web::FailureText(page);
                   if (!page.ok) return done(QString());
                   CollectCandidates(generation, row, page, done);
                 });
}

void ResultRowPlayer::CollectCandidates(int generation, int row, const web::FetchResult& page,
                                        std::function<void(const QString&)> done) {
  QList<web::Candidate> found;
  const QString text = page.Joined();
  switch (engine()) {
    case web::Engine::Sogou:
      found = web::CollectSogouCandidates(text, engineHosts().ListenPrefix());
      break;
    case web::Engine::Baidu:
      found = web::CollectBaiduCandidates(text);
      break;
    case web::Engine::Soso:
      found = web::CollectSosoCandidates(text);
      break;
  }
  QStringList& cells = table_[row];
  cells.clear();
  for (int k = 0; k < found.size() && k < 27; ++k) {
    cells << found.at(k).address;
    if (k < kSlots) slots_[k] = found.at(k).slot;
  }
  // Later calls for this hit skip the search, however many candidates it gave.
  candidateCount_ = web::CandidateLimit(engine());
  MakePlayable(generation, row, std::move(done));
}

void ResultRowPlayer::MakePlayable(int generation, int row,
                                   std::function<void(const QString&)> done) {
  const int k = currentCandidate();
  emit MonitorCurrentCandidate(k + 16);
  const QString link = candidate(row, k);
  if (link.isEmpty()) return done(QString());

  switch (engine()) {
    case web::Engine::Soso:
      return done(link);
    case web::Engine::Sogou:
      fetcher_.Fetch(link, kScratch, this, [this, generation, done](const web::FetchResult& page) {
        if (!Current(generation)) return;
        failure_ = web::FailureText(page);
        decodeWaiting_ = false;
        decodeAbort_ = false;
        done(page.ok ? web::ParseSogouListen(page.Lines()) : QString());
      });
      return;
    case web::Engine::Baidu:
      playback_.ShowStatus(QStringLiteral("解码百度地址..."));
      decodeWaiting_ = true;
      decodeAbort_ = false;
      decodeDone_ = done;
      fetcher_.HttpGetBody(link, QStringLiteral("GB2312"), this,
                           [this, generation](const web::FetchResult& page) {
                             if (!Current(generation) || !decodeWaiting_) return;
                             const QString address = web::FindUrlaAnchor(page.text, page.finalUrl);
                             decodeWaiting_ = false;
                             decodeAbort_ = false;
                             auto finish = std::move(decodeDone_);
                             decodeDone_ = nullptr;
                             if (finish) finish(address);
                           });
      return;
  }
}

void ResultRowPlayer::AbortDecode() {
  if (!decodeWaiting_) return;
  decodeAbort_ = true;
  decodeWaiting_ = false;
  auto finish = std::move(decodeDone_);
  decodeDone_ = nullptr;
  decodeAbort_ = false;
  if (finish) finish(QString());
}

void ResultRowPlayer::UT() {
  emit MonitorCandidatesChanged(web::MonitorCandidateTexts(slots_, engineHosts().ListenPrefix()));
}
