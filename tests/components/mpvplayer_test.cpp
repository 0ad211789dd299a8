// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real player, headless, on audio the tests make: from disk, from loopback servers and
// under a Chinese locale.
#include "components/mpvplayer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <clocale>
#include <cmath>

#include "common/gbk.h"
#include "support/tempappdir.h"

namespace {

// n as `size` little-endian bytes.
QByteArray Le(quint32 n, int size) {
  QByteArray b;
  for (int k = 0; k < size; ++k) b += char(n >> (8 * k));
  return b;
}

// A mono 16-bit 44.1 kHz sine WAV of the given length.
QByteArray SineWav(double seconds) {
  const quint32 rate = 44100, bytes = quint32(seconds * rate) * 2;
  QByteArray out = "RIFF" + Le(36 + bytes, 4) + "WAVEfmt " + Le(16, 4) + Le(1, 2) + Le(1, 2) +
                   Le(rate, 4) + Le(rate * 2, 4) + Le(2, 2) + Le(16, 2) + "data" + Le(bytes, 4);
  for (quint32 i = 0; i < bytes / 2; ++i)
    out += Le(quint16(std::lround(8000 * std::sin(2 * M_PI * 440.0 * i / rate))), 2);
  return out;
}

// An ID3v2.3 tag with a TIT2 and a TPE1 frame whose text is declared Latin-1.
QByteArray Id3v2Latin1(const QByteArray& title, const QByteArray& artist) {
  auto be = [](quint32 n, int bits) {  // big-endian; 7 bits a byte is ID3's "syncsafe"
    QByteArray b;
    for (int k = 3; k >= 0; --k) b += char((n >> (k * bits)) & ((1u << bits) - 1));
    return b;
  };
  auto frame = [&](const char* id, const QByteArray& text) {
    return QByteArray(id) + be(text.size() + 1, 8) + QByteArray(3, '\0') + text;
  };
  const QByteArray frames = frame("TIT2", title) + frame("TPE1", artist);
  return QByteArray("ID3\x03\x00\x00", 6) + be(frames.size(), 7) + frames;
}

// The 128-byte ID3v1 block, genre "Other".
QByteArray Id3v1(const QByteArray& title, const QByteArray& artist) {
  return "TAG" + title.leftJustified(30, '\0', true) + artist.leftJustified(30, '\0', true) +
         QByteArray(64, '\0') + char(12);
}

QByteArray Http200(const QByteArray& body, const QByteArray& type = "audio/wav") {
  return "HTTP/1.1 200 OK\r\nContent-Type: " + type +
         "\r\nContent-Length: " + QByteArray::number(body.size()) +
         "\r\nConnection: close\r\n\r\n" + body;
}

// A loopback server giving every request the same raw response; with none it accepts and
// stays silent. dieMidway sends 40% of it, then closes the connection and stops listening.
class HttpServer : public QObject {
 public:
  explicit HttpServer(QByteArray response, bool dieMidway = false) {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [=, this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        socket->setParent(this);
        if (!response.isEmpty())
          connect(socket, &QTcpSocket::readyRead, this, [=, this] {
            disconnect(socket, nullptr, this, nullptr);  // one answer a connection
            socket->write(dieMidway ? response.left(response.size() * 2 / 5) : response);
            socket->disconnectFromHost();
            if (dieMidway) server_.close();
          });
      }
    });
  }
  QString Url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1/%2").arg(server_.serverPort()).arg(path);
  }

 private:
  QTcpServer server_;
};

constexpr int kStopped = 1, kPaused = 2, kPlaying = 3, kTransitioning = 9, kReady = 10;

// A headless player and every state it reported.
struct Player {
  explicit Player(int networkTimeout = 20) : mpv({QStringLiteral("null"), networkTimeout}) {
    QObject::connect(&mpv, &MediaPlayer::PlayStateChanged, [this](int s) { states << s; });
  }
  void Start(const QString& url, UrlOrigin origin = UrlOrigin::User) {
    mpv.SetUrl(url, origin);
    mpv.Play();
  }
  bool Saw(int state) const { return states.contains(state); }
  bool WaitFor(int state, int ms) {
    return QTest::qWaitFor([&] { return Saw(state); }, ms);
  }
  QList<int> states;  // declared first: outlives the player's last report
  MpvPlayer mpv;
};

