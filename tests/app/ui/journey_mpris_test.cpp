// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program on a private session bus, driven as the desktop drives it: playerctl and
// dbus-send against a song the real player plays.
#include <gtest/gtest.h>

#include <QAction>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "app/firstrun.h"
#include "app/ui/appcontext.h"
#include "catalogue.h"
#include "components/mediaplayer.h"
#include "config/menuform.h"
#include "lyrics/ui/frmlrc.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistmanager.h"
#include "support/tempappdir.h"

namespace {

const QString kService = QStringLiteral("org.mpris.MediaPlayer2.tunewharf");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");

// A session bus of the test's own, as dbus-run-session would start it.
class PrivateBus {
 public:
  PrivateBus() {
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--print-address")});
    if (daemon_.waitForReadyRead(10000)) address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
  }
  ~PrivateBus() {
    daemon_.terminate();
    daemon_.waitForFinished(3000);
  }
  const QString& address() const { return address_; }

 private:
  QProcess daemon_;
  QString address_;
};

// What the desktop hears from the player.
class BusListener : public QObject {
  Q_OBJECT

 public:
  QList<QVariantMap> changes;
  QList<qlonglong> seeks;
  bool Announced(const QString& key, const QVariant& value) const {
    return std::any_of(changes.begin(), changes.end(),
                       [&](const QVariantMap& c) { return c.value(key) == value; });
  }

 public slots:
  void OnPropertiesChanged(const QString&, const QVariantMap& changed, const QStringList&) {
    changes << changed;
  }
  void OnSeeked(qlonglong position) { seeks << position; }
};

// Runs a command-line client while the program goes on answering the bus.
QString Run(const QString& program, const QStringList& args) {
  QProcess process;
  process.start(program, args);
  if (!QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 15000)) {
    process.kill();
    process.waitForFinished();
    return QStringLiteral("<timed out>");
  }
  return QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError())
      .trimmed();
}
QString Playerctl(const QStringList& args) {
  return Run(QStringLiteral("playerctl"),
             QStringList{QStringLiteral("-p"), QStringLiteral("tunewharf")} + args);
}
QString DbusSend(const QString& method, const QStringList& args = {}) {
  return Run(QStringLiteral("dbus-send"),
             QStringList{QStringLiteral("--session"), QStringLiteral("--print-reply"),
                         QStringLiteral("--dest=") + kService, kPath, method} +
                 args);
}

