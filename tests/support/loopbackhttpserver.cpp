// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/loopbackhttpserver.h"

#include <zlib.h>

#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>

namespace {
constexpr qint64 kHighWater = 1024 * 1024;  // bytes queued per socket before waiting
constexpr qint64 kPiece = 256 * 1024;
}  // namespace

struct LoopbackHttpServer::Conn {
  QByteArray request;
  Route route;
  bool answered = false;
  qint64 sent = 0;  // body bytes produced so far
  QTimer* trickle = nullptr;
};

const QByteArray& LoopbackHttpServer::GzipBombBody() {
  // After a full flush a deflate block refers to nothing before it, so one flushed block of
  // 1 MiB of zeros can be repeated: 1024 copies inflate to 1 GiB.
  static const QByteArray body = [] {
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 15 + 16, 9, Z_DEFAULT_STRATEGY);
    QByteArray zeros(1 << 20, '\0'), out(1 << 20, '\0');
    z.next_in = reinterpret_cast<Bytef*>(zeros.data());
    z.avail_in = static_cast<uInt>(zeros.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FULL_FLUSH);
    const QByteArray first = out.left(out.size() - z.avail_out);
    // The gzip header (10 bytes) comes once; the flushed block repeats.
    const QByteArray header = first.left(10), block = first.mid(10);
    deflateEnd(&z);
    QByteArray bomb = header;
    for (int i = 0; i < 1024; ++i) bomb += block;
    return bomb;
  }();
  return body;
}

LoopbackHttpServer::LoopbackHttpServer(int lifetimeMs, QObject* parent)
    : QObject(parent), lifetime_(new QTimer(this)) {
  server_.listen(QHostAddress::LocalHost, 0);
  connect(&server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* s = server_.nextPendingConnection()) {
      conns_.insert(s, new Conn);
      connect(s, &QTcpSocket::readyRead, this, [this, s] { OnReadyRead(s); });
      connect(s, &QTcpSocket::bytesWritten, this, [this, s] { Feed(s); });
      connect(s, &QTcpSocket::disconnected, this, [this, s] { Drop(s); });
    }
  });
  // A test that forgets the server, or hangs, still leaves no listener behind.
  lifetime_->setSingleShot(true);
  connect(lifetime_, &QTimer::timeout, this, [this] {
    server_.close();
    for (QTcpSocket* s : conns_.keys()) s->abort();
  });
  lifetime_->start(lifetimeMs);
}

LoopbackHttpServer::~LoopbackHttpServer() {
  server_.close();
  for (auto it = conns_.begin(); it != conns_.end(); ++it) {
    it.key()->disconnect(this);
    it.key()->abort();
    delete it.key();
    delete it.value();
  }
}

void LoopbackHttpServer::SetPage(const QByteArray& path, const QByteArray& body,
                                 const QByteArray& status, const QByteArray& headers) {
  Route r;
  r.body = body;
  r.status = status;
  r.headers = headers;
  routes_[path] = r;
}

QString LoopbackHttpServer::Url(const QString& pathAndQuery) const {
  return QStringLiteral("http://127.0.0.1:") + QString::number(server_.serverPort()) + pathAndQuery;
}

int LoopbackHttpServer::RequestsFor(const QByteArray& path) const {
  int n = 0;
  for (const QByteArray& line : requestLines_) {
    const QByteArray target = line.split(' ').value(1);
    const qsizetype q = target.indexOf('?');
    if ((q < 0 ? target : target.left(q)) == path) ++n;
  }
  return n;
}

int LoopbackHttpServer::openConnections() const {
  int n = 0;
  for (QTcpSocket* s : conns_.keys())
    if (s->state() == QAbstractSocket::ConnectedState) ++n;
  return n;
}

void LoopbackHttpServer::OnReadyRead(QTcpSocket* s) {
  Conn* c = conns_.value(s);
  if (!c) return;
  c->request += s->readAll();
  if (c->answered) return;
  const qsizetype end = c->request.indexOf("\r\n\r\n");
  if (end < 0) return;
  const QList<QByteArray> lines = c->request.left(end).split('\n');
  requestLines_ << lines[0].trimmed();
  QList<QByteArray> names;
  for (qsizetype i = 1; i < lines.size(); ++i) names << lines[i].split(':')[0].trimmed().toLower();
  headerNames_ << names;
  const QByteArray target = lines[0].split(' ').value(1);
  const qsizetype q = target.indexOf('?');
  c->answered = true;
  Route route;
  route.status = "404 Not Found";
  route = routes_.value(q < 0 ? target : target.left(q), route);
  if (route.kind == Kind::Page && route.delayMs > 0) {
    QTimer::singleShot(route.delayMs, s, [this, s, route] {
      if (Conn* late = conns_.value(s)) Answer(*late, route);
    });
    return;
  }
  Answer(*c, route);
  Feed(s);
}