// Changes songs the way the playback engine does: the new one starts at once, from its start.
void ExpectSwitch(Player& p, const QString& url, const QList<int>& states, double length) {
  QElapsedTimer held;
  held.start();
  p.states.clear();
  p.mpv.Stop();
  p.Start(url);
  EXPECT_LT(held.elapsed(), 50);  // the GUI thread was not held
  ASSERT_TRUE(p.WaitFor(kPlaying, 2000));
  QTest::qWait(500);
  EXPECT_EQ(p.states, states);
  EXPECT_NEAR(p.mpv.duration(), length, 0.05);  // the new song's length, not the old one's
  EXPECT_GT(p.mpv.currentPosition(), 0.2);
  EXPECT_LT(p.mpv.currentPosition(), 2.0);  // not where the last one was
}

class MpvPlayerTest : public ::testing::Test {
 protected:
  QString Wav(const QString& name, double seconds) {
    dir_.WriteFile(name, SineWav(seconds));
    return dir_.Path(name);
  }
  TempAppDir dir_;
  const QString wav_ = Wav(QStringLiteral("tone.wav"), 3);
};

// A song cut off by a dying server is a failure for the engine, not the song's end.
TEST_F(MpvPlayerTest, AWholeSongEndsStoppedOnceAndACutOffOneReady) {
  HttpServer whole(Http200(SineWav(3))), dying(Http200(SineWav(8)), true);
  for (const auto& [url, length, end] : {std::tuple{wav_, 3.0, kStopped},
                                         {whole.Url(QStringLiteral("a.wav")), 3.0, kStopped},
                                         {dying.Url(QStringLiteral("a.wav")), 8.0, kReady}}) {
    SCOPED_TRACE(url.toStdString());
    Player p;
    p.Start(url);
    ASSERT_TRUE(p.WaitFor(kPlaying, 5000));
    EXPECT_NEAR(p.mpv.duration(), length, 0.05);
    // A whole download reaches 100; a cut-off one need not.
    EXPECT_TRUE(end != kStopped ||
                QTest::qWaitFor([&] { return p.mpv.downloadProgress() == 100; }, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return p.Saw(kReady) || p.Saw(kStopped); }, 10000));
    // The end is reported once and stays: the idle notice that follows changes nothing.
    QTest::qWait(700);
    EXPECT_EQ(p.states, (QList<int>{kTransitioning, kPlaying, end}));
  }
}

TEST_F(MpvPlayerTest, PausesSeeksAndStopsAtOnce) {
  Player p;
  EXPECT_EQ(p.mpv.volume(), 40);
  p.mpv.SetVolume(250);
  EXPECT_EQ(p.mpv.volume(), 100);
  p.Start(Wav(QStringLiteral("long.wav"), 30));
  ASSERT_TRUE(p.WaitFor(kPlaying, 5000));
  EXPECT_EQ(p.mpv.durationString(), QStringLiteral("00:30"));
  p.mpv.SetCurrentPosition(20);
  ASSERT_TRUE(QTest::qWaitFor([&] { return p.mpv.currentPosition() >= 20; }, 3000));
  EXPECT_EQ(p.mpv.currentPositionString(), QStringLiteral("00:20"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return p.mpv.playState() == PlayState::Playing; }, 3000));

  p.mpv.Pause();
  ASSERT_TRUE(p.WaitFor(kPaused, 3000));
  const double held = p.mpv.currentPosition();
  QTest::qWait(400);
  // mpv's last position update may trail the pause by a few ms of audio, never by 400.
  EXPECT_NEAR(p.mpv.currentPosition(), held, 0.1);
  p.states.clear();
  p.mpv.Play();
  ASSERT_TRUE(p.WaitFor(kPlaying, 3000));
  EXPECT_GE(p.mpv.currentPosition(), held);  // resumed, not restarted

  p.states.clear();
  p.mpv.Stop();
  EXPECT_EQ(p.states, QList<int>{kStopped});  // before Stop returned
  QTest::qWait(500);                          // mpv's own end of the song follows and must not show
  EXPECT_EQ(p.states, QList<int>{kStopped});
  EXPECT_EQ(p.mpv.currentPosition(), 0);
}

