// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/songsearch.h"

#include "config/appconfig.h"
#include "playlist/gridrows.h"
#include "playlist/songgridmodel.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {
const QString kHint = QStringLiteral("输入歌名、歌手...");
const QString kBusy = QStringLiteral("Please wait while downloading...");
}  // namespace

SongSearch::SongSearch(PageFetcher& fetcher, const ServiceHosts& hosts, const AppConfig& config,
                       SongGridModel& results, QObject* parent)
    : QObject(parent), fetcher_(fetcher), hosts_(hosts), config_(config), results_(results) {
  deadline_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, [this] {
    fetcher_.Cancel(kScratch);
    Fail(generation_, QStringLiteral("连接超时"));
  });
}

void SongSearch::Cancel() {
  if (!running_) return;
  ++generation_;
  running_ = false;
  deadline_.stop();
  fetcher_.Cancel(kScratch);
  emit BusyChanged(false, kBusy);
}

web::EngineHosts SongSearch::engineHosts() const {
  return {hosts_.Host(ServiceHosts::kSogouSearch), hosts_.Host(ServiceHosts::kSogouListen),
          hosts_.Host(ServiceHosts::kBaiduSearch), hosts_.Host(ServiceHosts::kSosoSearch)};
}

bool SongSearch::StartFromBox(const QString& boxText) {
  const QString trimmed = boxText.trimmed();
  if (trimmed.isEmpty() || trimmed == kHint) return false;
  results_.Setup();
  emit ResultsTabWanted();
  Run(boxText);
  return true;
}

void SongSearch::Run(const QString& key) {
  if (key.isEmpty()) return;
  ++generation_;
  key_ = key;
  const int engine = config_.searchEngine;
  engine_ = (engine >= 0 && engine <= 2) ? static_cast<web::Engine>(engine) : web::Engine::Sogou;
  // With no format checked the last one stays.
  if (config_.songFormat >= 0 && config_.songFormat <= 3) format_ = config_.songFormat;
  fetcher_.SetCacheBust(config_.forceUpdate);
  running_ = true;
  deadline_.start(deadlineMs_);
  emit BusyChanged(true, kBusy);
  FetchPage(generation_, 1, false);
}

void SongSearch::FetchPage(int generation, int page, bool retry) {
  const QString address = web::SearchAddress(engine_, engineHosts(), key_, page, format_);
  fetcher_.Fetch(
      address, kScratch, this, [this, generation, page, retry](const web::FetchResult& result) {
        if (generation != generation_) return;
        // An error page (5xx) is no result page: it gets the retry, then the user is told.
        if (!result.ok || result.error == web::FetchError::ServerError) {
          if (retry) return Fail(generation, web::FailureText(result));
          fetcher_.SetCacheBust(false);
          return FetchPage(generation, page, true);
        }
        QList<web::SearchHit> hits;
        switch (engine_) {
          case web::Engine::Sogou:
            hits = web::ScanSogouResults(result.Joined());
            break;
          case web::Engine::Baidu:
            hits = web::ScanBaiduResults(result.Joined());
            break;
          case web::Engine::Soso:
            hits = web::SosoRows(key_);
            break;
        }
        for (const web::SearchHit& hit : hits)
          playlist::AddResultRow(results_, hit.title, hit.singer, hit.duration, QString());
        if (page < 3) return FetchPage(generation, page + 1, false);
        running_ = false;
        deadline_.stop();
        emit BusyChanged(false, kBusy);
        results_.PadToMinRows();
        emit Finished(true);
      });
}

void SongSearch::Fail(int generation, const QString& message) {
  if (generation != generation_ || !running_) return;
  running_ = false;
  deadline_.stop();
  results_.Setup();
  results_.SetRows(SongGridModel::kMinRows);
  emit BusyChanged(false, kBusy);
  emit Failed(message.isEmpty() ? QStringLiteral("无法连接") : message);
  emit Finished(false);
}
