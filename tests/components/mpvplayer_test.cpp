// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The real player, headless, on audio the tests make: from disk, from loopback servers and
// under a Chinese locale.
#include "components/mpvplayer.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <clocale>

#include "common/gbk.h"
#include "components/testmedia.h"

using testmedia::HttpServer;
using testmedia::StateLog;
using testmedia::WaitUntil;

namespace {

constexpr int kStopped = 1, kPaused = 2, kPlaying = 3, kTransitioning = 9, kReady = 10;

MpvPlayer::Options Headless(int networkTimeout = 20) {
  MpvPlayer::Options o;
  o.audioOutput = QStringLiteral("null");
  o.networkTimeoutSeconds = networkTimeout;
  return o;
}

class MpvPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    wav_ = dir_.filePath(QStringLiteral("tone.wav"));
    ASSERT_TRUE(testmedia::WriteFile(wav_, testmedia::SineWav(3)));
  }
  QTemporaryDir dir_;
  QString wav_;
};

TEST_F(MpvPlayerTest, PlaysALocalFileFromConnectingToStoppedAtTheEnd) {
  MpvPlayer player(Headless());
  StateLog log(&player);
  EXPECT_EQ(player.volume(), 40);
  player.SetUrl(wav_);
  player.Play();
  ASSERT_TRUE(log.WaitFor(kPlaying, 5000)) << "states: " << log.states.size();
  EXPECT_EQ(log.states.first(), kTransitioning);
  EXPECT_NEAR(player.duration(), 3.0, 0.05);
  EXPECT_EQ(player.durationString(), QStringLiteral("00:03"));
  EXPECT_EQ(player.downloadProgress(), 100);
  ASSERT_TRUE(log.WaitFor(kStopped, 8000));
  EXPECT_EQ(log.states, (QList<int>{kTransitioning, kPlaying, kStopped}));
  EXPECT_EQ(player.playState(), PlayState::Stopped);
  // The end is reported once and stays: the idle notice that follows changes nothing.
  QTest::qWait(700);
  EXPECT_EQ(log.states.size(), 3);
}

TEST_F(MpvPlayerTest, PausesSeeksAndStopsAtOnce) {
  ASSERT_TRUE(testmedia::WriteFile(wav_, testmedia::SineWav(30)));
  MpvPlayer player(Headless());
  StateLog log(&player);
  player.SetUrl(wav_);
  player.Play();
  ASSERT_TRUE(log.WaitFor(kPlaying, 5000));

  player.SetCurrentPosition(20);
  ASSERT_TRUE(WaitUntil([&] { return player.currentPosition() >= 20; }, 3000));
  EXPECT_EQ(player.currentPositionString(), QStringLiteral("00:20"));
  ASSERT_TRUE(WaitUntil([&] { return player.playState() == PlayState::Playing; }, 3000));

  player.Pause();
  ASSERT_TRUE(log.WaitFor(kPaused, 3000));
  const double held = player.currentPosition();
  QTest::qWait(400);
  // mpv's last position update may trail the pause by a few ms of audio, never by 400.
  EXPECT_NEAR(player.currentPosition(), held, 0.1);
  log.states.clear();
  player.Play();
  ASSERT_TRUE(log.WaitFor(kPlaying, 3000));
  EXPECT_GE(player.currentPosition(), held);  // resumed, not restarted

  log.states.clear();
  player.Stop();
  EXPECT_EQ(player.playState(), PlayState::Stopped);  // before Stop returned
  EXPECT_EQ(log.states, QList<int>{kStopped});
  QTest::qWait(500);  // mpv's own end of the song follows and must not show
  EXPECT_EQ(log.states, QList<int>{kStopped});
  EXPECT_EQ(player.currentPosition(), 0);
}

// What the playback engine does to change songs: stop, then open and play the next one.
// Returns how long the GUI thread was held, in ms.
qint64 SwitchTo(MpvPlayer& player, const QString& url) {
  QElapsedTimer held;
  held.start();
  player.Stop();
  player.SetUrl(url);
  player.Play();
  return held.elapsed();
}

