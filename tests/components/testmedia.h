// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <functional>

class MediaPlayer;

// Audio and servers the player tests make for themselves.
namespace testmedia {

// A mono 16-bit 44.1 kHz sine WAV of the given length.
QByteArray SineWav(double seconds);
bool WriteFile(const QString& path, const QByteArray& bytes);
// An ID3v2.3 tag with one TIT2 and one TPE1 frame whose text is declared Latin-1.
QByteArray Id3v2Latin1(const QByteArray& title, const QByteArray& artist);
// The 128-byte ID3v1 block.
QByteArray Id3v1(const QByteArray& title, const QByteArray& artist);

// Records every state the player reports, and waits for one while the event loop runs.
class StateLog : public QObject {
 public:
  explicit StateLog(MediaPlayer* player);
  QList<int> states;
  // True when `state` was reported within timeoutMs.
  bool WaitFor(int state, int timeoutMs);
  bool Saw(int state) const { return states.contains(state); }
};

// Runs the event loop until pred() holds or the time is up.
bool WaitUntil(const std::function<bool()>& pred, int timeoutMs);

// A loopback HTTP server answering every request the way the test says.
class HttpServer : public QObject {
 public:
  enum class Mode {
    Serve,      // the whole body with 200
    NotFound,   // 404
    Silent,     // accepts and never answers
    DieMidway,  // sends the headers and part of the body, then closes and stops listening
    Raw,        // the body is the whole response, status line and headers included
  };
  HttpServer(Mode mode, QByteArray body = {}, QByteArray contentType = "audio/wav");
  QString Url(const QString& path) const;
  int requests = 0;

 private:
  void Answer(class QTcpSocket* socket);
  Mode mode_;
  QByteArray body_;
  QByteArray contentType_;
  QTcpServer server_;
};

// A loopback port where nothing listens.
int RefusingPort();

}  // namespace testmedia
