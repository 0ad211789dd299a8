// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/pagefetcher.h"

#include <zlib.h>

#include <QDesktopServices>
#include <QFile>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QTemporaryFile>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "common/gbk.h"
#include "common/safefilename.h"
#include "common/textfile.h"
#include "config/appconfig.h"

Q_LOGGING_CATEGORY(lcWeb, "tw.web", QtWarningMsg)

namespace web {

QString FetchResult::Joined() const {
  return hasJoined ? joined : JoinLines(text);
}

QString FailureText(const FetchResult& result) {
  switch (result.error) {
    case FetchError::None:
      return QString();
    case FetchError::Timeout:
      return QStringLiteral("连接超时");
    case FetchError::TooLarge:
      return QStringLiteral("页面过大");
    case FetchError::ServerError:
      return QStringLiteral("服务器错误 ") + QString::number(result.httpStatus);
    case FetchError::Unreachable:
      return QStringLiteral("无法连接");
    case FetchError::Empty:
      return QStringLiteral("页面为空");
  }
  return QString();
}
QStringList FetchResult::Lines() const {
  return common::SplitLines(text);
}

QString BytesToText(const QByteArray& body, const QString& charset) {
  const QString cs = charset.trimmed().toUpper();
  if (cs.isEmpty() || cs == u"GB2312" || cs == u"GBK" || cs == u"GB18030")
    return common::DecodeGbk(body);
  QStringDecoder decoder(cs.toLatin1().constData());
  if (!decoder.isValid()) return common::DecodeGbk(body);
  return decoder.decode(body);
}

QString CacheBustedAddress(const QString& url, int r) {
  return url + QStringLiteral("?fakeParam=") + QString::number(r);
}

QUrl ToRequestUrl(const QString& address) {
  QByteArray wire;
  wire.reserve(address.size() + 16);
  for (qsizetype i = 0; i < address.size(); ++i) {
    const QChar c = address.at(i);
    const ushort u = c.unicode();
    if (u > 0x20 && u < 0x7F) {
      wire.append(static_cast<char>(u));
      continue;
    }
    // Keep a surrogate pair together so the encoder sees the whole character.
    qsizetype len = (c.isHighSurrogate() && i + 1 < address.size()) ? 2 : 1;
    const QByteArray bytes = common::EncodeGbk(address.mid(i, len));
    i += len - 1;
    for (char b : bytes) {
      wire.append('%');
      wire.append(
          QByteArray::number(static_cast<unsigned char>(b), 16).rightJustified(2, '0').toUpper());
    }
  }
  QUrl url(QString::fromLatin1(wire), QUrl::TolerantMode);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || url.host().isEmpty() || (scheme != u"http" && scheme != u"https"))
    return QUrl();
  return url;
}

bool HasText(const QString& text) {
  qsizetype a = 0, b = text.size();
  while (a < b && text.at(a) == u' ') ++a;
  while (b > a && text.at(b - 1) == u' ') --b;
  return b > a;
}

QString JoinLines(const QString& text) {
  return common::SplitLines(text).join(QString());
}

QString ReadBack(const QString& scratchFile) {
  const auto content = common::ReadTextFile(scratchFile);
  return content ? content->lines.join(QString()) : QString();
}

bool OpenInBrowser(const QString& url) {
  const QUrl u = ToRequestUrl(url);
  return u.isValid() && QDesktopServices::openUrl(u);
}

}  // namespace web

