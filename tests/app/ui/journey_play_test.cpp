// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A song played as a user plays it: the whole program on a throw-away folder, its sound going
// to a private sound server, and the bars drawn from what that server hears.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>

#include "catalogue.h"
#include "playback/ui/mainwindow.h"
#include "playback/ui/spectrumview.h"
#include "support/apprun.h"
#include "support/privatesoundserver.h"

namespace {

using PlayJourney = AppRun;

// Triggers the menu item with object name `name`, as a click on it does.
void Trigger(AppContext& app, const char* name) {
  auto* item = app.menus().findChild<QAction*>(QString::fromLatin1(name));
  ASSERT_NE(item, nullptr) << name;
  item->trigger();
}

QString TimeText(const AppContext& app) {
  auto* echo = app.mainWindow()->findChild<QLabel*>(QStringLiteral("Echo"));
  return echo ? echo->text() : QString();
}

TEST_F(PlayJourney, ASongPlaysIntoTheSoundServerAndTheBarsFollowTheWindow) {
  PrivateSoundServer server;  // before the program: its player finds the server at start
  if (!server.failure().isEmpty()) GTEST_SKIP() << server.failure().toStdString();
  dir.WriteFile("music/tune.wav", DemoCatalogue::MakeWav(3, 30));
  // The real length and a known singer: playing writes nothing back into the row.
  const QByteArray list =
      "\"tune\",\"band\",\"00:30\",\"" + dir.Path("music/tune.wav").toUtf8() + "\"\r\n";
  dir.WriteFile("playlist/default.lst", list);
  auto c = Launch();
  MainWindow& window = *c->mainWindow();
  auto* bars = window.findChild<SpectrumView*>(QStringLiteral("picFrequency"));
  ASSERT_NE(bars, nullptr);
  ASSERT_TRUE(window.spectrumShown());
  EXPECT_FALSE(window.captureOpen());  // nothing plays yet

  DoubleClickRow(c->playlistWindow()->grid(0), 1);
  ASSERT_TRUE(WaitPlaying(*c)) << StatusLine(*c).toStdString();
  EXPECT_TRUE(StatusLine(*c).contains(QStringLiteral("tune"))) << StatusLine(*c).toStdString();
  const double start = c->player().currentPosition();
  EXPECT_TRUE(QTest::qWaitFor([&] { return c->player().currentPosition() >= start + 1.0; }, 5000))
      << c->player().currentPosition();
  EXPECT_TRUE(QTest::qWaitFor([&] { return TimeText(*c) >= QStringLiteral("00:01"); }, 3000))
      << TimeText(*c).toStdString();
  EXPECT_TRUE(window.captureOpen());
  // The song itself, heard through the server's monitor, lifts the bars above the idle line.
  const auto lifted = [&] {
    const auto& h = bars->barHeights();
    return std::any_of(h.begin(), h.end(), [](int bar) { return bar > 1; });
  };
  EXPECT_TRUE(QTest::qWaitFor(lifted, 5000));
  // The caption scrolls in the window; the desktop's title keeps the whole status line.
  const QString drawn = window.drawnCaption();
  EXPECT_TRUE(QTest::qWaitFor([&] { return window.drawnCaption() != drawn; }, 2000));
  EXPECT_EQ(window.windowTitle(), StatusLine(*c));

  // Gone to the tray: nobody sees the bars, so the server stops feeding them.
  window.hide();
  EXPECT_FALSE(window.captureOpen());
  const auto hidden = bars->barHeights();
  QTest::qWait(1200);  // more than two of the capture's fragments
  EXPECT_EQ(bars->barHeights(), hidden);
  EXPECT_EQ(c->player().playState(), PlayState::Playing);  // the song plays on

  // Brought back by the tray menu's 显示界面: the capture reopens and the bars move again.
  Trigger(*c, "mnuControls_7");
  ASSERT_TRUE(window.isVisible());
  EXPECT_TRUE(window.captureOpen());
  EXPECT_TRUE(QTest::qWaitFor([&] { return bars->barHeights() != hidden && lifted(); }, 5000));

  Trigger(*c, "mnuControls_1");  // 停止
  EXPECT_TRUE(QTest::qWaitFor([&] { return c->player().playState() == PlayState::Stopped; }, 3000))
      << static_cast<int>(c->player().playState());
  EXPECT_FALSE(window.captureOpen());
  EXPECT_EQ(StatusLine(*c), QStringLiteral("停止播放"));
  EXPECT_EQ(TimeText(*c), QStringLiteral("00:00"));
  const auto stopped = bars->barHeights();
  QTest::qWait(1200);
  EXPECT_EQ(bars->barHeights(), stopped);
  EXPECT_FALSE(window.captureOpen());

  Trigger(*c, "mnuControls_8");  // 退出程序
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 5000));
  EXPECT_EQ(dir.ReadFile("playlist/default.lst"), list);
  EXPECT_TRUE(prompter.asked().isEmpty());
}

}  // namespace
