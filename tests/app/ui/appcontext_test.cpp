// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program built on a throw-away application folder: start-up, shutdown, single
// instance.
#include "app/ui/appcontext.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

#include "app/firstrun.h"
#include "app/qttranslations.h"
#include "config/menuform.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistmanager.h"
#include "support/apprun.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

// Stands in for the desktop's browser: records what would have opened.
class BrowserStandIn : public QObject {
  Q_OBJECT

 public:
  BrowserStandIn() {
    for (const char* scheme : {"http", "https", "file"})
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
  }
  ~BrowserStandIn() override {
    for (const char* scheme : {"http", "https", "file"})
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
  }
  QList<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened << url; }
};

// Records the status line's text at each of its paints.
class StatusPaints : public QObject {
 public:
  StatusPaints() { qApp->installEventFilter(this); }
  ~StatusPaints() override { qApp->removeEventFilter(this); }
  QStringList texts;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched->objectName() == QLatin1String("Echo1"))
      if (auto* label = qobject_cast<QLabel*>(watched)) texts << label->text();
    return false;
  }
};

using AppContextTest = AppRun;

TEST_F(AppContextTest, StartsReadyWithTheDefaultConfigAndShutsDownInOrder) {
  StatusPaints paints;
  auto run = Launch();
  AppContext& context = *run;

  EXPECT_EQ(StatusLine(context), "准备就绪");
  for (const char* text : {"加载配置...", "加载播放列表..."})
    EXPECT_TRUE(paints.texts.contains(QString::fromUtf8(text)))
        << paints.texts.join(u'|').toStdString();
  EXPECT_TRUE(QDir(dir.Path("lrc")).exists());
  EXPECT_TRUE(QDir(dir.Path("bin/PicTmp/Album")).exists());
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), "\r\n");
  const QByteArray config = dir.ReadFile("bin/config.ini");
  EXPECT_TRUE(config.startsWith("[playlist]\r\nlistnumber=1\r\ndefaultlist=default\r\n"));
  EXPECT_TRUE(config.endsWith("selectmod3=0\r\n"));
  EXPECT_TRUE(context.mainWindow()->isVisible());
  EXPECT_EQ(context.config().playMode, 3);
  // An idle start connects to no sound server: its client libraries come with the first song.
  QFile maps(QStringLiteral("/proc/self/maps"));
  ASSERT_TRUE(maps.open(QIODevice::ReadOnly));
  EXPECT_FALSE(maps.readAll().contains("libpulse"));
  // Windows nobody opened are not built: they come with their first showing.
  for (QWidget* w : QApplication::topLevelWidgets())
    for (const char* lazy : {"QQPai", "MtvWindow", "LrcDown", "Donload", "MonitorWindow",
                             "FrmId3Tag", "AboutWindow", "PicList", "ShowPic", "FrmNet"})
      EXPECT_FALSE(w->inherits(lazy)) << lazy;

  // Shutdown saves the list, drops the picture cache and never writes the configuration.
  context.playlists().AddSongRow("月亮之上", "未知", "00:00", "/music/a.mp3");
  context.config().playMode = 1;
  dir.WriteFile("bin/PicTmp/Album/cover.jpg", "x");
  context.Shutdown();
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"),
            QByteArray("\"\xD4\xC2\xC1\xC1\xD6\xAE\xC9\xCF\",\"\xCE\xB4\xD6\xAA\",\"00:00\","
                       "\"/music/a.mp3\"\r\n"));
  EXPECT_FALSE(QDir(dir.Path("bin/PicTmp")).exists());
  EXPECT_EQ(dir.ReadFile("bin/config.ini"), config);
  EXPECT_FALSE(context.mainWindow()->isVisible());
}

// The second start resolves no folder (no probe, no seeding under the home folder) and brings
// the first instance's hidden window back.
TEST(AppContext, SecondInstanceTouchesNothingAndBringsTheFirstForward) {
  QTemporaryDir home;
  const QByteArray oldHome = qgetenv("HOME");
  qputenv("HOME", home.path().toLocal8Bit());
  QStandardPaths::setTestModeEnabled(true);
  TempAppDir firstDir;
  QTemporaryDir lockDir;
  AppContext first(firstDir.paths(), lockDir.path());
  app::WriteFirstRunMarker(app::FirstRunMarkerPath());  // no splash
  QSignalSpy ready(&first, &AppContext::StartupFinished);
  ASSERT_TRUE(first.Main());
  ASSERT_TRUE(ready.wait(5000));
  QDir(home.path()).removeRecursively();
  QDir().mkpath(home.path());
  first.mainWindow()->hide();

  AppContext second(std::nullopt, lockDir.path());
  EXPECT_FALSE(second.Main());
  EXPECT_TRUE(QDir(home.path())
                  .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden)
                  .isEmpty());
  EXPECT_TRUE(QTest::qWaitFor([&] { return first.mainWindow()->isVisible(); }, 3000));
  EXPECT_FALSE(first.mainWindow()->isMinimized());
  first.Shutdown();
  QStandardPaths::setTestModeEnabled(false);
  qputenv("HOME", oldHome);
}

