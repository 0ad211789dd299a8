// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "demoserver.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include "common/gbk.h"

namespace {
constexpr qsizetype kMaxHeader = 16 << 10;

QByteArray Reason(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 206:
      return "Partial Content";
    case 404:
      return "Not Found";
    default:
      return "Status";
  }
}

QString DecodeValue(const QByteArray& raw) {
  const QByteArray bytes = QByteArray::fromPercentEncoding(raw);
  return common::LooksLikeUtf8(bytes) ? QString::fromUtf8(bytes) : common::DecodeGbk(bytes);
}
}  // namespace

DemoResponse DemoResponse::Html(const QString& text, int status) {
  DemoResponse r;
  r.status = status;
  r.body = common::EncodeGbk(text);
  return r;
}

DemoServer::DemoServer(QObject* parent) : QObject(parent), server_(new QTcpServer(this)) {
  connect(server_, &QTcpServer::newConnection, this, &DemoServer::OnConnection);
}

bool DemoServer::Listen(quint16 port) {
  return server_->listen(QHostAddress::LocalHost, port);
}
quint16 DemoServer::port() const {
  return server_->serverPort();
}
QString DemoServer::baseUrl() const {
  return QStringLiteral("http://127.0.0.1:") + QString::number(port());
}

void DemoServer::AddRoute(const QString& path, DemoRoute route) {
  exact_.insert(path, std::move(route));
}

void DemoServer::AddPrefixRoute(const QString& prefix, DemoRoute route) {
  prefixes_.append({prefix, std::move(route)});
}

QMap<QString, QString> DemoServer::ParseQuery(const QByteArray& raw) {
  QMap<QString, QString> out;
  for (const QByteArray& pair : raw.split('&')) {
    if (pair.isEmpty()) continue;
    const qsizetype eq = pair.indexOf('=');
    const QByteArray key = eq < 0 ? pair : pair.left(eq);
    QByteArray value = eq < 0 ? QByteArray() : pair.mid(eq + 1);
    const qsizetype q = value.indexOf('?');
    if (q >= 0) value.truncate(q);
    out.insert(DecodeValue(key), DecodeValue(value));
  }
  return out;
}

void DemoServer::OnConnection() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadable(socket); });
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
  }
}

void DemoServer::OnReadable(QTcpSocket* socket) {
  QByteArray buffer = socket->property("buffer").toByteArray() + socket->readAll();
  const qsizetype end = buffer.indexOf("\r\n\r\n");
  if (end < 0) {
    if (buffer.size() > kMaxHeader)
      socket->abort();
    else
      socket->setProperty("buffer", buffer);
    return;
  }
  if (socket->property("answered").toBool()) return;
  socket->setProperty("answered", true);

  const QList<QByteArray> lines = buffer.left(end).split('\n');
  const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
  DemoRequest request;
  const QByteArray target = first.value(1);
  const qsizetype q = target.indexOf('?');
  request.path = QString::fromLatin1(q < 0 ? target : target.left(q));
  request.rawQuery = q < 0 ? QByteArray() : target.mid(q + 1);
  request.query = ParseQuery(request.rawQuery);
  for (const QByteArray& line : lines)
    if (line.toLower().startsWith("range:")) request.range = line.mid(6).trimmed();

  DemoResponse response = first.value(0) == "GET" ? Dispatch(request) : DemoResponse::Html({}, 404);
  if (response.stall) return;  // the socket stays open until the client gives up
  if (response.stream) {
    request.headers = buffer.left(end);
    return response.stream(socket, request);
  }

  QByteArray body = response.body;
  int status = response.status;
  QByteArray extra;
  if (response.rangeable && request.range.startsWith("bytes=")) {
    const qsizetype from = request.range.mid(6).split('-').value(0).toLongLong();
    if (from > 0 && from < body.size()) {
      extra = "Content-Range: bytes " + QByteArray::number(from) + '-' +
              QByteArray::number(body.size() - 1) + '/' + QByteArray::number(body.size()) + "\r\n";
      body = body.mid(from);
      status = 206;
    }
  }
  if (response.rangeable) extra += "Accept-Ranges: bytes\r\n";
  QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + Reason(status) + "\r\n" +
                    "Content-Type: " + response.contentType + "\r\n" +
                    "Content-Length: " + QByteArray::number(body.size()) + "\r\n" + extra +
                    "Connection: close\r\n\r\n";
  socket->write(head);
  if (response.breakOffAt >= 0) body.truncate(response.breakOffAt);
  if (response.bytesPerSecond <= 0) {
    socket->write(body);
    socket->disconnectFromHost();
    return;
  }
  // Paced: a slice every 50 ms, so a client's progress moves visibly.
  const qsizetype slice = qMax(1, response.bytesPerSecond / 20);
  auto* timer = new QTimer(socket);
  connect(timer, &QTimer::timeout, socket,
          [socket, timer, body, slice, sent = qsizetype{0}]() mutable {
            if (socket->state() != QAbstractSocket::ConnectedState) return timer->stop();
            socket->write(body.mid(sent, slice));
            sent += slice;
            if (sent >= body.size()) {
              timer->stop();
              socket->disconnectFromHost();
            }
          });
  timer->start(50);
}

DemoResponse DemoServer::Dispatch(const DemoRequest& request) const {
  if (auto it = exact_.find(request.path); it != exact_.end()) return (*it)(request);
  for (const auto& [prefix, route] : prefixes_)
    if (request.path.startsWith(prefix)) return route(request);
  return DemoResponse::Html(QStringLiteral("<html><body>404 找不到页面</body></html>"), 404);
}
