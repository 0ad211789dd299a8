// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/wallpaper.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

// The desktop portal's Wallpaper interface as a test answers it: records the address and
// options, then answers on the request path the caller asked for.
class FakePortal : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Wallpaper")

 public:
  uint response = 0;
  QString uri;
  QVariantMap options;

 public slots:
  QDBusObjectPath SetWallpaperURI(const QString&, const QString& address, const QVariantMap& opts) {
    uri = address;
    options = opts;
    QString sender = message().service().mid(1).replace('.', '_');
    const QString path = "/org/freedesktop/portal/desktop/request/" + sender + '/' +
                         opts.value("handle_token").toString();
    QDBusConnection bus = connection();
    const uint answer = response;
    QTimer::singleShot(0, [bus, path, answer]() mutable {
      QDBusMessage signal =
          QDBusMessage::createSignal(path, "org.freedesktop.portal.Request", "Response");
      signal << answer << QVariantMap();
      bus.send(signal);
    });
    return QDBusObjectPath(path);
  }
};

// A session bus of the test's own, so nothing reaches the desktop the tests run on.
class WallpaperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("dbus-daemon").isEmpty())
      GTEST_SKIP() << "dbus-daemon is not installed (scripts/install-deps.sh)";
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(daemon.waitForStarted());
    ASSERT_TRUE(daemon.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(daemon.readLine()).trimmed();
    client = QDBusConnection::connectToBus(address, "wallpaper-client");
    desktop = QDBusConnection::connectToBus(address, "wallpaper-desktop");
    ASSERT_TRUE(client.isConnected() && desktop.isConnected());
    QImage image(32, 24, QImage::Format_RGB32);
    image.fill(Qt::blue);
    picture = dir.Path("bin/PicTmp/x/$(touch y).jpg");
    QDir().mkpath(dir.Path("bin/PicTmp/x"));
    ASSERT_TRUE(image.save(picture, "JPG"));
  }
  void TearDown() override {
    QDBusConnection::disconnectFromBus("wallpaper-client");
    QDBusConnection::disconnectFromBus("wallpaper-desktop");
    daemon.kill();
    daemon.waitForFinished();
  }

  void ServePortal() {
    ASSERT_TRUE(desktop.registerObject("/org/freedesktop/portal/desktop", &portal,
                                       QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(desktop.registerService("org.freedesktop.portal.Desktop"));
  }

  Wallpaper::Environment Env(const QString& desktopName, const QString& gsettings = QString()) {
    Wallpaper::Environment env;
    env.bus = client;
    env.desktop = desktopName;
    env.gsettings = gsettings;
    return env;
  }

  QProcess daemon;
  QDBusConnection client{QString()};
  QDBusConnection desktop{QString()};
  FakePortal portal;
  TempAppDir dir;
  ScriptedPrompter prompter;
  QString picture;
};

TEST_F(WallpaperTest, ThePortalGetsTheFileAddressOfACopyInTheProgramsFolder) {
  ServePortal();
  Wallpaper wallpaper(dir.Path("bin"), prompter, Env("XFCE"));
  QSignalSpy done(&wallpaper, &Wallpaper::Finished);
  wallpaper.Set(picture);
  ASSERT_TRUE(done.wait(5000));
  EXPECT_TRUE(done.at(0).at(0).toBool());
  EXPECT_EQ(prompter.messages(), QStringList{"设置成功!"});
  EXPECT_EQ(prompter.asked().at(0).message.title, "设置桌面壁纸");

  const QString copy = dir.Path("bin/MyDesktop.bmp");
  EXPECT_EQ(portal.uri, QUrl::fromLocalFile(copy).toString());
  EXPECT_EQ(portal.options.value("set-on").toString(), "background");
  QFile bmp(copy);
  ASSERT_TRUE(bmp.open(QIODevice::ReadOnly));
  EXPECT_EQ(bmp.read(2), "BM");
  EXPECT_FALSE(QFile::exists(dir.Path("y")));
}

TEST_F(WallpaperTest, APortalThatRefusesIsNoSuccess) {
  portal.response = 2;
  ServePortal();
  Wallpaper wallpaper(dir.Path("bin"), prompter, Env("GNOME", "/bin/true"));
  QSignalSpy done(&wallpaper, &Wallpaper::Finished);
  wallpaper.Set(picture);
  ASSERT_TRUE(done.wait(5000));
  EXPECT_FALSE(done.at(0).at(0).toBool());
  ASSERT_EQ(prompter.messages().size(), 1);
  EXPECT_NE(prompter.messages().at(0), "设置成功!");
}

TEST_F(WallpaperTest, WithoutAPortalOrGnomeTheUserIsToldWhy) {
  Wallpaper wallpaper(dir.Path("bin"), prompter, Env("XFCE", "/bin/true"));
  QSignalSpy done(&wallpaper, &Wallpaper::Finished);
  wallpaper.Set(picture);
  ASSERT_TRUE(done.wait(5000));
  EXPECT_FALSE(done.at(0).at(0).toBool());
  ASSERT_EQ(prompter.messages().size(), 1);
  EXPECT_TRUE(prompter.messages().at(0).contains("org.freedesktop.portal.Wallpaper"));
  EXPECT_NE(prompter.messages().at(0), "设置成功!");
}

TEST_F(WallpaperTest, WithoutAPortalGnomesBackgroundSettingIsWritten) {
  // gsettings stands in as a program that succeeds or fails; its arguments are never a shell's.
  for (const auto& [program, ok] : {std::pair{"/bin/true", true}, std::pair{"/bin/false", false}}) {
    prompter.ClearAsked();
    Wallpaper wallpaper(dir.Path("bin"), prompter, Env("ubuntu:GNOME", program));
    QSignalSpy done(&wallpaper, &Wallpaper::Finished);
    wallpaper.Set(picture);
    ASSERT_TRUE(done.wait(5000)) << program;
    EXPECT_EQ(done.at(0).at(0).toBool(), ok) << program;
    EXPECT_EQ(prompter.messages().value(0) == "设置成功!", ok) << program;
  }
}

TEST_F(WallpaperTest, APictureThatDoesNotDecodeIsNeverHandedOver) {
  ServePortal();
  QFile bad(dir.Path("bin/PicTmp/x/evil.desktop"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("[Desktop Entry]\nExec=touch y\n");
  bad.close();
  Wallpaper wallpaper(dir.Path("bin"), prompter, Env("GNOME", "/bin/true"));
  QSignalSpy done(&wallpaper, &Wallpaper::Finished);
  wallpaper.Set(bad.fileName());
  ASSERT_EQ(done.size(), 1);
  EXPECT_FALSE(done.at(0).at(0).toBool());
  EXPECT_TRUE(portal.uri.isEmpty());
  EXPECT_FALSE(QFile::exists(dir.Path("bin/MyDesktop.bmp")));
}

}  // namespace

#include "wallpaper_test.moc"
