// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/pagefetcher.h"

#include <QDesktopServices>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRandomGenerator>
#include <QStringDecoder>

#include "config/appconfig.h"
#include "common/gbk.h"
#include "common/safefilename.h"
#include "common/textfile.h"

Q_LOGGING_CATEGORY(lcWeb, "tw.web", QtWarningMsg)

namespace web {

QString FetchResult::Joined() const {
  return JoinLines(text);
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

struct PageFetcher::Pending {
  QPointer<QNetworkReply> reply;
  QPointer<QObject> context;
  bool hasContext = false;
  Callback done;
  QString charset;
  QString scratchName;
  QByteArray body;
  bool capped = false;
};

PageFetcher::PageFetcher(const AppPaths& paths, const AppConfig& config, QObject* parent)
    : QObject(parent),
      paths_(paths),
      config_(config),
      nam_(new QNetworkAccessManager(this)),
      random_([] { return QRandomGenerator::global()->generateDouble(); }) {
  nam_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

PageFetcher::~PageFetcher() {
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
                       Callback done) {
  QString address = url;
  if (config_.forceUpdate && cacheBust_) {
    const int r = static_cast<int>(random_() * 10000 + 1);
    address = web::CacheBustedAddress(url, qBound(1, r, 10000));
  }
  return Start(address, QStringLiteral("GB2312"), scratchName, context, std::move(done));
}

int PageFetcher::FetchPlain(const QString& url, const QString& scratchName, QObject* context,
                            Callback done) {
  return Start(url, QStringLiteral("GB2312"), scratchName, context, std::move(done));
}

int PageFetcher::HttpGetBody(const QString& address, const QString& charset, QObject* context,
                             Callback done) {
  return Start(address, charset, QString(), context, std::move(done));
}

void PageFetcher::Cancel(const QString& scratchName) {
  const int id = byScratch_.take(scratchName);
  Pending* p = pending_.take(id);
  if (!p) return;
  if (p->reply) {
    p->reply->disconnect(this);
    p->reply->abort();
    p->reply->deleteLater();
  }
  delete p;
}

int PageFetcher::Start(const QString& address, const QString& charset, const QString& scratchName,
                       QObject* context, Callback done) {
  if (!scratchName.isEmpty()) Cancel(scratchName);
  const int id = nextId_++;
  auto* p = new Pending;
  p->context = context;
  p->hasContext = context != nullptr;
  p->done = std::move(done);
  p->charset = charset;
  p->scratchName = scratchName;
  pending_.insert(id, p);
  if (!scratchName.isEmpty()) byScratch_.insert(scratchName, id);
  emit RequestSent(id, address);

  const QUrl url = web::ToRequestUrl(address);
  if (!url.isValid()) {
    // Refused addresses answer like an unreachable page, but never synchronously.
    QMetaObject::invokeMethod(
        this, [this, id] { OnFinished(id); }, Qt::QueuedConnection);
    return id;
  }
  QNetworkRequest request(url);
  request.setTransferTimeout(transferTimeoutMs_);
  request.setMaximumRedirectsAllowed(10);
  request.setDecompressedSafetyCheckThreshold(kMaxBodyBytes);
  p->reply = nam_->get(request);
  connect(p->reply, &QNetworkReply::readyRead, this, [this, id] { OnReadyRead(id); });
  connect(p->reply, &QNetworkReply::finished, this, [this, id] { OnFinished(id); });
  return id;
}

void PageFetcher::OnReadyRead(int id) {
  Pending* p = pending_.value(id);
  if (!p || !p->reply || p->capped) return;
  p->body += p->reply->read(kMaxBodyBytes - p->body.size());
  if (p->body.size() >= kMaxBodyBytes) {
    // Keep what fits and stop the transfer; the finished handler delivers the cut page.
    p->capped = true;
    p->reply->abort();
  }
}

void PageFetcher::OnFinished(int id) {
  Pending* p = pending_.take(id);
  if (!p) return;
  if (!p->scratchName.isEmpty() && byScratch_.value(p->scratchName) == id)
    byScratch_.remove(p->scratchName);

  web::FetchResult result;
  if (p->reply) {
    qCDebug(lcWeb) << "fetched" << p->reply->url() << p->reply->error() << "capped" << p->capped;
    if (!p->capped && p->reply->isOpen()) p->body += p->reply->read(kMaxBodyBytes - p->body.size());
    result.finalUrl = p->reply->url();
    p->reply->deleteLater();
  }
  // Any status counts: an error page is text like any other. Only a transport failure that
  // brought no bytes at all (refused, timed out) leaves the text empty.
  if (!p->body.isEmpty()) result.text = web::BytesToText(p->body, p->charset);
  if (!p->scratchName.isEmpty()) {
    result.scratchFile = ScratchPath(p->scratchName);
    if (!result.scratchFile.isEmpty())
      common::WriteBytesAtomically(result.scratchFile,
                                   common::EncodeGbk(result.text + QStringLiteral("\r\n")));
  }
  result.ok = web::HasText(result.text);

  const bool alive = !p->hasContext || p->context;
  Callback done = std::move(p->done);
  delete p;
  if (alive && done) done(result);
}
