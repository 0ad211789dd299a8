// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/testmedia.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpSocket>
#include <QTest>
#include <cmath>

#include "components/mediaplayer.h"

namespace testmedia {

QByteArray SineWav(double seconds) {
  const int rate = 44100;
  const quint32 samples = static_cast<quint32>(seconds * rate);
  QByteArray out;
  QDataStream s(&out, QIODevice::WriteOnly);
  s.setByteOrder(QDataStream::LittleEndian);
  s.writeRawData("RIFF", 4);
  s << quint32(36 + samples * 2);
  s.writeRawData("WAVEfmt ", 8);
  s << quint32(16) << quint16(1) << quint16(1) << quint32(rate) << quint32(rate * 2) << quint16(2)
    << quint16(16);
  s.writeRawData("data", 4);
  s << quint32(samples * 2);
  for (quint32 i = 0; i < samples; ++i)
    s << qint16(std::lround(8000 * std::sin(2 * M_PI * 440.0 * i / rate)));
  return out;
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

namespace {
QByteArray Frame(const char* id, const QByteArray& latin1) {
  QByteArray body = QByteArray(1, '\0') + latin1;
  QByteArray f(id, 4);
  const quint32 n = body.size();
  f += char(n >> 24);
  f += char(n >> 16);
  f += char(n >> 8);
  f += char(n);
  f += QByteArray(2, '\0');
  return f + body;
}
}  // namespace

QByteArray Id3v2Latin1(const QByteArray& title, const QByteArray& artist) {
  const QByteArray frames = Frame("TIT2", title) + Frame("TPE1", artist);
  QByteArray tag("ID3\x03\x00\x00", 6);
  const quint32 n = frames.size();  // syncsafe: 7 bits a byte
  tag += char((n >> 21) & 0x7F);
  tag += char((n >> 14) & 0x7F);
  tag += char((n >> 7) & 0x7F);
  tag += char(n & 0x7F);
  return tag + frames;
}

QByteArray Id3v1(const QByteArray& title, const QByteArray& artist) {
  QByteArray tag("TAG");
  tag += title.leftJustified(30, '\0', true);
  tag += artist.leftJustified(30, '\0', true);
  tag += QByteArray(30 + 4 + 30, '\0');
  tag += char(12);  // genre "Other"
  return tag;
}

StateLog::StateLog(MediaPlayer* player) {
  connect(player, &MediaPlayer::PlayStateChanged, this, [this](int s) { states << s; });
}

bool StateLog::WaitFor(int state, int timeoutMs) {
  return WaitUntil([&] { return states.contains(state); }, timeoutMs);
}

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!pred()) {
    if (clock.elapsed() > timeoutMs) return false;
    QTest::qWait(10);
  }
  return true;
}

HttpServer::HttpServer(Mode mode, QByteArray body, QByteArray contentType)
    : mode_(mode), body_(std::move(body)), contentType_(std::move(contentType)) {
  server_.listen(QHostAddress::LocalHost);
  connect(&server_, &QTcpServer::newConnection, this, [this] {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      socket->setParent(this);
      connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
        const QByteArray seen = socket->property("request").toByteArray() + socket->readAll();
        socket->setProperty("request", seen);
        if (!socket->property("answered").toBool() && seen.contains("\r\n\r\n")) Answer(socket);
      });
    }
  });
}

QString HttpServer::Url(const QString& path) const {
  return QStringLiteral("http://127.0.0.1:%1/%2").arg(server_.serverPort()).arg(path);
}

void HttpServer::Answer(QTcpSocket* socket) {
  ++requests;
  socket->setProperty("answered", true);
  const QByteArray headers = "Content-Type: " + contentType_ +
                             "\r\nContent-Length: " + QByteArray::number(body_.size()) +
                             "\r\nConnection: close\r\n\r\n";
  switch (mode_) {
    case Mode::Silent:
      return;
    case Mode::NotFound:
      socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      socket->disconnectFromHost();
      return;
    case Mode::Serve:
      socket->write("HTTP/1.1 200 OK\r\n" + headers + body_);
      socket->disconnectFromHost();
      return;
    case Mode::Raw:
      socket->write(body_);
      socket->disconnectFromHost();
      return;
    case Mode::DieMidway:
      socket->write("HTTP/1.1 200 OK\r\n" + headers + body_.left(body_.size() * 2 / 5));
      socket->disconnectFromHost();
      server_.close();
      return;
  }
}

int RefusingPort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  return probe.serverPort();  // closed again when probe goes
}

}  // namespace testmedia
