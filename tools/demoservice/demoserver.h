// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <functional>

class QTcpServer;
class QTcpSocket;

// A request as a route sees it: the path and the query values, percent-decoded (GBK unless
// the bytes are UTF-8) and cut at a second '?' (cache-busters appended after a query).
struct DemoRequest {
  QString path;
  QMap<QString, QString> query;
  QByteArray rawQuery;
  QByteArray range;    // the Range header, if any
  QByteArray headers;  // the request's header lines, as sent
  QString Value(const QString& key) const { return query.value(key); }
};

struct DemoResponse {
  int status = 200;
  QByteArray contentType = "text/html; charset=gb2312";
  QByteArray body;
  bool stall = false;      // accept and never answer (a dead server)
  bool rangeable = false;  // honour "Range: bytes=N-"
  int bytesPerSecond = 0;  // send the body at this pace (0: all at once)
  qint64 breakOffAt = -1;  // close after this many body bytes, the full length still declared
  // When set, the route answers on the socket itself (an endless stream) and owns it.
  std::function<void(QTcpSocket*, const DemoRequest&)> stream;

  static DemoResponse Html(const QString& text, int status = 200);
};

using DemoRoute = std::function<DemoResponse(const DemoRequest&)>;

// The demo web service's HTTP plumbing on 127.0.0.1: routes by exact path or by prefix.
// Each imitated service registers its routes; a later service adds its own the same way.
class DemoServer : public QObject {
  Q_OBJECT

 public:
  explicit DemoServer(QObject* parent = nullptr);

  bool Listen(quint16 port);  // 0 picks a free port
  quint16 port() const;
  QString baseUrl() const;  // "http://127.0.0.1:PORT"

  void AddRoute(const QString& path, DemoRoute route);
  void AddPrefixRoute(const QString& prefix, DemoRoute route);
  // The route now serving path exactly (null when none), so a service sharing a path with
  // another can answer its own queries and hand the rest on.
  DemoRoute Route(const QString& path) const { return exact_.value(path); }

  // Parses "a=1&b=%B8%E8" as the services receive it.
  static QMap<QString, QString> ParseQuery(const QByteArray& raw);

 private:
  void OnConnection();
  void OnReadable(QTcpSocket* socket);
  DemoResponse Dispatch(const DemoRequest& request) const;

  QTcpServer* server_;
  QMap<QString, DemoRoute> exact_;
  QList<QPair<QString, DemoRoute>> prefixes_;
};