namespace {
// Inflates a gzip or zlib body as it arrives; the caller stops it at its cap, so a small
// body that claims to inflate to gigabytes costs no more than the cap in memory and time.
class Inflater {
 public:
  Inflater() { ok_ = inflateInit2(&z_, 15 + 32) == Z_OK; }
  ~Inflater() { inflateEnd(&z_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;

  void Append(const QByteArray& chunk) {
    if (!ended_) in_ += chunk;
  }
  bool hasInput() const { return !ended_ && used_ < in_.size(); }

  // Inflates what was appended, handing each piece to sink, until the input is used up or
  // `budget` bytes came out. False when the stream is corrupt or the sink refused a piece.
  template <typename Sink>
  bool Run(Sink sink, qint64 budget) {
    if (!ok_) return false;
    z_.next_in = reinterpret_cast<Bytef*>(in_.data() + used_);
    z_.avail_in = static_cast<uInt>(in_.size() - used_);
    char out[64 * 1024];
    bool fine = true;
    while (z_.avail_in > 0 && !ended_ && budget > 0) {
      z_.next_out = reinterpret_cast<Bytef*>(out);
      z_.avail_out = sizeof out;
      const int rc = inflate(&z_, Z_NO_FLUSH);
      if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
        fine = ok_ = false;
        break;
      }
      const qint64 n = static_cast<qint64>(sizeof out - z_.avail_out);
      budget -= n;
      if (n > 0 && !sink(out, n)) {
        fine = false;
        break;
      }
      if (rc == Z_STREAM_END) ended_ = true;
      if (rc == Z_BUF_ERROR && n == 0) break;
    }
    used_ = in_.size() - z_.avail_in;
    if (used_ == in_.size() || ended_) {
      in_.clear();
      used_ = 0;
    }
    return fine;
  }

 private:
  z_stream z_{};
  QByteArray in_;  // input not inflated yet, from used_ on
  qsizetype used_ = 0;
  bool ok_ = false;
  bool ended_ = false;
};

// Errors that only restate an HTTP status (4xx, 5xx): the page is still text.
bool HttpStatusError(QNetworkReply::NetworkError e) {
  return (e >= 201 && e <= 299) || (e >= 401 && e <= 499);
}

struct Decoded {
  QByteArray bytes;
  QString text;
  QString joined;
  bool written = false;
};

// The worker's share: the body file to text, the joined form callers scan, and the scratch
// file's new content written beside it for the GUI thread to move into place.
Decoded DecodeBody(const QString& bodyPath, const QString& charset, const QString& scratchTmp,
                   bool keepBytes) {
  Decoded d;
  QFile in(bodyPath);
  if (!in.open(QIODevice::ReadOnly)) return d;
  const QByteArray body = in.readAll();
  d.text = web::BytesToText(body, charset);
  if (keepBytes) d.bytes = body;
  d.joined = web::JoinLines(d.text);
  if (!scratchTmp.isEmpty()) {
    QFile out(scratchTmp);
    d.written = out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                out.write(common::EncodeGbk(d.text + QStringLiteral("\r\n"))) >= 0 && out.flush();
  }
  return d;
}
}  // namespace

struct PageFetcher::Pending {
  QPointer<QNetworkReply> reply;
  QPointer<QObject> context;
  bool hasContext = false;
  Callback done;
  QString charset;
  QString scratchName;
  web::FetchLimits limits;
  std::unique_ptr<QTemporaryFile> body;  // the answer as it arrives, after decompression
  std::unique_ptr<Inflater> inflater;
  qint64 received = 0;
  web::FetchError error = web::FetchError::None;
  int status = 0;
  QUrl finalUrl;
  QTimer* deadline = nullptr;
  bool replyDone = false;    // the reply finished; its buffer may still hold data
  bool sliceQueued = false;  // another slice of reading is posted
  bool decoding = false;
};

PageFetcher::PageFetcher(const AppPaths& paths, const AppConfig& config, QObject* parent)
    : QObject(parent),
      paths_(paths),
      config_(config),
      nam_(new QNetworkAccessManager(this)),
      random_([] { return QRandomGenerator::global()->generateDouble(); }) {
  nam_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
  decoders_.setMaxThreadCount(1);
}

PageFetcher::~PageFetcher() {
  // Workers post back to this object: let them end before it goes.
  decoders_.waitForDone();
  for (Pending* p : std::as_const(pending_)) {
    if (p->reply) {
      p->reply->disconnect(this);
      p->reply->abort();
    }
    delete p;
  }
}

QString PageFetcher::ScratchPath(const QString& scratchName) const {
  return common::FileInFolder(paths_.scratchDir(), scratchName).value_or(QString());
}

int PageFetcher::Fetch(const QString& url, const QString& scratchName, QObject* context,
                       Callback done, const web::FetchLimits& limits) {
  QString address = url;
  if (config_.forceUpdate && cacheBust_) {
    const int r = static_cast<int>(random_() * 10000 + 1);
    address = web::CacheBustedAddress(url, qBound(1, r, 10000));
  }
  return Start(address, QStringLiteral("GB2312"), scratchName, context, std::move(done), limits);
}

int PageFetcher::FetchPlain(const QString& url, const QString& scratchName, QObject* context,
                            Callback done, const web::FetchLimits& limits) {
  return Start(url, QStringLiteral("GB2312"), scratchName, context, std::move(done), limits);
}

int PageFetcher::HttpGetBody(const QString& address, const QString& charset, QObject* context,
                             Callback done, const web::FetchLimits& limits) {
  return Start(address, charset, QString(), context, std::move(done), limits);
}

void PageFetcher::Cancel(const QString& scratchName) {
  const int id = byScratch_.value(scratchName);
  if (pending_.contains(id)) Forget(id);
}

void PageFetcher::Forget(int id) {
  Pending* p = pending_.take(id);
  if (!p) return;
  if (!p->scratchName.isEmpty() && byScratch_.value(p->scratchName) == id)
    byScratch_.remove(p->scratchName);
  if (p->reply) {
    p->reply->disconnect(this);
    p->reply->abort();
    p->reply->deleteLater();
  }
  if (p->deadline) p->deadline->deleteLater();  // may be the timer whose signal runs now
  delete p;
  if (pending_.isEmpty()) emit BusyChanged(false);
}

int PageFetcher::Start(const QString& address, const QString& charset, const QString& scratchName,
                       QObject* context, Callback done, const web::FetchLimits& limits) {
  if (!scratchName.isEmpty()) Cancel(scratchName);
  const int id = nextId_++;
  auto* p = new Pending;
  p->context = context;
  p->hasContext = context != nullptr;
  p->done = std::move(done);
  p->charset = charset;
  p->scratchName = scratchName;
  p->limits = limits;
  const bool wasIdle = pending_.isEmpty();
  pending_.insert(id, p);
  if (!scratchName.isEmpty()) byScratch_.insert(scratchName, id);
  if (wasIdle) emit BusyChanged(true);
  emit RequestSent(id, address);

  const QUrl url = web::ToRequestUrl(address);
  p->body = std::make_unique<QTemporaryFile>(paths_.scratchDir() + QStringLiteral("body-XXXXXX"));
  if (!url.isValid() || !p->body->open()) {
    // Refused addresses answer like an unreachable page, but never synchronously.
    p->error = web::FetchError::Unreachable;
    QMetaObject::invokeMethod(
        this, [this, id] { OnFinished(id); }, Qt::QueuedConnection);
    return id;
  }
  QNetworkRequest request(url);
  request.setTransferTimeout(transferTimeoutMs_);
  request.setMaximumRedirectsAllowed(10);
  // Asking for compression ourselves turns the stack's own inflating off: ours is bounded.
  request.setRawHeader("Accept-Encoding", "gzip, deflate");
  p->reply = nam_->get(request);
  p->reply->setReadBufferSize(kReadBufferBytes);
  connect(p->reply, &QNetworkReply::metaDataChanged, this, [this, id] { OnMetaData(id); });
  connect(p->reply, &QNetworkReply::readyRead, this, [this, id] { OnReadyRead(id); });
  connect(p->reply, &QNetworkReply::finished, this, [this, id] { OnFinished(id); });
  // The idle timeout cannot stop a server that sends a byte now and then; this can.
  p->deadline = new QTimer(this);
  p->deadline->setSingleShot(true);
  connect(p->deadline, &QTimer::timeout, this,
          [this, id] { GiveUp(id, web::FetchError::Timeout); });
  p->deadline->start(limits.deadlineMs > 0 ? limits.deadlineMs : deadlineMs_);
  return id;
}

void PageFetcher::OnMetaData(int id) {
  Pending* p = pending_.value(id);
  if (!p || !p->reply) return;
  bool known = false;
  const qint64 declared = p->reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&known);
  if (known && declared > p->limits.maxBytes) return GiveUp(id, web::FetchError::TooLarge);
  const QByteArray coding = p->reply->rawHeader("Content-Encoding").trimmed().toLower();
  if ((coding == "gzip" || coding == "deflate" || coding == "x-gzip") && !p->inflater)
    p->inflater = std::make_unique<Inflater>();
}