// After a natural end mpv's core is busy for ~400 ms draining its output; a song loaded then
// must still start, without waiting for the core, and the old song's late stop reply, end and
// idle notices must not touch it.
TEST_F(MpvPlayerTest, TheNextSongStartsWhenLoadedRightAfterANaturalEnd) {
  const QString shortWav = dir_.filePath(QStringLiteral("short.wav"));
  ASSERT_TRUE(testmedia::WriteFile(shortWav, testmedia::SineWav(1)));
  MpvPlayer player(Headless());
  StateLog log(&player);
  for (int delayMs : {0, 100, 250, 400}) {
    SCOPED_TRACE(delayMs);
    log.states.clear();
    player.SetUrl(shortWav);
    player.Play();
    ASSERT_TRUE(log.WaitFor(kStopped, 5000));
    ASSERT_TRUE(log.Saw(kPlaying));
    if (delayMs > 0) QTest::qWait(delayMs);
    log.states.clear();
    EXPECT_LT(SwitchTo(player, wav_), 50);
    ASSERT_TRUE(log.WaitFor(kPlaying, 2000)) << "states: " << log.states.size();
    QTest::qWait(500);
    EXPECT_EQ(log.states, (QList<int>{kTransitioning, kPlaying}));  // already stopped at the end
    EXPECT_NEAR(player.duration(), 3.0, 0.05);  // the new song's length, not the old one's
    EXPECT_GT(player.currentPosition(), 0.2);
    player.Stop();
  }
}

TEST_F(MpvPlayerTest, SwitchingSongsMidPlayOrWhileLoadingPlaysTheNewSong) {
  const QString longWav = dir_.filePath(QStringLiteral("long.wav"));
  ASSERT_TRUE(testmedia::WriteFile(longWav, testmedia::SineWav(20)));
  MpvPlayer player(Headless());
  StateLog log(&player);
  player.SetUrl(longWav);
  player.Play();
  ASSERT_TRUE(log.WaitFor(kPlaying, 5000));
  player.SetCurrentPosition(10);
  QTest::qWait(300);

  auto expectPlaying = [&](double length) {
    ASSERT_TRUE(log.WaitFor(kPlaying, 2000)) << "states: " << log.states.size();
    QTest::qWait(300);
    EXPECT_EQ(log.states, (QList<int>{kStopped, kTransitioning, kPlaying}));
    EXPECT_NEAR(player.duration(), length, 0.05);
    EXPECT_LT(player.currentPosition(), 2.0);  // from its start, not where the last one was
  };
  {
    SCOPED_TRACE("mid-song");
    log.states.clear();
    EXPECT_LT(SwitchTo(player, wav_), 50);
    expectPlaying(3.0);
  }
  {
    // The first switch is still loading when the second comes; a missing file's failure
    // must not reach the song after it either.
    SCOPED_TRACE("while loading");
    SwitchTo(player, dir_.filePath(QStringLiteral("missing.wav")));
    log.states.clear();
    EXPECT_LT(SwitchTo(player, longWav), 50);
    expectPlaying(20.0);
  }
}

TEST_F(MpvPlayerTest, VolumeAndMuteAreKeptBeforeAndAfterMpvStarts) {
  MpvPlayer player(Headless());
  player.SetVolume(70);
  player.SetMute(true);
  player.SetVolume(250);
  EXPECT_EQ(player.volume(), 100);
  player.SetVolume(25);
  StateLog log(&player);
  player.SetUrl(wav_);
  player.Play();
  ASSERT_TRUE(log.WaitFor(kPlaying, 5000));
  EXPECT_EQ(player.volume(), 25);
  EXPECT_TRUE(player.mute());
  player.SetMute(false);
  player.SetVolume(60);
  EXPECT_FALSE(player.mute());
  EXPECT_EQ(player.volume(), 60);
}