// The program as started from its entry (no splash: not a first run), in a throw-away home.
class MprisJourney : public ::testing::Test {
 protected:
  MprisJourney() {
    oldHome_ = qgetenv("HOME");
    oldBus_ = qgetenv("DBUS_SESSION_BUS_ADDRESS");
    oldRuntime_ = qgetenv("XDG_RUNTIME_DIR");
    qputenv("HOME", home_.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", runtime_.path().toLocal8Bit());  // no bus socket in there
    QStandardPaths::setTestModeEnabled(true);
    app::WriteFirstRunMarker(app::FirstRunMarkerPath());
  }
  ~MprisJourney() override {
    QStandardPaths::setTestModeEnabled(false);
    qputenv("HOME", oldHome_);
    qputenv("XDG_RUNTIME_DIR", oldRuntime_);
    if (oldBus_.isEmpty())
      qunsetenv("DBUS_SESSION_BUS_ADDRESS");
    else
      qputenv("DBUS_SESSION_BUS_ADDRESS", oldBus_);
  }

  bool StartProgram(AppContext& context) {
    QSignalSpy ready(&context, &AppContext::StartupFinished);
    return context.Main() && ready.wait(10000);
  }

  // An 80-second tune with twenty timed lyric lines, one every four seconds (lyrics that end
  // before a minute are not taken for real ones).
  QString AddSong(int id, const QString& title) {
    const QString path = dir_.Path(QStringLiteral("%1.wav").arg(id));
    dir_.WriteFile(QStringLiteral("%1.wav").arg(id), DemoCatalogue::MakeWav(id, 80));
    QString lrc;
    for (int i = 0; i < 20; ++i)
      lrc += QStringLiteral("[%1:%2.00]第%3句 月光照在码头上 海风吹过\r\n")
                 .arg(i * 4 / 60, 2, 10, QLatin1Char('0'))
                 .arg(i * 4 % 60, 2, 10, QLatin1Char('0'))
                 .arg(i + 1);
    dir_.WriteFile(QStringLiteral("lrc/") + title + QStringLiteral(".lrc"),
                   QStringEncoder("GB18030").encode(lrc));
    return path;
  }

  QTemporaryDir home_;
  QTemporaryDir runtime_;
  QTemporaryDir lockDir_;
  TempAppDir dir_;
  QByteArray oldHome_, oldBus_, oldRuntime_;
};

TEST_F(MprisJourney, WithoutASessionBusTheProgramStartsAsBefore) {
  qunsetenv("DBUS_SESSION_BUS_ADDRESS");
  AppContext context(dir_.paths(), lockDir_.path());
  ASSERT_TRUE(StartProgram(context));
  QTest::qWait(50);  // the bus step would have run by now
  EXPECT_FALSE(context.onDesktopBus());
  EXPECT_TRUE(context.mainWindow()->isVisible());
  context.Shutdown();
}

TEST_F(MprisJourney, PlayerctlSeesTheSongAndPausesItAndTheBusDrivesTheButtonsCommands) {
  PrivateBus bus;
  ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
  qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
  QDBusConnection observer = QDBusConnection::connectToBus(bus.address(), QStringLiteral("obs"));
  ASSERT_TRUE(observer.isConnected());
  BusListener heard;
  observer.connect(QString(), kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                   QStringLiteral("PropertiesChanged"), &heard,
                   SLOT(OnPropertiesChanged(QString, QVariantMap, QStringList)));
  observer.connect(QString(), kPath, QStringLiteral("org.mpris.MediaPlayer2.Player"),
                   QStringLiteral("Seeked"), &heard, SLOT(OnSeeked(qlonglong)));

  AppContext context(dir_.paths(), lockDir_.path());
  ASSERT_TRUE(StartProgram(context));
  ASSERT_TRUE(QTest::qWaitFor([&] { return context.onDesktopBus(); }, 5000));
  EXPECT_EQ(Playerctl({QStringLiteral("status")}), "Stopped");
  const QString identity = DbusSend(
      QStringLiteral("org.freedesktop.DBus.Properties.Get"),
      {QStringLiteral("string:org.mpris.MediaPlayer2"), QStringLiteral("string:Identity")});
  EXPECT_TRUE(identity.contains("\"Tunewharf\"")) << identity.toStdString();

  context.lyricsWindow()->show();
  context.playlists().AddSongRow(QStringLiteral("月光码头"), QStringLiteral("海风"),
                                 QStringLiteral("00:00"), AddSong(1, QStringLiteral("月光码头")));
  context.playlists().AddSongRow(QStringLiteral("渔火"), QStringLiteral("潮声"),
                                 QStringLiteral("00:00"), AddSong(2, QStringLiteral("渔火")));
  MediaPlayer& player = context.player();
  context.engine().PlayPlaylistRow(1);  // what a double-click on the row does
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == PlayState::Playing; }, 15000));

  // playerctl shows the playing title, singer, length and the lyric line being sung.
  EXPECT_EQ(Playerctl({QStringLiteral("status")}), "Playing");
  EXPECT_EQ(Playerctl({QStringLiteral("metadata"), QStringLiteral("--format"),
                       QStringLiteral("{{title}}|{{artist}}|{{mpris:length}}")}),
            "月光码头|海风|80000000");
  // The signal travels through the bus daemon: it may come after playerctl's answer.
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return heard.Announced(QStringLiteral("PlaybackStatus"), QStringLiteral("Playing")); },
      3000));
  QString line;
  EXPECT_TRUE(QTest::qWaitFor(
      [&] {
        line = Playerctl({QStringLiteral("metadata"), QStringLiteral("xesam:asText")});
        return line.startsWith(QStringLiteral("第"));
      },
      8000))
      << line.toStdString();

  // playerctl pauses the song as the pause button does.
  EXPECT_EQ(Playerctl({QStringLiteral("pause")}), "");
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == PlayState::Paused; }, 5000));
  EXPECT_EQ(context.engine().statusLine(), "暂停播放");
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return heard.Announced(QStringLiteral("PlaybackStatus"), QStringLiteral("Paused")); },
      3000));
  EXPECT_EQ(Playerctl({QStringLiteral("status")}), "Paused");

  // Seeking to a position of this track, and the volume, through plain bus calls.
  QString track = Playerctl({QStringLiteral("metadata"), QStringLiteral("mpris:trackid")});
  track.remove(u'\'');  // playerctl quotes object paths
  DbusSend(QStringLiteral("org.mpris.MediaPlayer2.Player.SetPosition"),
           {QStringLiteral("objpath:") + track, QStringLiteral("int64:12000000")});
  EXPECT_TRUE(QTest::qWaitFor([&] { return heard.seeks.contains(12'000'000); }, 3000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return std::abs(player.currentPosition() - 12) < 0.5; }, 5000))
      << player.currentPosition();
  DbusSend(QStringLiteral("org.freedesktop.DBus.Properties.Set"),
           {QStringLiteral("string:org.mpris.MediaPlayer2.Player"), QStringLiteral("string:Volume"),
            QStringLiteral("variant:double:0.5")});
  EXPECT_EQ(player.volume(), 50);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return heard.Announced(QStringLiteral("Volume"), 0.5); }, 3000));

  // The loop request is the mode menu's command: check mark and saved setting follow.
  EXPECT_EQ(Playerctl({QStringLiteral("loop"), QStringLiteral("Track")}), "");
  EXPECT_EQ(context.config().playMode, 1);
  EXPECT_TRUE(context.menus().Item(QStringLiteral("mnuModes"), 1)->isChecked());
  EXPECT_TRUE(dir_.ReadFile("bin/config.ini").contains("typemode=1\r\n"));
  EXPECT_EQ(Playerctl({QStringLiteral("loop")}), "Track");

  // Next plays the following row; Stop stops as the stop button does.
  Playerctl({QStringLiteral("next")});
  ASSERT_TRUE(QTest::qWaitFor([&] { return context.engine().state().currentRow == 2; }, 5000));
  ASSERT_TRUE(QTest::qWaitFor([&] { return player.playState() == PlayState::Playing; }, 15000));
  EXPECT_EQ(Playerctl({QStringLiteral("metadata"), QStringLiteral("title")}), "渔火");
  EXPECT_NE(Playerctl({QStringLiteral("metadata"), QStringLiteral("mpris:trackid")}), track);
  Playerctl({QStringLiteral("stop")});
  EXPECT_EQ(player.playState(), PlayState::Stopped);
  EXPECT_EQ(context.engine().statusLine(), "停止播放");

  // Raise brings the hidden window back; Quit ends the program and frees the name.
  context.mainWindow()->hide();
  DbusSend(QStringLiteral("org.mpris.MediaPlayer2.Raise"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return context.mainWindow()->isVisible(); }, 3000));
  DbusSend(QStringLiteral("org.mpris.MediaPlayer2.Quit"));
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return !observer.interface()->isServiceRegistered(kService).value(); }, 5000));
  EXPECT_FALSE(context.mainWindow()->isVisible());
  QDBusConnection::disconnectFromBus(QStringLiteral("obs"));
}

}  // namespace

#include "journey_mpris_test.moc"