void LoopbackHttpServer::Answer(Conn& c, const Route& route) {
  c.route = route;
  QTcpSocket* s = conns_.key(&c);
  QByteArray head = "HTTP/1.1 " + route.status + "\r\n" + route.headers;
  switch (route.kind) {
    case Kind::Silent:
      return;
    case Kind::Page:
      head += "Content-Length: " + QByteArray::number(route.body.size()) + "\r\n";
      break;
    case Kind::Huge:
      head += "Content-Length: " + QByteArray::number(route.size) + "\r\n";
      break;
    case Kind::Trickle:
      head += "Content-Length: 1000000\r\n";
      break;
    case Kind::EndlessChunked:
      head += "Transfer-Encoding: chunked\r\n";
      break;
    case Kind::GzipBomb:
      head +=
          "Content-Encoding: gzip\r\nContent-Length: " + QByteArray::number(GzipBombBody().size()) +
          "\r\n";
      break;
  }
  s->write(head + "Connection: close\r\n\r\n");
  if (route.kind == Kind::Page) {
    s->write(route.body);
    bytesSent_ += route.body.size();
    s->disconnectFromHost();
  } else if (route.kind == Kind::Trickle) {
    c.trickle = new QTimer(s);
    connect(c.trickle, &QTimer::timeout, s, [this, s] {
      s->write("a");
      ++bytesSent_;
    });
    c.trickle->start(route.intervalMs);
  }
}

void LoopbackHttpServer::Feed(QTcpSocket* s) {
  Conn* c = conns_.value(s);
  if (!c || !c->answered) return;
  const Kind kind = c->route.kind;
  if (kind != Kind::Huge && kind != Kind::EndlessChunked && kind != Kind::GzipBomb) return;
  while (s->bytesToWrite() < kHighWater && s->state() == QAbstractSocket::ConnectedState) {
    QByteArray piece;
    if (kind == Kind::Huge) {
      const qint64 n = qMin(kPiece, c->route.size - c->sent);
      if (n <= 0) {
        s->disconnectFromHost();
        return;
      }
      piece = QByteArray(n, 'a');
      c->sent += n;
    } else if (kind == Kind::EndlessChunked) {
      piece = QByteArray::number(kPiece, 16) + "\r\n" + QByteArray(kPiece, 'a') + "\r\n";
      c->sent += kPiece;
    } else {
      const QByteArray& bomb = GzipBombBody();
      if (c->sent >= bomb.size()) {
        s->disconnectFromHost();
        return;
      }
      piece = bomb.mid(c->sent, kPiece);
      c->sent += piece.size();
    }
    s->write(piece);
    bytesSent_ += piece.size();
  }
}

void LoopbackHttpServer::Drop(QTcpSocket* s) {
  delete conns_.take(s);
  s->deleteLater();
}

qint64 ProcStatusKiB(const char* field) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray key = QByteArray(field) + ':';
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith(key))
      return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
  return -1;
}

bool ResetMemoryPeak() {
  QFile f(QStringLiteral("/proc/self/clear_refs"));
  return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

QList<Misbehaviour> Misbehaviours(const LoopbackHttpServer& server, const QByteArray& loopPath) {
  using K = LoopbackHttpServer::Kind;
  const QByteArray loop = "Location: " + server.Url(QString()).toLatin1() + loopPath + "\r\n";
  return {
      {"trickle", {K::Trickle, "200 OK", {}, {}, 0, 100}, "连接超时"},
      {"silent", {K::Silent, "200 OK", {}, {}, 0, 0}, "连接超时"},
      {"huge", {K::Huge, "200 OK", {}, {}, 100 << 20, 0}, "页面过大"},
      {"chunked", {K::EndlessChunked, "200 OK", {}, {}, 0, 0}, "页面过大"},
      {"gzipbomb", {K::GzipBomb, "200 OK", {}, {}, 0, 0}, "页面过大"},
      {"loop", {K::Page, "302 Found", {}, loop, 0, 0}, "无法连接"},
      {"tofile", {K::Page, "302 Found", {}, "Location: file:///etc/passwd\r\n", 0, 0}, "无法连接"},
      {"error500", {K::Page, "500 Internal Server Error", "oops", {}, 0, 0}, "服务器错误 500"},
      {"empty", {K::Page, "200 OK", {}, {}, 0, 0}, "页面为空"},
  };
}
