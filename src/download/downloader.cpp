// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/downloader.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace {
bool IsHttp(const QUrl& url) {
  return url.isValid() &&
         (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) &&
         !url.host().isEmpty();
}
}  // namespace

struct Downloader::Read {
  QString path;
  std::unique_ptr<QSaveFile> file;
  qint64 received = 0;
  qint64 declared = -1;  // Content-Length, when the server gave one
  bool failed = false;
};

Downloader::Downloader(QNetworkAccessManager& nam, QObject* parent) : QObject(parent), nam_(nam) {}

Downloader::~Downloader() {
  committer_.waitForDone();
  qDeleteAll(committing_);  // their answers were posted to this object and die with it
  const auto replies = reads_.keys();
  for (QNetworkReply* reply : replies) {
    Read* read = reads_.take(reply);
    reply->disconnect(this);
    reply->abort();
    reply->deleteLater();
    delete read;  // the unfinished QSaveFile removes its temporary
  }
}

void Downloader::BeginDownload(const QString& url, const QString& saveFile) {
  emit StatusText(QStringLiteral("正在尝试连接源,请稍候"));
  url_ = url;
  list_.AddTarget(saveFile);

  const QUrl address(url);
  auto read = std::make_unique<Read>();
  read->path = saveFile;
  read->file = std::make_unique<QSaveFile>(saveFile);
  if (!IsHttp(address) || !read->file->open(QIODevice::WriteOnly)) {
    // Reported from the event loop, as a read that failed would be.
    QTimer::singleShot(0, this, [this, path = saveFile] {
      success_ = false;
      emit DownloadComplete(0, path, false);
      list_.RemoveRow(list_.RowOfPath(path));
    });
    return;
  }

  QNetworkRequest request(address);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::UserVerifiedRedirectPolicy);
  request.setTransferTimeout(idleTimeoutMs_);
  // The byte counts are the file's: no transparent decompression.
  request.setRawHeader("Accept-Encoding", "identity");
  QNetworkReply* reply = nam_.get(request);
  reply->setReadBufferSize(kReadBufferBytes);
  reads_.insert(reply, read.release());

  connect(reply, &QNetworkReply::redirected, this, [reply](const QUrl& to) {
    // A redirect to anything but http or https ends the download as failed.
    if (IsHttp(to))
      emit reply->redirectAllowed();
    else
      reply->abort();
  });
  connect(reply, &QNetworkReply::downloadProgress, this,
          [this, reply](qint64 got, qint64 total) { OnProgress(reply, got, total); });
  connect(reply, &QNetworkReply::readyRead, this, [this, reply] { OnReadyRead(reply); });
  connect(reply, &QNetworkReply::finished, this, [this, reply] { OnFinished(reply); });
}

bool Downloader::CancelAsyncRead() {
  const auto replies = reads_.keys();
  for (QNetworkReply* reply : replies) {
    if (Read* read = reads_.value(reply)) read->failed = true;
    reply->abort();  // finished follows, which reports the failure
  }
  return false;
}

void Downloader::OnProgress(QNetworkReply* reply, qint64 got, qint64 total) {
  Read* read = reads_.value(reply);
  if (!read) return;
  if (total < 1) emit StatusText(QStringLiteral("开始下载"));
  emit DownloadProgress(got, total, read->path);
  const int r = list_.RowOfName(DownloadListModel::FileNameOf(read->path));
  if (r == 0) return;
  list_.SetProgress(r, got, total);
  savePath_ = list_.row(r).path;
  emit StatusText(QStringLiteral("正在下载"));
}

void Downloader::OnReadyRead(QNetworkReply* reply) {
  Read* read = reads_.value(reply);
  if (!read || read->failed) return;
  if (read->declared < 0) {
    bool ok = false;
    const qint64 length = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&ok);
    if (ok) read->declared = length;
  }
  const QByteArray chunk = reply->readAll();
  read->received += chunk.size();
  if (read->received > maxBytes_ || read->declared > maxBytes_ ||
      read->file->write(chunk) != chunk.size()) {
    read->failed = true;
    reply->abort();
  }
}

void Downloader::OnFinished(QNetworkReply* reply) {
  Read* read = reads_.value(reply);
  if (!read) return;
  if (!read->failed) OnReadyRead(reply);
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  bool ok = !read->failed && reply->error() == QNetworkReply::NoError && status >= 200 &&
            status < 300 && read->received > 0 &&
            (read->declared < 0 || read->declared == read->received);
  reads_.remove(reply);
  reply->deleteLater();
  if (!ok) return Complete(read, false);
  committing_.insert(read);
  committer_.start([this, read] {
    const bool committed = read->file->commit();
    QMetaObject::invokeMethod(
        this,
        [this, read, committed] {
          committing_.remove(read);
          Complete(read, committed);
        },
        Qt::QueuedConnection);
  });
}

void Downloader::Complete(Read* read, bool ok) {
  const std::unique_ptr<Read> owned(read);  // an uncommitted file drops its temporary here
  if (!ok) read->file->cancelWriting();
  success_ = ok;
  emit DownloadComplete(ok ? read->received : 0, read->path, ok);
  list_.RemoveRow(list_.RowOfPath(read->path));
}