TEST_F(MpvPlayerTest, TheNextSongStartsAfterANaturalEndMidSongOrWhileLoading) {
  const QString shortWav = Wav(QStringLiteral("short.wav"), 1);
  const QString longWav = Wav(QStringLiteral("long.wav"), 20);
  Player p;
  // After a natural end mpv's core is busy for ~400 ms draining its output; the old song's
  // late stop reply, end and idle notices must not touch the new one.
  for (int delayMs : {0, 100, 250, 400}) {
    SCOPED_TRACE(delayMs);
    p.mpv.Stop();
    p.states.clear();
    p.Start(shortWav);
    ASSERT_TRUE(p.WaitFor(kStopped, 5000));
    ASSERT_TRUE(p.Saw(kPlaying));
    QTest::qWait(delayMs);
    ExpectSwitch(p, wav_, {kTransitioning, kPlaying}, 3);  // already stopped at the end
  }
  ExpectSwitch(p, longWav, {kStopped, kTransitioning, kPlaying}, 20);
  p.mpv.SetCurrentPosition(10);
  QTest::qWait(300);
  // The switch to a silent server is still loading: its failure must not reach the next song.
  HttpServer silent("");
  p.mpv.Stop();
  p.Start(silent.Url(QStringLiteral("a.wav")));
  ExpectSwitch(p, wav_, {kStopped, kTransitioning, kPlaying}, 3);
}

TEST_F(MpvPlayerTest, ReadsGbkTagsFromId3AndStreamTitles) {
  const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
  if (lame.isEmpty()) GTEST_SKIP() << "lame is not installed";
  ASSERT_EQ(QProcess::execute(lame, {QStringLiteral("--quiet"), wav_, dir_.Path("a.mp3")}), 0);
  const QByteArray mp3 = dir_.ReadFile(QStringLiteral("a.mp3"));
  const QByteArray title = common::EncodeGbk(QStringLiteral("后来"));
  const QByteArray artist = common::EncodeGbk(QStringLiteral("刘若英"));
  dir_.WriteFile(QStringLiteral("v1.mp3"), mp3 + Id3v1(title, artist));
  dir_.WriteFile(QStringLiteral("v2.mp3"), Id3v2Latin1(title, artist) + mp3);
  // A radio puts a metadata block after every `interval` bytes of audio, its length in
  // 16-byte units first; this station sends its title in GBK.
  const int interval = 4096;
  QByteArray meta = "StreamTitle='" + artist + " - " + title + "';";
  meta = meta.leftJustified((meta.size() + 15) / 16 * 16, '\0');
  QByteArray body = "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nicy-metaint: " +
                    QByteArray::number(interval) + "\r\n\r\n";
  for (qsizetype at = 0; at < mp3.size(); at += interval) {
    body += mp3.mid(at, interval);
    if (at + interval < mp3.size()) body += char(meta.size() / 16) + meta;
  }
  HttpServer radio(body);
  for (const QString& url : {dir_.Path("v1.mp3"), dir_.Path("v2.mp3"), radio.Url("live")}) {
    SCOPED_TRACE(url.toStdString());
    Player p;
    p.Start(url);
    ASSERT_TRUE(p.WaitFor(kPlaying, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !p.mpv.GetItemInfo("Title").isEmpty(); }, 3000));
    EXPECT_EQ(p.mpv.GetItemInfo(QStringLiteral("Title")), QStringLiteral("后来"));
    EXPECT_EQ(p.mpv.GetItemInfo(QStringLiteral("Author")), QStringLiteral("刘若英"));
  }
}