// Without a tray nothing could bring a hidden window back: the hide-to-tray button ends the
// program as the window manager's close does, and leaves the lyrics option as it was.
TEST_F(AppContextTest, WithoutATrayTheTrayButtonQuits) {
  auto run = Launch();
  AppContext& context = *run;
  ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());
  const QByteArray config = dir.ReadFile("bin/config.ini");
  context.playlists().AddSongRow("月亮之上", "未知", "00:00", "/music/a.mp3");
  auto* button = context.mainWindow()->findChild<QAbstractButton*>(QStringLiteral("I1_11"));
  ASSERT_NE(button, nullptr);
  QTest::mouseClick(button, Qt::LeftButton);
  QTest::qWait(50);
  EXPECT_FALSE(context.mainWindow()->isVisible());
  EXPECT_FALSE(context.mainWindow()->isMinimized());
  EXPECT_TRUE(dir.ReadFile("playlist/default.lst").startsWith("\"\xD4\xC2"));  // list saved
  EXPECT_EQ(dir.ReadFile("bin/config.ini"), config);
}

// 官网 opens the home page of services.ini in the browser, never a local file; 关于软件 shows
// the About window and saves nothing.
TEST(AppContext, HomePageOpensInTheBrowserAndAboutShowsTheProgram) {
  for (const bool local : {false, true}) {
    TempAppDir dir;
    if (local) dir.WriteFile("bin/services.ini", "[hosts]\r\nHomePage=file:///etc\r\n");
    QTemporaryDir lockDir;
    AppContext context(dir.paths(), lockDir.path());
    QSignalSpy ready(&context, &AppContext::StartupFinished);
    context.Start();
    ASSERT_TRUE(ready.wait(5000));
    BrowserStandIn browser;
    auto* link = context.mainWindow()->findChild<QLabel*>(QStringLiteral("Image2"));
    ASSERT_NE(link, nullptr);
    QTest::mouseClick(link, Qt::LeftButton);
    if (local)
      EXPECT_TRUE(browser.opened.isEmpty());
    else
      EXPECT_EQ(browser.opened, QList<QUrl>{QUrl("http://127.0.0.1:8460/index.htm")});
    if (local) continue;

    const QByteArray config = dir.ReadFile("bin/config.ini");
    context.menus().Item(QStringLiteral("mnuSorts"), 6)->trigger();
    QWidget* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String("About") && w->isVisible()) shown = w;
    ASSERT_NE(shown, nullptr);
    auto* name = shown->findChild<QLabel*>(QStringLiteral("lblName"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), QStringLiteral("Tunewharf 网络音乐播放器"));
    EXPECT_TRUE(shown->findChild<QLabel*>(QStringLiteral("lblCredits"))->text().contains("libmpv"));
    EXPECT_EQ(dir.ReadFile("bin/config.ini"), config);
    context.Shutdown();
  }
}

// Stock dialogs speak Chinese, as the prompts around them do.
TEST(QtTranslations, StockButtonsAndFileDialogAreChinese) {
  QTranslator* translator = app::InstallQtTranslations(*QCoreApplication::instance());
  ASSERT_NE(translator, nullptr);
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Yes |
                         QMessageBox::No);
  const std::pair<QMessageBox::StandardButton, const char*> buttons[] = {
      {QMessageBox::Ok, "确定"},
      {QMessageBox::Cancel, "取消"},
      {QMessageBox::Yes, "是"},
      {QMessageBox::No, "否"}};
  for (const auto& [button, text] : buttons)
    EXPECT_TRUE(box.button(button)->text().startsWith(QString::fromUtf8(text)))
        << box.button(button)->text().toStdString();  // "是(&Y)" carries its shortcut
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
  ASSERT_NE(lookIn, nullptr);
  EXPECT_EQ(lookIn->text().toStdString(), "查找范围：");
  QCoreApplication::removeTranslator(translator);
  delete translator;
}

}  // namespace

#include "appcontext_test.moc"
