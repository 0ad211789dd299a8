// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/configstore.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QSignalSpy>

#include "common/gbk.h"
#include "config/menuform.h"
#include "config/settingsmenus.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

class ConfigStoreTest : public ::testing::Test {
 protected:
  ConfigStoreTest() : store_(config_, menus_, dir_.paths(), prompter_) {
    app::CreateSettingsMenus(menus_);
    for (const char* name : {"default", "rock"})
      menus_.AddItem("LList", menus_.Count("LList"), name, true);
  }

  // Writes the default file, then replaces one line of it.
  void WriteConfigWith(const QByteArray& from, const QByteArray& to) {
    store_.WriteDefaultConfig();
    QByteArray bytes = dir_.ReadFile("bin/config.ini");
    bytes.replace(from, to);
    dir_.WriteFile("bin/config.ini", bytes);
  }

  TempAppDir dir_;
  AppConfig config_;
  MenuForm menus_;
  ScriptedPrompter prompter_;
  ConfigStore store_;
};

TEST_F(ConfigStoreTest, DefaultFileIsByteExact) {
  dir_.WriteFile("playlist/default.lst", "\r\n");
  dir_.WriteFile("playlist/rock.lst", "\r\n\r\n");
  store_.WriteDefaultConfig();
  EXPECT_EQ(
      dir_.ReadFile("bin/config.ini"),
      QByteArray("[playlist]\r\nlistnumber=2\r\ndefaultlist=default\r\n[searchengine]\r\n"
                 "defaultengine=0\r\nlrcengine=0\r\n[defaultsets]\r\nshowartist=false\r\n"
                 "showlrc=true\r\nforceupdate=true\r\nmixsearch=false\r\nfocustracking=true\r\n"
                 "[cancelerror]\r\nlrcautodownload=true\r\nlrcformatcheck=true\r\n"
                 "[songformat]\r\ndefaultformat=3\r\n[playmode]\r\ntypemode=3\r\nvolume=40\r\n"
                 "[lrccolor]\r\nforecolor=16767777\r\nbackcolor=9648139\r\nshowcolor=65280\r\n"
                 "selectmod1=0\r\nselectmod2=0\r\nselectmod3=0\r\n"));
}

TEST_F(ConfigStoreTest, MissingFileLoadsTheDefaults) {
  QSignalSpy current(&store_, &ConfigStore::CurrentListRead);
  ASSERT_TRUE(store_.LoadConfig());
  EXPECT_EQ(config_.searchEngine, 0);
  EXPECT_EQ(config_.playMode, 3);
  EXPECT_EQ(config_.volume, 40);
  EXPECT_EQ(config_.currentList, "default");
  ASSERT_EQ(current.size(), 1);
  EXPECT_EQ(current[0][0].toString(), "default") << "the list of playlists learns it";
  EXPECT_EQ(menus_.FirstChecked("mnuModes"), 3);
  EXPECT_TRUE(prompter_.asked().isEmpty());
}

TEST_F(ConfigStoreTest, ItemThatDoesNotExistRebuildsTheFileOnce) {
  for (const auto& [from, to] :
       {std::pair{"typemode=3", "typemode=9"}, std::pair{"defaultengine=0", "defaultengine=-1"},
        std::pair{"forecolor=16767777", "forecolor=2147483648"}}) {
    prompter_.ClearAsked();
    WriteConfigWith("volume=40", "volume=77");
    WriteConfigWith(from, to);
    const QByteArray broken = dir_.ReadFile("bin/config.ini");
    ASSERT_TRUE(store_.LoadConfig()) << from;
    EXPECT_EQ(dir_.ReadFile("bin/backup/config.ini"), broken) << "the reset keeps the old file";
    EXPECT_EQ(prompter_.messages(), QStringList{"保存配置文件出错,不匹配的键!"}) << from;
    EXPECT_EQ(prompter_.asked()[0].message.title, "Error");
    EXPECT_EQ(config_.playMode, 3);
    EXPECT_EQ(config_.volume, 40) << "the defaults replaced the broken file";
    EXPECT_FALSE(dir_.ReadFile("bin/config.ini").contains(to));
  }
}

TEST_F(ConfigStoreTest, ValuesAreReadAsTheFormatSays) {
  WriteConfigWith("volume=40", "volume=250");
  ASSERT_TRUE(store_.LoadConfig());
  EXPECT_EQ(config_.volume, 100);
  EXPECT_TRUE(dir_.ReadFile("bin/config.ini").contains("volume=250")) << "kept until the next save";

  WriteConfigWith("volume=250", "volume=-5");
  WriteConfigWith("showartist=false", "showartist=True");
  WriteConfigWith("defaultformat=3", "defaultformat=abc");
  ASSERT_TRUE(store_.LoadConfig());
  EXPECT_EQ(config_.volume, 0);
  EXPECT_FALSE(config_.showArtist);
  EXPECT_EQ(config_.songFormat, 0) << "a non-numeric value reads as 0";
  EXPECT_TRUE(prompter_.asked().isEmpty());
}

