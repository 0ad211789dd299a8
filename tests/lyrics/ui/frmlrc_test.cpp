// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/ui/frmlrc.h"

#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "config/menuform.h"
#include "lyrics/lyricstest.h"

namespace {

// 20 lines, one every 5 seconds from 0 to 95 s, in a 100-second song.
class FrmLrcTest : public LyricsTest {
 protected:
  FrmLrcTest() {
    WriteSong(MakeLrcLines(20, 95));
    player_.SetDuration(100);
    controller_.SetWindowVisible(false);
  }
  ~FrmLrcTest() override { display_.setParent(nullptr); }  // not the window's to delete
  QLabel* Label(int k) { return window_.findChild<QLabel*>("CheckLabel_" + QString::number(k)); }
  MenuForm menus_;
  FrmLrc window_{controller_, display_, &display_, menus_};
};

TEST_F(FrmLrcTest, HighlightIndicatorLayoutNoticesAndOptions) {
  QSignalSpy hideOthers(&window_, &FrmLrc::SideWindowsHideWanted);
  EXPECT_TRUE(window_.ToggleFromMainWindow());
  EXPECT_EQ(hideOthers.count(), 1);
  ASSERT_EQ(display_.loadedFile(), song_);

  // Each step: the Lrcp menu item chosen first (-1 none), then a tick at `seconds`. Past the
  // last lyric neither line nor indicator moves.
  const std::tuple<double, int, int, const char*> steps[] = {
      {0.0, -1, 0, "hidden"}, {7.0, -1, 1, "hidden"},     {9.6, 0, 2, "offset=500"},
      {9.6, 1, 1, "hidden"},  {9.6, 1, 1, "offset=-500"}, {42.0, 2, 8, "hidden"},
      {96.0, 0, 8, "hidden"}};
  for (const auto& [seconds, menuItem, line, indicator] : steps) {
    if (menuItem >= 0) menus_.Item(QStringLiteral("Lrcp"), menuItem)->trigger();
    controller_.OnLyricsTick(seconds);
    EXPECT_EQ(display_.currentLine(), line) << seconds;
    EXPECT_EQ(Label(2)->isVisible() ? Label(2)->text() : "hidden", QString::fromUtf8(indicator))
        << seconds;
  }
  EXPECT_FALSE(window_.ToggleFromMainWindow());

  player_.SetDuration(300);  // lyrics end at 95 s: they may belong to another song
  window_.show();
  window_.SetGeometryTwips(0, 0, 6000, 7500);
  EXPECT_EQ(display_.geometry(), QRect(6, 23, 400 - 12, 500 - 66));
  emit display_.notifier()->NeededWidth(9000);
  EXPECT_EQ(window_.width(), (9000 + 180) / 15);
  emit display_.notifier()->NeededWidth(3000);
  EXPECT_EQ(window_.width(), 321);  // 4815 twips

  config_.sets[7] = false;  // the length check is off
  controller_.OnLyricsTick(1.0);
  EXPECT_FALSE(Label(1)->isVisible());
  config_.sets[7] = true;
  controller_.OnLyricsTick(2.0);
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
  EXPECT_EQ(display_.alignment(), -1);
  EXPECT_TRUE(item(0)->isChecked() && !item(1)->isChecked() && item(4)->isChecked());
  EXPECT_TRUE(window_.isVisible() && (window_.windowFlags() & Qt::WindowStaysOnTopHint));

  window_.closeButton()->click();
  EXPECT_FALSE(window_.isVisible() || controller_.windowVisible());
  EXPECT_EQ(visibility.count(), 1);
}

}  // namespace

namespace {

// The transparent background keys the lyrics' background colour out of the window; unchecked,
// the window has exactly its plain rounded shape again, with nothing left of the old key.
TEST_F(FrmLrcTest, TransparentBackgroundCutsTheBackColourOutAndUncheckingRestoresTheShape) {
  window_.show();
  QAction* transparent = menus_.Item(QStringLiteral("showtype"), 5);
  ASSERT_TRUE(transparent->isCheckable());
  transparent->trigger();
  ASSERT_TRUE(transparent->isChecked());
  const QRegion plain = SkinnedWindow::RoundRegion(window_.size());
  EXPECT_FALSE(window_.mask().isEmpty());
  EXPECT_NE(window_.mask(), plain);
  EXPECT_FALSE(window_.mask().contains(display_.geometry().topLeft() + QPoint(2, 2)));
  transparent->trigger();
  ASSERT_FALSE(transparent->isChecked());
  EXPECT_EQ(window_.mask(), plain);
  controller_.OnLyricsTick(1.0);  // a lyrics tick keeps it so
  EXPECT_EQ(window_.mask(), plain);
}

}  // namespace
