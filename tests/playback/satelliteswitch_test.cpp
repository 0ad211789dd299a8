// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/satelliteswitch.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <array>

#include "config/appconfig.h"

namespace {

class SatelliteSwitchTest : public ::testing::Test {
 protected:
  SatelliteSwitchTest() : sw(config) {
    for (int w = 0; w < SatelliteSwitch::kWindowCount; ++w)
      sw.SetWindow(static_cast<SatelliteSwitch::Window>(w),
                   {[this, w] { return shown[w]; }, [this, w](bool on) { shown[w] = on; }});
    sw.saveConfig = [this] { log << "save"; };
    sw.songPlaying = [] { return true; };
    sw.musicVideoPlaying = [this] { return shown[SatelliteSwitch::MusicVideo]; };
    sw.stopMusicVideo = [this] { log << "stop video"; };
    sw.showLyricsNow = [this] { log << "lyrics"; };
    sw.lookUpSinger = [this] { log << "singer"; };
    sw.searchMusicVideos = [this] { log << "video search"; };
  }
  AppConfig config;
  SatelliteSwitch sw;
  std::array<bool, SatelliteSwitch::kWindowCount> shown{};
  QStringList log;
};

TEST_F(SatelliteSwitchTest, ShowingOneHidesTheOthersAndSaves) {
  shown[SatelliteSwitch::Monitor] = true;
  shown[SatelliteSwitch::MusicVideo] = true;
  config.showLyrics = true;
  EXPECT_TRUE(sw.Toggle(SatelliteSwitch::Singer));
  EXPECT_EQ(shown, (std::array<bool, 6>{false, true, false, false, false, false}));
  EXPECT_TRUE(config.showArtist);
  EXPECT_FALSE(config.showLyrics);
  EXPECT_EQ(log, (QStringList{"stop video", "singer", "save"}));

  log.clear();
  EXPECT_FALSE(sw.Toggle(SatelliteSwitch::Singer));  // hiding clears the option
  EXPECT_FALSE(config.showArtist);
  EXPECT_EQ(log, QStringList{"save"});

  log.clear();  // lyrics load before the save; music videos are searched after it
  sw.Toggle(SatelliteSwitch::Lyrics);
  EXPECT_TRUE(config.showLyrics);
  EXPECT_EQ(log, (QStringList{"lyrics", "save"}));
  log.clear();
  sw.Toggle(4);  // MTV1
  EXPECT_FALSE(shown[SatelliteSwitch::Lyrics]);
  EXPECT_FALSE(config.showLyrics);
  EXPECT_EQ(log, (QStringList{"save", "video search"}));
  EXPECT_FALSE(sw.Toggle(7));  // not a toggle
}

TEST_F(SatelliteSwitchTest, ToggleOfAMissingWindowChangesNothing) {
  for (auto w : {SatelliteSwitch::Singer, SatelliteSwitch::Pictures, SatelliteSwitch::Albums})
    sw.SetWindow(w, {});
  shown[SatelliteSwitch::Lyrics] = true;
  config.showLyrics = true;
  for (int index : {1, 2, 3}) {
    EXPECT_FALSE(sw.Toggle(index)) << index;
    EXPECT_TRUE(shown[SatelliteSwitch::Lyrics]) << index;
    EXPECT_TRUE(config.showLyrics) << index;
  }
  EXPECT_TRUE(log.isEmpty()) << log.join(u',').toStdString();
}

}  // namespace
