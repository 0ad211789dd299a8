// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "radiopages.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include "catalogue.h"
#include "common/gbk.h"
#include "common/textfile.h"
#include "demoserver.h"

namespace {
constexpr int kRate = 8000;     // bytes per second: 8 kHz, 8-bit, mono
constexpr int kMetaInt = 8000;  // audio bytes between two metadata blocks
constexpr int kSliceMs = 250;
constexpr qint64 kMaxQueued = 64 * 1024;  // a client that stops reading is not fed further

QByteArray EndlessWavHeader() {
  QByteArray h("RIFF\xff\xff\xff\xffWAVEfmt ", 16);
  auto le = [&h](quint32 v, int bytes) {
    for (int i = 0; i < bytes; ++i) h.append(static_cast<char>((v >> (8 * i)) & 0xff));
  };
  le(16, 4);
  le(1, 2);  // PCM
  le(1, 2);  // mono
  le(kRate, 4);
  le(kRate, 4);
  le(1, 2);
  le(8, 2);
  h.append("data\xff\xff\xff\xff", 8);
  return h;
}

// One listener: audio at the real rate, with a metadata block every kMetaInt audio bytes when
// the client asked for them.
class Stream : public QObject {
 public:
  Stream(QTcpSocket* socket, QByteArray tune, QStringList titles, bool icy, int dropAfterMs,
         int titleMs)
      : QObject(socket),
        socket_(socket),
        tune_(std::move(tune)),
        titles_(std::move(titles)),
        icy_(icy),
        dropAfterMs_(dropAfterMs),
        titleMs_(titleMs) {
    QByteArray head =
        "HTTP/1.0 200 OK\r\nContent-Type: audio/x-wav\r\nicy-name: Tunewharf demo\r\n";
    if (icy_) head += "icy-metaint: " + QByteArray::number(kMetaInt) + "\r\n";
    socket_->write(head + "\r\n");
    pending_ = EndlessWavHeader();
    connect(&timer_, &QTimer::timeout, this, &Stream::Feed);
    timer_.start(kSliceMs);
    Feed();
    Feed();  // a little ahead, so playback starts at once
  }

 private:
  void Feed() {
    elapsedMs_ += kSliceMs;
    if (dropAfterMs_ > 0 && elapsedMs_ > dropAfterMs_ + kSliceMs) {
      timer_.stop();
      socket_->abort();
      return;
    }
    if (socket_->bytesToWrite() > kMaxQueued) return;
    QByteArray audio = std::exchange(pending_, QByteArray());
    for (int i = 0; i < kRate * kSliceMs / 1000 && !tune_.isEmpty(); ++i) {
      audio.append(tune_.at(tunePos_));
      tunePos_ = (tunePos_ + 1) % tune_.size();
    }
    socket_->write(icy_ ? Interleave(audio) : audio);
  }

  QByteArray Interleave(const QByteArray& audio) {
    QByteArray out;
    qsizetype at = 0;
    while (at < audio.size()) {
      const qsizetype take = qMin<qsizetype>(kMetaInt - sinceMeta_, audio.size() - at);
      out.append(audio.mid(at, take));
      at += take;
      sinceMeta_ += take;
      if (sinceMeta_ == kMetaInt) {
        sinceMeta_ = 0;
        const int k = titleMs_ > 0 ? elapsedMs_ / titleMs_ : 0;
        const QString title = titles_.isEmpty() ? QString() : titles_.at(k % titles_.size());
        if (title == lastTitle_) {
          out.append('\0');
        } else {
          out.append(IcyBlock(title));
          lastTitle_ = title;
        }
      }
    }
    return out;
  }

  QTcpSocket* socket_;
  QByteArray tune_;
  QStringList titles_;
  bool icy_;
  int dropAfterMs_;
  int titleMs_;
  int elapsedMs_ = 0;
  qsizetype tunePos_ = 0;
  qsizetype sinceMeta_ = 0;
  QByteArray pending_;
  QString lastTitle_;
  QTimer timer_;
};

}  // namespace

QByteArray IcyBlock(const QString& title) {
  // Clients decode the title as UTF-8 or, failing that, as the station's local code page.
  QByteArray text = "StreamTitle='" + title.toUtf8().left(4000) + "';";
  const int units = static_cast<int>((text.size() + 15) / 16);
  text.resize(units * 16, '\0');
  return static_cast<char>(units) + text;
}

bool PointRadioListAt(const QString& path, const QString& base) {
  auto content = common::ReadTextFile(path, 4 << 20);
  if (!content) return false;
  for (QString& line : content->lines)
    line.replace(QRegularExpression(QStringLiteral("^([^=]*=)http://127\\.0\\.0\\.1:\\d+")),
                 QStringLiteral("\\1") + base);
  return common::WriteTextFile(path, content->lines, content->encoding);
}

void RegisterRadioStations(DemoServer& server, const DemoCatalogue& catalogue, int dropSeconds,
                           int titleSeconds) {
  QStringList titles;
  for (const DemoSong& song : catalogue.songs()) titles << song.singer + " - " + song.title;
  const int titleMs = titleSeconds * 1000;
  server.AddRoute(QStringLiteral("/radio/dead"), [](const DemoRequest&) {
    DemoResponse r;
    r.stall = true;
    return r;
  });
  server.AddPrefixRoute(QStringLiteral("/radio/"), [titles, dropSeconds,
                                                    titleMs](const DemoRequest& request) {
    const bool drop = request.path == QLatin1String("/radio/drop");
    const int id = 1 + static_cast<int>(qHash(request.path) % 7);
    // Each station starts its titles at its own place in the catalogue.
    QStringList own = titles.mid(id % qMax<qsizetype>(1, titles.size())) + titles;
    DemoResponse r;
    r.stream = [id, own, drop, dropSeconds, titleMs](QTcpSocket* socket, const DemoRequest& req) {
      const bool icy = req.headers.toLower().contains("icy-metadata: 1");
      const QByteArray wav = DemoCatalogue::MakeWav(id, 8);
      new Stream(socket, wav.mid(44), own, icy, drop ? dropSeconds * 1000 : 0, titleMs);
    };
    return r;
  });
}
