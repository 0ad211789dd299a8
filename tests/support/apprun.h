// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/ui/appcontext.h"
#include "components/mediaplayer.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "playlist/songgridmodel.h"
#include "playlist/ui/playlistwindow.h"
#include "support/gridclick.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"
#include "web/servicehosts.h"

// The whole program on a throw-away portable folder with scripted answers, for journey and
// end-to-end tests. Header only: just the programs that link the whole interface include it.
class AppRun : public ::testing::Test {
 protected:
  // Builds the program and waits until its start-up has finished.
  std::unique_ptr<AppContext> Launch() {
    auto app = std::make_unique<AppContext>(dir.paths(), lockDir.path(), &prompter);
    QSignalSpy ready(app.get(), &AppContext::StartupFinished);
    app->Start();
    EXPECT_TRUE(ready.wait(5000));
    return app;
  }
  // Every web service of the folder's services.ini at `base`.
  void PointServicesAt(const QString& base) {
    ServiceHosts hosts;
    hosts.PointAllAt(base);
    ASSERT_TRUE(hosts.Save(dir.Path("bin/services.ini")));
  }

  TempAppDir dir;
  QTemporaryDir lockDir;
  ScriptedPrompter prompter;
};

// Program grid `tab` (0 playlist, 1 results, 2 names) of the playlist window.
inline SongGridModel& Grid(AppContext& app, int tab) {
  return *qobject_cast<SongGridModel*>(app.playlistWindow()->grid(tab)->model());
}

// Triggers item `index` of menu array `array`, as a click on it does.
inline void Click(AppContext& app, const char* array, int index) {
  app.menus().Item(QString::fromLatin1(array), index)->trigger();
}

inline bool WaitPlaying(AppContext& app, int ms = 15000) {
  return QTest::qWaitFor([&] { return app.player().playState() == PlayState::Playing; }, ms);
}

// The main window's status line as the user reads it.
inline QString StatusLine(const AppContext& app) {
  auto* echo1 = app.mainWindow()->findChild<QLabel*>(QStringLiteral("Echo1"));
  return echo1 ? echo1->text() : QString();
}