TEST_F(MpvPlayerTest, OnlyFilesAndWebAddressesPlayAndDeadOnesEndReadyWithoutBlocking) {
  const QString odd = dir_.Path(QStringLiteral("a;quit;'\" b.wav"));  // mpv's parser would split it
  ASSERT_TRUE(QFile::copy(wav_, odd));
  HttpServer song(Http200(SineWav(3))), missing("HTTP/1.1 404 Not Found\r\n\r\n"), silent("");
  HttpServer toWeb(Http200(song.Url("a.wav").toUtf8() + "\n", "audio/x-mpegurl"));
  HttpServer toDisk(Http200(wav_.toUtf8() + "\n" + QUrl::fromLocalFile(wav_).toEncoded() + "\n",
                            "audio/x-mpegurl"));
  // An HLS list is read by the demuxer itself, which would open a file: segment on its own.
  HttpServer hlsToDisk(Http200("#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:3,\n" +
                                   QUrl::fromLocalFile(wav_).toEncoded() + "\n#EXT-X-ENDLIST\n",
                               "application/vnd.apple.mpegurl"));
  QTcpServer probe;  // a port where nothing listens once it closes
  probe.listen(QHostAddress::LocalHost);
  const QString refused = QStringLiteral("http://127.0.0.1:%1/a.wav").arg(probe.serverPort());
  probe.close();
  const QString fifo = dir_.Path(QStringLiteral("fifo.wav"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString fileUrl = QUrl::fromLocalFile(wav_).toString();
  const std::tuple<QList<int>, UrlOrigin, QStringList> groups[] = {
      {{kTransitioning, kPlaying},
       UrlOrigin::User,
       {odd, QUrl::fromLocalFile(odd).toString(), song.Url("a.wav"), toWeb.Url("list.m3u")}},
      {{kTransitioning, kPlaying}, UrlOrigin::Web, {song.Url("a.wav")}},
      // The silent server gives up within the 2 s network time-out.
      {{kTransitioning, kReady},
       UrlOrigin::User,
       {missing.Url("a.wav"), refused, silent.Url("a.wav"), toDisk.Url("list.m3u"),
        hlsToDisk.Url("list.m3u8")}},
      // Refused: Ready at once, mpv never asked. Devices, FIFOs and folders would hang or
      // flood it; a page may not name a local file at all.
      {{kReady},
       UrlOrigin::User,
       {"lavfi://sine", "av://lavfi:sine=frequency=440", "file://example.com" + wav_, "/dev/zero",
        "file:///dev/zero", fifo, dir_.root(), dir_.Path("missing.wav")}},
      {{kReady}, UrlOrigin::Web, {wav_, fileUrl, "/dev/zero"}}};
  int ticks = 0;
  QTimer timer;
  timer.callOnTimeout([&] { ++ticks; });
  timer.start(50);
  for (const auto& [states, origin, urls] : groups)
    for (const QString& url : urls) {
      SCOPED_TRACE(url.toStdString());
      Player p(2);
      QElapsedTimer clock;
      clock.start();
      ticks = 0;
      p.Start(url, origin);
      EXPECT_EQ(p.mpv.playState(),
                states.size() == 1 ? PlayState::Ready : PlayState::Transitioning);
      ASSERT_TRUE(p.WaitFor(states.last(), 8000));
      QTest::qWait(300);
      EXPECT_EQ(p.states, states);
      // The GUI thread kept running its timers (loosely: a loaded machine delays them too).
      EXPECT_GE(ticks, clock.elapsed() / 250);
    }
}

// mpv refuses to start under a numeric locale other than C, which QApplication takes from
// the environment; the player must set it back itself.
TEST_F(MpvPlayerTest, PlaysUnderAChineseLocale) {
  if (QProcess::execute("localedef", {"-i", "zh_CN", "-f", "UTF-8", dir_.Path("zh_CN.UTF-8")}))
    GTEST_SKIP() << "localedef could not build zh_CN.UTF-8";
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  qputenv("LOCPATH", QFile::encodeName(dir_.root()));
  ASSERT_NE(std::setlocale(LC_ALL, "zh_CN.UTF-8"), nullptr);
  ASSERT_STRNE(std::setlocale(LC_NUMERIC, nullptr), "C");
  Player p;
  p.Start(wav_);
  EXPECT_TRUE(p.WaitFor(kPlaying, 5000));
  std::setlocale(LC_ALL, saved.c_str());
  qunsetenv("LOCPATH");
}

}  // namespace