TEST_F(MpvPlayerTest, ReadsGbkTagsWhicheverWayTheyArrive) {
  const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
  if (lame.isEmpty()) GTEST_SKIP() << "lame is not installed";
  const QString plain = dir_.filePath(QStringLiteral("plain.mp3"));
  ASSERT_EQ(QProcess::execute(lame, {QStringLiteral("--quiet"), wav_, plain}), 0);
  QFile f(plain);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray mp3 = f.readAll();
  const QByteArray title = common::EncodeGbk(QStringLiteral("后来"));
  const QByteArray artist = common::EncodeGbk(QStringLiteral("刘若英"));

  struct Case {
    const char* name;
    QByteArray bytes;
  } cases[] = {
      {"id3v1.mp3", mp3 + testmedia::Id3v1(title, artist)},
      {"id3v2.mp3", testmedia::Id3v2Latin1(title, artist) + mp3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = dir_.filePath(QString::fromLatin1(c.name));
    ASSERT_TRUE(testmedia::WriteFile(path, c.bytes));
    MpvPlayer player(Headless());
    StateLog log(&player);
    player.SetUrl(path);
    player.Play();
    ASSERT_TRUE(log.WaitFor(kPlaying, 5000));
    EXPECT_EQ(player.GetItemInfo(QStringLiteral("Title")), QStringLiteral("后来"));
    EXPECT_EQ(player.GetItemInfo(QStringLiteral("Author")), QStringLiteral("刘若英"));
    EXPECT_EQ(player.GetItemInfo(QStringLiteral("Album")), QString());
  }
}

TEST_F(MpvPlayerTest, AStreamTitleGivesSingerAndTitle) {
  const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
  if (lame.isEmpty()) GTEST_SKIP() << "lame is not installed";
  const QString mp3Path = dir_.filePath(QStringLiteral("radio.mp3"));
  ASSERT_EQ(QProcess::execute(lame, {QStringLiteral("--quiet"), wav_, mp3Path}), 0);
  QFile f(mp3Path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray mp3 = f.readAll();
  // A radio interleaves a metadata block after every `interval` bytes of audio, its length
  // in 16-byte units first; the station sends its title in GBK.
  const int interval = 4096;
  QByteArray meta = "StreamTitle='" + common::EncodeGbk(QStringLiteral("刘若英 - 后来")) + "';";
  meta = meta.leftJustified((meta.size() + 15) / 16 * 16, '\0');
  QByteArray body;
  for (qsizetype at = 0; at < mp3.size(); at += interval) {
    body += mp3.mid(at, interval);
    if (at + interval < mp3.size()) body += char(meta.size() / 16) + meta;
  }
  HttpServer radio(HttpServer::Mode::Raw,
                   "HTTP/1.0 200 OK\r\nContent-Type: audio/mpeg\r\nicy-name: Test\r\n"
                   "icy-metaint: " +
                       QByteArray::number(interval) + "\r\n\r\n" + body);
  MpvPlayer player(Headless());
  StateLog log(&player);
  player.SetUrl(radio.Url(QStringLiteral("live")));
  player.Play();
  ASSERT_TRUE(log.WaitFor(kPlaying, 5000));
  ASSERT_TRUE(
      WaitUntil([&] { return !player.GetItemInfo(QStringLiteral("Title")).isEmpty(); }, 3000));
  EXPECT_EQ(player.GetItemInfo(QStringLiteral("Title")), QStringLiteral("后来"));
  EXPECT_EQ(player.GetItemInfo(QStringLiteral("Author")), QStringLiteral("刘若英"));
}

TEST_F(MpvPlayerTest, RefusedAddressesNeverReachMpvAndEndReady) {
  const QString refused[] = {
      QStringLiteral("lavfi://sine"),  QStringLiteral("av://lavfi:sine=frequency=440"),
      QStringLiteral("edl://") + wav_, QStringLiteral("ytdl://x"),
      QStringLiteral("memory://abc"),  QStringLiteral("file://example.com") + wav_,
  };
  for (const QString& address : refused) {
    SCOPED_TRACE(address.toStdString());
    MpvPlayer player(Headless());
    StateLog log(&player);
    player.SetUrl(address);
    player.Play();
    EXPECT_EQ(player.playState(), PlayState::Ready);
    QTest::qWait(150);
    EXPECT_EQ(log.states, QList<int>{kReady});
  }
}

TEST_F(MpvPlayerTest, AFileUrlAndAnAddressWithShellCharactersAreJustFiles) {
  // A name mpv's command parser would split is still one file name.
  const QString odd = dir_.filePath(QStringLiteral("a;quit;'\" b.wav"));
  ASSERT_TRUE(QFile::copy(wav_, odd));
  for (const QString& address :
       {QUrl::fromLocalFile(odd).toString(), odd, dir_.filePath(QStringLiteral("missing.wav"))}) {
    SCOPED_TRACE(address.toStdString());
    MpvPlayer player(Headless());
    StateLog log(&player);
    player.SetUrl(address);
    player.Play();
    const bool missing = address.endsWith(QLatin1String("missing.wav"));
    ASSERT_TRUE(log.WaitFor(missing ? kReady : kPlaying, 5000));
    EXPECT_EQ(log.Saw(kPlaying), !missing);
  }
}

// Over a loopback server: the good file, 404, a closed port.
TEST_F(MpvPlayerTest, PlaysFromTheWebAndEndsReadyWhenTheAddressIsDead) {
  HttpServer good(HttpServer::Mode::Serve, testmedia::SineWav(3));
  HttpServer missing(HttpServer::Mode::NotFound);
  struct Case {
    QString url;
    int finalState;
  } cases[] = {
      {good.Url(QStringLiteral("song.wav")), kStopped},
      {missing.Url(QStringLiteral("song.wav")), kReady},
      {QStringLiteral("http://127.0.0.1:%1/song.wav").arg(testmedia::RefusingPort()), kReady},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url.toStdString());
    MpvPlayer player(Headless());
    StateLog log(&player);
    player.SetUrl(c.url);
    player.Play();
    ASSERT_TRUE(log.WaitFor(c.finalState, 10000));
    EXPECT_EQ(log.states.first(), kTransitioning);
    EXPECT_EQ(log.Saw(kPlaying), c.finalState == kStopped);
    if (c.finalState == kStopped) {
      EXPECT_NEAR(player.duration(), 3.0, 0.05);
      EXPECT_EQ(player.downloadProgress(), 100);
    }
  }
  EXPECT_GE(good.requests, 1);
}

TEST_F(MpvPlayerTest, ASilentServerEndsReadyWithinTheTimeoutWithoutBlocking) {
  HttpServer silent(HttpServer::Mode::Silent);
  MpvPlayer player(Headless(2));
  StateLog log(&player);
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(50);
  player.SetUrl(silent.Url(QStringLiteral("radio")));
  player.Play();
  EXPECT_EQ(player.playState(), PlayState::Transitioning);
  ASSERT_TRUE(log.WaitFor(kReady, 8000));
  EXPECT_EQ(log.states, (QList<int>{kTransitioning, kReady}));
  EXPECT_GE(ticks, 15);  // the GUI thread kept running its timers meanwhile
}

TEST_F(MpvPlayerTest, ASongCutOffByADyingServerEndsReadyNotStopped) {
  HttpServer dying(HttpServer::Mode::DieMidway, testmedia::SineWav(8));
  MpvPlayer player(Headless());
  StateLog log(&player);
  player.SetUrl(dying.Url(QStringLiteral("song.wav")));
  player.Play();
  ASSERT_TRUE(log.WaitFor(kPlaying, 5000));
  ASSERT_TRUE(WaitUntil([&] { return log.Saw(kReady) || log.Saw(kStopped); }, 10000));
  EXPECT_EQ(log.states.last(), kReady);
  EXPECT_FALSE(log.Saw(kStopped));
}

TEST_F(MpvPlayerTest, AWebPlaylistMayLeadOnlyToWebAddresses) {
  HttpServer song(HttpServer::Mode::Serve, testmedia::SineWav(3));
  HttpServer toWeb(HttpServer::Mode::Serve, song.Url(QStringLiteral("a.wav")).toUtf8() + "\n",
                   "audio/x-mpegurl");
  HttpServer toDisk(HttpServer::Mode::Serve,
                    wav_.toUtf8() + "\n" + QUrl::fromLocalFile(wav_).toEncoded() + "\n",
                    "audio/x-mpegurl");
  {
    MpvPlayer player(Headless());
    StateLog log(&player);
    player.SetUrl(toWeb.Url(QStringLiteral("list.m3u")));
    player.Play();
    EXPECT_TRUE(log.WaitFor(kPlaying, 5000));
  }
  // An HLS list is read by the demuxer itself, which would open a file: segment on its own.
  HttpServer hlsToDisk(HttpServer::Mode::Serve,
                       "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:3,\n" +
                           QUrl::fromLocalFile(wav_).toEncoded() + "\n#EXT-X-ENDLIST\n",
                       "application/vnd.apple.mpegurl");
  for (const QString& url :
       {toDisk.Url(QStringLiteral("list.m3u")), hlsToDisk.Url(QStringLiteral("list.m3u8"))}) {
    SCOPED_TRACE(url.toStdString());
    MpvPlayer player(Headless());
    StateLog log(&player);
    player.SetUrl(url);
    player.Play();
    ASSERT_TRUE(WaitUntil([&] { return log.Saw(kReady) || log.Saw(kPlaying); }, 5000));
    QTest::qWait(300);
    EXPECT_FALSE(log.Saw(kPlaying));
    EXPECT_EQ(player.playState(), PlayState::Ready);
  }
}

// mpv refuses to start under a numeric locale other than C, which QApplication takes from
// the environment; the player must set it back itself. The child runs under zh_CN.UTF-8.
TEST(MpvPlayerLocaleChild, PlaysUnderTheEnvironmentLocale) {
  const QByteArray wav = qgetenv("TW_LOCALE_CHILD_WAV");
  if (wav.isEmpty()) GTEST_SKIP() << "runs as a child of PlaysUnderAChineseLocale";
  ASSERT_NE(std::setlocale(LC_ALL, ""), nullptr);
  ASSERT_STRNE(std::setlocale(LC_NUMERIC, nullptr), "C");
  MpvPlayer player(Headless());
  StateLog log(&player);
  player.SetUrl(QString::fromLocal8Bit(wav));
  player.Play();
  EXPECT_TRUE(log.WaitFor(kPlaying, 5000));
}

TEST_F(MpvPlayerTest, PlaysUnderAChineseLocale) {
  const QString localedef = QStandardPaths::findExecutable(QStringLiteral("localedef"));
  if (localedef.isEmpty()) GTEST_SKIP() << "localedef is not installed";
  const QString locales = dir_.filePath(QStringLiteral("locales"));
  QDir().mkpath(locales);
  QProcess build;
  build.start(localedef, {QStringLiteral("-i"), QStringLiteral("zh_CN"), QStringLiteral("-f"),
                          QStringLiteral("UTF-8"), locales + QStringLiteral("/zh_CN.UTF-8")});
  if (!build.waitForFinished(60000) || build.exitCode() != 0)
    GTEST_SKIP() << "localedef could not build zh_CN.UTF-8";

  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("LOCPATH"), locales);
  env.insert(QStringLiteral("LANG"), QStringLiteral("zh_CN.UTF-8"));
  env.insert(QStringLiteral("LC_ALL"), QStringLiteral("zh_CN.UTF-8"));
  env.insert(QStringLiteral("TW_LOCALE_CHILD_WAV"), wav_);
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=MpvPlayerLocaleChild.*")});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QString out = QString::fromLocal8Bit(child.readAll());
  EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
  EXPECT_TRUE(out.contains(QLatin1String("[  PASSED  ] 1 test"))) << out.toStdString();
  EXPECT_FALSE(out.contains(QLatin1String("SKIPPED"))) << out.toStdString();
}

}  // namespace
