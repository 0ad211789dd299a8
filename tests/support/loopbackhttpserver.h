// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>

class QTcpSocket;
class QTimer;

// One HTTP server on 127.0.0.1 for every test that fetches. Each path answers with one
// behaviour, a good page or one of the ways a broken or hostile server misbehaves. Bodies are
// produced as the client reads them, so a 100 MB or endless answer costs the test process no
// memory; the server closes itself after a lifetime (60 s unless changed).
class LoopbackHttpServer : public QObject {
 public:
  enum class Kind {
    Page,            // status, headers and body as given, then close
    Silent,          // accept and never answer
    Trickle,         // headers, then one byte of the body every intervalMs, never ending
    Huge,            // `size` bytes of 'a' with a Content-Length
    EndlessChunked,  // chunked encoding that never ends
    GzipBomb,        // gzip that inflates to about 1 GiB of zeros
  };
  struct Route {
    Kind kind = Kind::Page;
    QByteArray status = "200 OK";
    QByteArray body;
    QByteArray headers;  // extra header lines, each ending in CRLF
    qint64 size = 0;
    int intervalMs = 5000;
    int delayMs = 0;  // a Page waits this long before answering
  };

  explicit LoopbackHttpServer(int lifetimeMs = 60000, QObject* parent = nullptr);
  ~LoopbackHttpServer() override;

  // Paths are matched without their query.
  void Set(const QByteArray& path, const Route& route) { routes_[path] = route; }
  void SetPage(const QByteArray& path, const QByteArray& body, const QByteArray& status = "200 OK",
               const QByteArray& headers = {});
  QString Url(const QString& pathAndQuery) const;
  quint16 port() const { return server_.serverPort(); }

  // What was asked: request lines ("GET /a?b HTTP/1.1") and header names (lower case).
  const QList<QByteArray>& requestLines() const { return requestLines_; }
  const QList<QList<QByteArray>>& headerNames() const { return headerNames_; }
  int RequestsFor(const QByteArray& path) const;
  // Connections the client still holds open.
  int openConnections() const;
  qint64 bytesSent() const { return bytesSent_; }

  // The compressed body GzipBomb sends (about 1 MB).
  static const QByteArray& GzipBombBody();

 private:
  struct Conn;
  void OnReadyRead(QTcpSocket* s);
  void Answer(Conn& c, const Route& route);
  void Feed(QTcpSocket* s);
  void Drop(QTcpSocket* s);

  QTcpServer server_;
  QTimer* lifetime_;
  QMap<QByteArray, Route> routes_;
  QHash<QTcpSocket*, Conn*> conns_;
  QList<QByteArray> requestLines_;
  QList<QList<QByteArray>> headerNames_;
  qint64 bytesSent_ = 0;
};

// Every way a server misbehaves that a fetch must survive, and the words the user then reads.
// The redirect loop points back at `loopPath` of `server`.
struct Misbehaviour {
  const char* name;
  LoopbackHttpServer::Route route;
  const char* message;
};
QList<Misbehaviour> Misbehaviours(const LoopbackHttpServer& server, const QByteArray& loopPath);

// This process's memory from /proc/self/status, in KiB: the resident set (VmRSS) and its peak
// (VmHWM). ResetMemoryPeak() starts a new peak from now (false when the kernel refuses).
qint64 ProcStatusKiB(const char* field);
// The memory a fetch may add. AddressSanitizer keeps freed blocks in quarantine and pads every
// allocation, so its process figures say nothing about what the program would hold.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr qint64 kFetchGrowthLimitKiB = 1024 * 1024;
#else
inline constexpr qint64 kFetchGrowthLimitKiB = 20 * 1024;
#endif
bool ResetMemoryPeak();
