// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The playlist as a user meets it: the whole program on a throw-away folder, menu items
// triggered as a click would, answers scripted, and the files on disk checked afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "app/ui/appcontext.h"
#include "playback/ui/mainwindow.h"
#include "playlist/playlistmanager.h"
#include "playlist/songgridmodel.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

QByteArray Config(const QByteArray& defaultList) {
  return "[playlist]\r\nlistnumber=3\r\ndefaultlist=" + defaultList +
         "\r\n[playmode]\r\ntypemode=3\r\nvolume=40\r\n";
}

QByteArray Lines(std::initializer_list<const char*> titles) {
  QByteArray out;
  for (const char* t : titles)
    out += QByteArray("\"") + t + "\",\"s\",\"00:00\",\"/m/" + t + ".mp3\"\r\n";
  return out;
}

class PlaylistJourney : public ::testing::Test {
 protected:
  std::unique_ptr<AppContext> Launch() {
    auto context = std::make_unique<AppContext>(dir.paths(), lockDir.path(), &prompter);
    QSignalSpy ready(context.get(), &AppContext::StartupFinished);
    context->Start();
    EXPECT_TRUE(ready.wait(5000));
    return context;
  }
  // Chooses item `caption` of the list of playlists, as a click on it would.
  static void Switch(AppContext& c, const QString& caption) {
    for (QAction* item : c.menus().Items(QStringLiteral("LList")))
      if (item->text() == caption) return item->trigger();
    ADD_FAILURE() << "no list " << caption.toStdString();
  }
  static void Click(AppContext& c, const char* array, int index) {
    c.menus().Item(QString::fromLatin1(array), index)->trigger();
  }
  static QString Status(const AppContext& c) {
    auto* echo1 = c.mainWindow()->findChild<QLabel*>(QStringLiteral("Echo1"));
    return echo1 ? echo1->text() : QString();
  }
  // Every file of the playlist folder, name and bytes, readable in a failure message.
  std::string Snapshot() const {
    std::string out;
    for (const QString& name : QDir(dir.Path("playlist")).entryList(QDir::Files))
      out += name.toStdString() + ": " + dir.ReadFile("playlist/" + name).toStdString() + "\n";
    return out;
  }

  TempAppDir dir;
  QTemporaryDir lockDir;
  ScriptedPrompter prompter;
};

TEST_F(PlaylistJourney, FirstSwitchAfterStartLeavesEveryListAsItWas) {
  dir.WriteFile("playlist/default.lst", Lines({"one"}));
  dir.WriteFile("playlist/mine.lst", Lines({"two", "three"}));
  dir.WriteFile("playlist/other.lst", "\r\n\r\n");
  dir.WriteFile("bin/config.ini", Config("mine"));
  const auto before = Snapshot();
  auto c = Launch();
  EXPECT_EQ(c->playlists().currentName(), "mine");
  EXPECT_TRUE(c->menus().IsChecked("LList", 1));
  Switch(*c, "default");
  EXPECT_EQ(c->playlists().grid().title(1), "one");
  Switch(*c, "other");
  Switch(*c, "default");
  Switch(*c, "mine");
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(c->playlists().grid().title(2), "three");
  c->Shutdown();
  EXPECT_EQ(Snapshot(), before);
  EXPECT_TRUE(prompter.asked().isEmpty());
}

// Empty, full, missing and unreadable lists, left and entered in every order: nothing that
// was not edited changes on disk.
TEST_F(PlaylistJourney, SwitchingInEveryOrderKeepsEveryFileByteIdentical) {
  dir.WriteFile("playlist/default.lst", Lines({"one"}));
  dir.WriteFile("playlist/full.lst", Lines({"a", "b", "c"}));
  dir.WriteFile("playlist/empty.lst", "\r\n\r\n");
  dir.WriteFile("playlist/missing", "not a list");  // listed; "missing.lst" does not exist
  dir.WriteFile("playlist/utf16.lst", QByteArray("\xFF\xFE\"\0a\0\"\0,\0\"\0", 12));
  dir.WriteFile("bin/config.ini", Config("empty"));
  const auto before = Snapshot();
  auto c = Launch();
  const QStringList order = {"full",    "empty",   "missing", "utf16",   "default",
                             "full",    "missing", "empty",   "utf16",   "full",
                             "default", "utf16",   "missing", "default", "empty"};
  for (const QString& name : order) {
    Switch(*c, name);
    ASSERT_EQ(c->playlists().currentName(), name);
    if (name == "utf16") {
      EXPECT_TRUE(Status(*c).contains("编码无法识别")) << Status(*c).toStdString();
    }
  }
  c->Shutdown();
  // The one new file: a listed name without ".lst" gets its list file at the first save.
  std::string expected = before;
  expected.insert(expected.find("utf16.lst"), "missing.lst: \n");
  EXPECT_EQ(Snapshot(), expected);
}

}  // namespace