TEST_F(ConfigStoreTest, ListNameLongerThan49BytesMatchesNoList) {
  const QString longName(25, QChar(0x4E2D));
  menus_.AddItem("LList", 2, longName, true);
  WriteConfigWith("defaultlist=default", "defaultlist=" + common::EncodeGbk(longName));
  ASSERT_TRUE(store_.LoadConfig());
  EXPECT_EQ(config_.currentList, QString(24, QChar(0x4E2D)));
}

TEST_F(ConfigStoreTest, AnyThirtyTwoBitColourIsKeptAndWrittenBack) {
  WriteConfigWith("forecolor=16767777", "forecolor=-1");
  WriteConfigWith("selectmod1=0", "selectmod1=1");
  WriteConfigWith("showcolor=65280", "showcolor=-2147483648");
  WriteConfigWith("selectmod3=0", "selectmod3=1");
  ASSERT_TRUE(store_.LoadConfig());
  EXPECT_TRUE(prompter_.asked().isEmpty());
  EXPECT_EQ(config_.volume, 40);
  EXPECT_EQ(config_.lrcUserColors[0], 0xFFFFFFFFu);
  ASSERT_TRUE(store_.SaveConfig());
  const QByteArray saved = dir_.ReadFile("bin/config.ini");
  EXPECT_TRUE(saved.contains("\r\nforecolor=-1\r\n"));
  EXPECT_TRUE(saved.contains("\r\nshowcolor=-2147483648\r\n"));
  EXPECT_FALSE(QFile::exists(dir_.Path("bin/backup/config.ini")));
}

// A file edited by hand (a byte-order mark, a section twice, a section in other letters) is
// read as the first of each, and the next save writes one section per name, one line per key.
TEST_F(ConfigStoreTest, HandEditedFileComesBackCleanAtTheNextSave) {
  dir_.WriteFile("bin/config.ini",
                 "\xEF\xBB\xBF[playlist]\r\ndefaultlist=rock\r\n[PlayMode]\r\ntypemode=1\r\n"
                 "\r\n[playmode]\r\ntypemode=2\r\nvolume=70\r\n[PLAYLIST]\r\ndefaultlist=x\r\n"
                 "[playlist]\r\nlistnumber=9\r\n");
  QSignalSpy current(&store_, &ConfigStore::CurrentListRead);
  ASSERT_TRUE(store_.LoadConfig());
  ASSERT_EQ(current.size(), 1);
  EXPECT_EQ(current[0][0].toString(), "rock");
  EXPECT_EQ(config_.playMode, 1);
  menus_.CheckOnly("LList", 1);
  ASSERT_TRUE(store_.SaveConfig());
  const QByteArray saved = dir_.ReadFile("bin/config.ini");
  EXPECT_TRUE(saved.startsWith("[playlist]\r\ndefaultlist=rock\r\nlistnumber=2\r\n"));
  EXPECT_EQ(saved.toLower().count("[playlist]"), 1);
  EXPECT_EQ(saved.toLower().count("[playmode]"), 1);
  EXPECT_EQ(saved.count("typemode="), 1);
  EXPECT_EQ(saved.count("defaultlist="), 1);
  EXPECT_EQ(saved.count("volume="), 1);
  EXPECT_FALSE(saved.contains("\r\n\r\n"));
}

TEST_F(ConfigStoreTest, SaveWritesEveryKeyFromTheCurrentState) {
  ASSERT_TRUE(store_.LoadConfig());
  config_.playMode = 4;
  config_.sets[0] = false;
  config_.sets[6] = false;
  config_.lrcColorMode[0] = 1;
  config_.lrcUserColors[0] = 255;
  menus_.CheckOnly("LList", 1);
  ASSERT_TRUE(store_.SaveConfig());
  const QByteArray saved = dir_.ReadFile("bin/config.ini");
  EXPECT_TRUE(saved.contains("typemode=4\r\n"));
  EXPECT_TRUE(saved.contains("defaultlist=rock\r\n"));
  EXPECT_TRUE(saved.contains("lrcautodownload=false\r\n"));
  EXPECT_TRUE(saved.contains("forecolor=255\r\n"));
  EXPECT_TRUE(saved.contains("selectmod1=1\r\n"));
  EXPECT_TRUE(saved.contains("backcolor=16579057\r\n")) << "mode 0 stores the built-in colour";

  AppConfig reloaded;
  MenuForm menus;
  app::CreateSettingsMenus(menus);
  ConfigStore again(reloaded, menus, dir_.paths(), prompter_);
  ASSERT_TRUE(again.LoadConfig());
  EXPECT_EQ(reloaded.playMode, 4);
  EXPECT_TRUE(reloaded.sets[0]) << "error-correction options are not stored";
  EXPECT_FALSE(reloaded.sets[6]);
}

}  // namespace