void PageFetcher::OnReadyRead(int id) {
  Pending* p = pending_.value(id);
  if (!p || !p->reply || p->decoding) return;
  // At most one slice of output per turn of the event loop: a body that inflates a
  // thousandfold must not hold the GUI thread until the cap is reached.
  qint64 budget = kSliceBytes;
  const qint64 cap = p->limits.maxBytes;
  bool over = false;
  auto sink = [p, cap, &over, &budget](const char* data, qint64 n) {
    if (p->received + n > cap) {
      over = true;
      return false;
    }
    p->received += n;
    budget -= n;
    return p->body->write(data, n) == n;
  };
  while (budget > 0) {
    if (p->inflater && p->inflater->hasInput()) {
      if (!p->inflater->Run(sink, budget))
        return GiveUp(id, over ? web::FetchError::TooLarge : web::FetchError::Empty);
      continue;
    }
    if (p->reply->bytesAvailable() <= 0) break;
    const QByteArray chunk = p->reply->read(kReadBufferBytes);
    if (chunk.isEmpty()) break;
    if (p->inflater)
      p->inflater->Append(chunk);
    else if (!sink(chunk.constData(), chunk.size()))
      return GiveUp(id, over ? web::FetchError::TooLarge : web::FetchError::Empty);
  }
  const bool more = (p->inflater && p->inflater->hasInput()) || p->reply->bytesAvailable() > 0;
  if (more) {
    if (!p->sliceQueued) {
      p->sliceQueued = true;
      QTimer::singleShot(0, this, [this, id] {
        if (Pending* q = pending_.value(id)) q->sliceQueued = false;
        OnReadyRead(id);
      });
    }
    return;
  }
  if (p->replyDone) OnFinished(id);
}

