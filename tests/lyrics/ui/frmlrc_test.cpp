// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/ui/frmlrc.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "app/appconfig.h"
#include "app/menuform.h"
#include "common/gbk.h"
#include "components/ui/lrcshow.h"
#include "lyrics/lrctestdata.h"
#include "lyrics/lyricscontroller.h"
#include "playback/playbackstate.h"
#include "support/fakemediaplayer.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

class FrmLrcTest : public ::testing::Test {
 protected:
  FrmLrcTest() {
    // 20 lines, one every 5 seconds from 0 to 95 s, in a 100-second song.
    dir_.WriteFile(QStringLiteral("lrc/生成的歌.lrc"),
                   common::EncodeGbk(MakeLrcLines(20, 95).join(QStringLiteral("\r\n"))));
    playback_.titleText = QStringLiteral("生成的歌");
    playback_.playingGrid = PlayingGrid::Playlist;
    player_.SetUrl(QStringLiteral("/music/生成的歌.mp3"));
    player_.SetDuration(100);
    player_.SetState(PlayState::Playing);
  }

  QLabel* Label(int k) {
    return window_.findChild<QLabel*>(QStringLiteral("CheckLabel_%1").arg(k));
  }
  // One poll tick at `seconds` into the song.
  void TickAt(double seconds) {
    player_.SetPosition(seconds);
    controller_.OnPollTick();
  }

  TempAppDir dir_;
  PlaybackState playback_;
  FakeMediaPlayer player_;
  AppConfig config_;
  ScriptedPrompter prompter_;
  MenuForm menus_;
  LrcShow* lrc_ = new LrcShow;
  LyricsController controller_{playback_, player_, *lrc_, config_, dir_.paths(), prompter_};
  FrmLrc window_{controller_, *lrc_, lrc_, menus_};
};

TEST_F(FrmLrcTest, HighlightFollowsTheSongAndTheOffsetIndicatorTheAdjustment) {
  QSignalSpy hideOthers(&window_, &FrmLrc::SideWindowsHideWanted);
  EXPECT_TRUE(window_.ToggleFromMainWindow());
  EXPECT_EQ(hideOthers.count(), 1);
  ASSERT_EQ(lrc_->loadedFile(), dir_.Path(QStringLiteral("lrc/生成的歌.lrc")));

  struct Step {
    double seconds;
    int menuItem;  // Lrcp item chosen before the tick, -1 none
    int line;
    const char* indicator;  // "" hidden
  } steps[] = {{0.0, -1, 0, ""}, {7.0, -1, 1, ""},           {9.6, 0, 2, "offset=500"},
               {9.6, 1, 1, ""},  {9.6, 1, 1, "offset=-500"}, {42.0, 2, 8, ""},
               {96.0, 0, 8, ""}};  // past the last lyric: neither line nor indicator moves
  for (const Step& s : steps) {
    if (s.menuItem >= 0) menus_.Item(QStringLiteral("Lrcp"), s.menuItem)->trigger();
    TickAt(s.seconds);
    EXPECT_EQ(lrc_->currentLine(), s.line) << s.seconds;
    const QString indicator = QString::fromUtf8(s.indicator);
    EXPECT_EQ(Label(2)->isVisible(), !indicator.isEmpty()) << s.seconds;
    if (!indicator.isEmpty()) {
      EXPECT_EQ(Label(2)->text(), indicator);
    }
  }
  EXPECT_FALSE(window_.ToggleFromMainWindow());
  EXPECT_FALSE(controller_.windowVisible());
}

TEST_F(FrmLrcTest, LayoutNoticesAndOptions) {
  player_.SetDuration(300);  // lyrics end at 95 s: they may belong to another song
  window_.show();
  window_.SetGeometryTwips(0, 0, 6000, 7500);
  EXPECT_EQ(lrc_->geometry(), QRect(6, 23, 400 - 12, 500 - 66));
  emit lrc_->notifier()->NeededWidth(9000);
  EXPECT_EQ(window_.width(), (9000 + 180) / 15);
  emit lrc_->notifier()->NeededWidth(3000);
  EXPECT_EQ(window_.width(), 321);  // 4815 twips

  TickAt(1.0);
  ASSERT_TRUE(Label(1)->isVisible());
  EXPECT_EQ(Label(1)->text(), QStringLiteral("歌词可能有误,请手动更换!"));
  QSignalSpy dismissed(&window_, &FrmLrc::LengthCheckDismissed);
  QTest::mouseClick(Label(0), Qt::LeftButton);
  EXPECT_EQ(dismissed.count(), 1);
  EXPECT_FALSE(Label(1)->isVisible());

  auto item = [this](int k) { return menus_.Item(QStringLiteral("showtype"), k); };
  QSignalSpy visibility(&window_, &FrmLrc::VisibilityChanged);
  item(4)->trigger();
  item(0)->trigger();
  EXPECT_EQ(lrc_->alignment(), -1);
  EXPECT_TRUE(item(0)->isChecked() && !item(1)->isChecked() && item(4)->isChecked());
  EXPECT_TRUE(window_.isVisible() && (window_.windowFlags() & Qt::WindowStaysOnTopHint));
  item(5)->trigger();
  EXPECT_EQ(window_.colorKey(), lrc_->backColor());
  item(5)->trigger();
  EXPECT_EQ(window_.colorKey(), QColor(199, 199, 199));

  window_.closeButton()->click();
  EXPECT_FALSE(window_.isVisible() || controller_.windowVisible());
  EXPECT_EQ(visibility.count(), 1);
}

}  // namespace
