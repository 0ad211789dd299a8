// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QUrl>
#include <functional>

#include "config/apppaths.h"

class QNetworkAccessManager;
class QNetworkReply;
struct AppConfig;

namespace web {

// Size caps by kind of fetch: a longer answer is abandoned, not cut.
inline constexpr qint64 kPageMaxBytes = 8 << 20;
inline constexpr qint64 kLyricsMaxBytes = 2 << 20;
inline constexpr qint64 kPictureMaxBytes = 4 << 20;

// Why a fetch brought no usable page; ServerError still carries the error page's text.
enum class FetchError { None, Timeout, TooLarge, ServerError, Unreachable, Empty };

// Bounds of one fetch; a deadline of 0 takes the fetcher's.
struct FetchLimits {
  qint64 maxBytes = kPageMaxBytes;
  int deadlineMs = 0;
  bool keepBytes = false;  // also hand back the body as it came (files kept in their encoding)
};

// What a page fetch gives its caller: the decoded text, also written to the scratch file.
struct FetchResult {
  bool ok = false;      // the text, trimmed of U+0020 only, is not empty
  QString text;         // the page decoded as GBK ("" when nothing came back)
  QString scratchFile;  // where the text was written ("" for a bare GET)
  QUrl finalUrl;        // after redirects; relative links on the page resolve against it
  FetchError error = FetchError::None;
  int httpStatus = 0;  // 0 when no answer came
  QByteArray bytes;    // the body as it came, when the limits asked to keep it

  // The page as callers scan it: lines joined without separators (worked out off the GUI
  // thread by the fetcher).
  QString Joined() const;
  QStringList Lines() const;

  QString joined;
  bool hasJoined = false;
};

// The status-line words for a failed fetch: "连接超时", "页面过大", "服务器错误 500", "无法连接",
// "页面为空"; "" when nothing failed.
QString FailureText(const FetchResult& result);

// Decodes a response body; "GB2312" (and any charset Qt does not know) is read as GBK.
QString BytesToText(const QByteArray& body, const QString& charset);

// "a.htm?top9" with r = 42 -> "a.htm?top9?fakeParam=42": the marker goes on even after a query.
QString CacheBustedAddress(const QString& url, int r);

// The address as the services expect it on the wire: characters outside printable ASCII are
// sent as percent-escaped GBK bytes ("歌" -> "%B8%E8"), everything else as typed.
// Invalid when the address is not http or https.
QUrl ToRequestUrl(const QString& address);

// True when text with leading and trailing spaces (U+0020 only) removed is not empty.
bool HasText(const QString& text);

// The read-back rule applied to text or to a scratch file: every line appended with no separator.
QString JoinLines(const QString& text);
QString ReadBack(const QString& scratchFile);

// Shows an address in the user's browser; only web addresses are handed over.
bool OpenInBrowser(const QString& url);

}  // namespace web

// Fetches pages by HTTP GET, decodes them as GBK and writes them into named scratch files.
// Every fetch is asynchronous and answers once through its callback; a newer fetch into the
// same scratch file supersedes the older one, whose callback then never runs. Each fetch is
// bounded: an idle timeout, an overall deadline and a size cap counted after decompression;
// the body streams to disk and is decoded on a worker thread.
class PageFetcher : public QObject {
  Q_OBJECT

 public:
  using Callback = std::function<void(const web::FetchResult&)>;

  static constexpr qint64 kMaxBodyBytes = web::kPageMaxBytes;
  static constexpr int kDefaultTransferTimeoutMs = 15000;
  static constexpr int kDefaultDeadlineMs = 20000;
  static constexpr qint64 kReadBufferBytes = 256 * 1024;
  static constexpr qint64 kSliceBytes = 1 << 20;  // body bytes handled per event-loop turn

  PageFetcher(const AppPaths& paths, const AppConfig& config, QObject* parent = nullptr);
  ~PageFetcher() override;

  // The one-shot cache-bust flag: a caller sets it before its first fetch of a page and
  // clears it before retrying; fetching does not reset it.
  void SetCacheBust(bool on) { cacheBust_ = on; }
  bool cacheBust() const { return cacheBust_; }

  // Fetches url (with "?fakeParam=" + 1..10000 appended when the force-refresh option is on
  // and the flag is set), writes the text and one line end into scratchName inside the
  // scratch folder, then calls done unless context has gone. Returns the request id.
  int Fetch(const QString& url, const QString& scratchName, QObject* context, Callback done,
            const web::FetchLimits& limits = {});
  // The same, never adding the cache-buster.
  int FetchPlain(const QString& url, const QString& scratchName, QObject* context, Callback done,
                 const web::FetchLimits& limits = {});
  // The bare GET: the decoded body ("" on any failure), no scratch file, never superseded.
  int HttpGetBody(const QString& address, const QString& charset, QObject* context, Callback done,
                  const web::FetchLimits& limits = {});
  // Drops the pending fetch into scratchName, if any, without calling its callback.
  void Cancel(const QString& scratchName);

  QString ScratchPath(const QString& scratchName) const;
  // The program's one network access manager, for downloads that stream their own reply.
  QNetworkAccessManager& network() { return *nam_; }
  // Idle timeout (no byte for this long) and overall deadline of every fetch.
  void SetTransferTimeout(int ms) { transferTimeoutMs_ = ms; }
  void SetDeadline(int ms) { deadlineMs_ = ms; }
  int pendingCount() const { return static_cast<int>(pending_.size()); }
  // Source of the numbers in [0, 1) the cache-buster draws from.
  void SetRandomSource(std::function<double()> source) { random_ = std::move(source); }

 signals:
  // The exact address of every request sent, for the monitor window and for tests.
  void RequestSent(int id, const QString& address);
  // True while any fetch runs: the busy signs follow it.
  void BusyChanged(bool busy);

 private:
  struct Pending;
  int Start(const QString& address, const QString& charset, const QString& scratchName,
            QObject* context, Callback done, const web::FetchLimits& limits);
  void OnMetaData(int id);
  void OnReadyRead(int id);
  void OnFinished(int id);
  void GiveUp(int id, web::FetchError why);
  void Deliver(int id, web::FetchResult result);
  void Forget(int id);

  AppPaths paths_;
  const AppConfig& config_;
  QNetworkAccessManager* nam_;
  bool cacheBust_ = false;
  int transferTimeoutMs_ = kDefaultTransferTimeoutMs;
  int deadlineMs_ = kDefaultDeadlineMs;
  std::function<double()> random_;
  int nextId_ = 1;
  QHash<int, Pending*> pending_;
  QHash<QString, int> byScratch_;  // scratch name -> the id that owns it now
  QThreadPool decoders_;           // decodes finished pages off the GUI thread
};