void PageFetcher::GiveUp(int id, web::FetchError why) {
  Pending* p = pending_.value(id);
  if (!p || p->decoding) return;
  qCDebug(lcWeb) << "giving up" << id << static_cast<int>(why) << "after" << p->received << "bytes";
  p->error = why;
  if (p->reply) {
    p->reply->disconnect(this);
    p->reply->abort();
    p->reply->deleteLater();
    p->reply = nullptr;
  }
  OnFinished(id);
}

void PageFetcher::OnFinished(int id) {
  Pending* p = pending_.value(id);
  if (!p || p->decoding) return;
  if (p->reply && !p->replyDone) {
    // Read what is left first; the last slice comes back here.
    p->replyDone = true;
    return OnReadyRead(id);
  }
  if (p->deadline) p->deadline->stop();
  if (QNetworkReply* reply = p->reply) {
    p->status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    p->finalUrl = reply->url();
    const QNetworkReply::NetworkError e = reply->error();
    qCDebug(lcWeb) << "fetched" << reply->url() << e << p->status << p->received;
    if (p->error == web::FetchError::None) {
      if (p->status >= 500)
        p->error = web::FetchError::ServerError;
      else if (e == QNetworkReply::OperationCanceledError || e == QNetworkReply::TimeoutError)
        p->error = web::FetchError::Timeout;  // the idle timeout ended it
      else if (e != QNetworkReply::NoError && p->received == 0 && !HttpStatusError(e))
        p->error = web::FetchError::Unreachable;  // refused, redirect loop or to elsewhere
    }
    reply->disconnect(this);
    reply->deleteLater();
    p->reply = nullptr;
  }
  // Any status counts: an error page is text like any other.
  const bool keepText = p->received > 0 && (p->error == web::FetchError::None ||
                                            p->error == web::FetchError::ServerError);
  const QString scratch = p->scratchName.isEmpty() ? QString() : ScratchPath(p->scratchName);
  if (!keepText) {
    p->body.reset();
    web::FetchResult result;
    result.error = p->error == web::FetchError::None ? web::FetchError::Empty : p->error;
    result.httpStatus = p->status;
    result.finalUrl = p->finalUrl;
    result.scratchFile = scratch;
    if (!scratch.isEmpty()) common::WriteBytesAtomically(scratch, QByteArrayLiteral("\r\n"));
    return Deliver(id, result);
  }
  p->body->flush();
  p->decoding = true;
  const QString bodyPath = p->body->fileName();
  const QString charset = p->charset;
  const QString tmp = scratch.isEmpty() ? QString() : scratch + u'.' + QString::number(id);
  const bool keepBytes = p->limits.keepBytes;
  decoders_.start([this, id, bodyPath, charset, tmp, keepBytes] {
    Decoded d = DecodeBody(bodyPath, charset, tmp, keepBytes);
    QMetaObject::invokeMethod(
        this,
        [this, id, tmp, d = std::move(d)]() mutable {
          Pending* p = pending_.value(id);
          if (!p) {  // superseded or cancelled while decoding
            if (!tmp.isEmpty()) QFile::remove(tmp);
            return;
          }
          web::FetchResult result;
          result.error = p->error;
          result.httpStatus = p->status;
          result.finalUrl = p->finalUrl;
          result.text = std::move(d.text);
          result.bytes = std::move(d.bytes);
          result.joined = std::move(d.joined);
          result.hasJoined = true;
          if (!tmp.isEmpty()) {
            result.scratchFile = tmp.left(tmp.lastIndexOf(u'.'));
            if (!d.written || std::rename(QFile::encodeName(tmp).constData(),
                                          QFile::encodeName(result.scratchFile).constData()) != 0)
              QFile::remove(tmp);
          }
          Deliver(id, std::move(result));
        },
        Qt::QueuedConnection);
  });
}

void PageFetcher::Deliver(int id, web::FetchResult result) {
  Pending* p = pending_.value(id);
  if (!p) return;
  result.ok = web::HasText(result.text);
  if (result.error == web::FetchError::None && !result.ok) result.error = web::FetchError::Empty;
  const bool alive = !p->hasContext || p->context;
  Callback done = std::move(p->done);
  Forget(id);
  if (alive && done) done(result);
}
