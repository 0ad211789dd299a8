// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>

#include "download/downloadlistmodel.h"

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;

// Downloads web files in the background, one list row per target path; the service every
// window that saves something from the web uses. The body streams into a temporary file
// beside the target, which replaces the target only when the whole body arrived: a failed or
// cancelled download leaves the old file as it was and no temporary behind.
class Downloader : public QObject {
  Q_OBJECT

 public:
  static constexpr qint64 kMaxBytes = qint64{2} << 30;  // no song or video is larger
  static constexpr int kIdleTimeoutMs = 30000;
  static constexpr qint64 kReadBufferBytes = 256 * 1024;

  // nam: the program's one network access manager.
  explicit Downloader(QNetworkAccessManager& nam, QObject* parent = nullptr);
  ~Downloader() override;

  // Starts fetching url into saveFile. Only http and https are fetched; anything else
  // completes as failed. A second call for a listed path starts another read, no new row.
  void BeginDownload(const QString& url, const QString& saveFile);
  // Cancels every pending read; each completes as failed. Always false.
  bool CancelAsyncRead();

  // A read that brings no byte for this long fails.
  void SetIdleTimeout(int ms) { idleTimeoutMs_ = ms; }
  // A body larger than this fails (pictures are capped far below a song).
  void SetMaxBytes(qint64 bytes) { maxBytes_ = bytes; }
  DownloadListModel& list() { return list_; }
  const QString& url() const { return url_; }
  const QString& savePath() const { return savePath_; }
  bool success() const { return success_; }
  int pendingCount() const { return static_cast<int>(reads_.size()); }

 signals:
  void StatusText(const QString& text);  // for the host's status box (Text1)
  void DownloadProgress(qint64 bytesRead, qint64 bytesMax, const QString& savePath);
  void DownloadComplete(qint64 bytesMax, const QString& savePath, bool success);

 private:
  struct Read;
  void OnProgress(QNetworkReply* reply, qint64 read, qint64 total);
  void OnReadyRead(QNetworkReply* reply);
  void OnFinished(QNetworkReply* reply);
  void Complete(Read* read, bool ok);

  QNetworkAccessManager& nam_;
  DownloadListModel list_;
  QString url_;
  QString savePath_;
  bool success_ = false;
  int idleTimeoutMs_ = kIdleTimeoutMs;
  qint64 maxBytes_ = kMaxBytes;
  QHash<QNetworkReply*, Read*> reads_;
  QSet<Read*> committing_;  // bodies being flushed to disk and renamed
  // The final flush of a large file takes a while: it runs here, never on the GUI thread.
  QThreadPool committer_;
};
