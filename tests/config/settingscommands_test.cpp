// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "config/configstore.h"
#include "config/menuform.h"
#include "config/settingscommands.h"
#include "config/settingsmenus.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

class SettingsCommandsTest : public ::testing::Test {
 protected:
  SettingsCommandsTest()
      : store_(config_, menus_, dir_.paths(), prompter_),
        commands_(config_, menus_, store_, prompter_) {
    app::CreateSettingsMenus(menus_);
    menus_.AddItem("LList", 0, "default", true);
    store_.LoadConfig();
    commands_.ConnectMenus();
  }
  QByteArray File() const { return dir_.ReadFile("bin/config.ini"); }

  TempAppDir dir_;
  AppConfig config_;
  MenuForm menus_;
  ScriptedPrompter prompter_;
  ConfigStore store_;
  SettingsCommands commands_;
};

TEST_F(SettingsCommandsTest, MenuItemsChangeConfigCheckMarksAndFile) {
  menus_.Item("mnuModes", 1)->trigger();
  EXPECT_EQ(config_.playMode, 1);
  EXPECT_EQ(menus_.FirstChecked("mnuModes"), 1);
  EXPECT_EQ(menus_.LastChecked("mnuModes"), 1);
  EXPECT_TRUE(File().contains("typemode=1\r\n"));

  menus_.Item("more", 2)->trigger();
  EXPECT_TRUE(config_.mixSearch);
  EXPECT_TRUE(menus_.IsChecked("more", 2));
  EXPECT_TRUE(File().contains("mixsearch=true\r\n"));

  QSignalSpy engine(&commands_, &SettingsCommands::SearchEngineChanged);
  menus_.Item("sousuo", 2)->trigger();
  EXPECT_EQ(engine.count(), 1);
  EXPECT_EQ(menus_.FirstChecked("sousuo"), 2);
  EXPECT_EQ(menus_.LastChecked("sousuo"), 2);
  EXPECT_TRUE(File().contains("defaultengine=2\r\n"));
}

TEST_F(SettingsCommandsTest, ErrorOptionsLastOnlyUntilExitButLyricsOptionsAreSaved) {
  const QByteArray before = File();
  menus_.Item("Sets", 0)->trigger();
  EXPECT_FALSE(config_.sets[0]);
  EXPECT_FALSE(menus_.IsChecked("Sets", 0));
  EXPECT_EQ(File(), before);

  QSignalSpy fetch(&commands_, &SettingsCommands::LyricsAutoDownloadSwitchedOn);
  menus_.Item("Sets", 6)->trigger();
  EXPECT_TRUE(File().contains("lrcautodownload=false\r\n"));
  menus_.Item("Sets", 6)->trigger();
  EXPECT_TRUE(File().contains("lrcautodownload=true\r\n"));
  EXPECT_EQ(fetch.count(), 1);
}

TEST_F(SettingsCommandsTest, ColourChoiceAndCancel) {
  prompter_.QueueColor(std::nullopt);
  menus_.Item("Setcolor1", 2)->trigger();
  EXPECT_EQ(config_.lrcColorMode[0], 0) << "cancel changes nothing";
  EXPECT_TRUE(menus_.IsChecked("Setcolor1", 0));
  EXPECT_FALSE(menus_.IsChecked("Setcolor1", 1));

  prompter_.QueueColor(QColor(1, 2, 3));
  menus_.Item("Setcolor1", 2)->trigger();
  EXPECT_EQ(config_.EffectiveLrcColor(0), 0x030201u);
  EXPECT_TRUE(menus_.IsChecked("Setcolor1", 1));
  EXPECT_TRUE(File().contains("forecolor=197121\r\nbackcolor"));

  menus_.Item("Setcolor1", 0)->trigger();
  EXPECT_TRUE(File().contains("forecolor=9396556\r\n"));
  EXPECT_TRUE(File().contains("selectmod1=0\r\n"));
  menus_.Item("Setcolor1", 1)->trigger();
  EXPECT_EQ(config_.EffectiveLrcColor(0), 0x030201u) << "the user colour of this run comes back";
}

}  // namespace
