// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/ui/mainwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QSignalSpy>
#include <QTest>

#include "common/twips.h"
#include "config/menuform.h"
#include "playback/enginefixture.h"
#include "playback/spectrumcapture.h"
#include "playback/ui/knob.h"
#include "playback/ui/picturebutton.h"
#include "playback/ui/spectrumview.h"
#include "support/privatesoundserver.h"

namespace {

class MainWindowTest : public EngineFixture {
 protected:
  MainWindowTest() : window(engine, menus) {
    PlaybackEngine::AddControlsMenu(menus);
    window.show();
  }
  template <typename T>
  T* Find(const char* name) {
    T* w = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QLabel* echo1() { return Find<QLabel>("Echo1"); }

  MenuForm menus;
  MainWindow window;
};

TEST_F(MainWindowTest, ControlsSitWhereTheTwipsSay) {
  EXPECT_EQ(window.size(), QSize(300, 128));  // 4500 x 1920 twips
  for (int i = 0; i < 12; ++i)
    EXPECT_NE(window.findChild<PictureButton*>(QStringLiteral("I1_%1").arg(i)), nullptr) << i;
  EXPECT_EQ(Find<QWidget>("P2")->x(), common::TwipsToPx(2688));  // volume 40
  EXPECT_EQ(menus.Count(QStringLiteral("mnuControls")), 9);
  EXPECT_EQ(menus.Item(QStringLiteral("mnuControls"), 8)->text(), QStringLiteral("退出程序"));
}

TEST_F(MainWindowTest, KnobsAreHeldAtTheirEndsAndActOnRelease) {
  auto grab = [](Knob* knob, QPoint at, QPointF to) {
    QTest::mousePress(knob, Qt::LeftButton, {}, at);
    QMouseEvent move(QEvent::MouseMove, to, knob->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     {});
    QApplication::sendEvent(knob, &move);
  };
  auto* volume = Find<Knob>("P2");
  QSignalSpy saved(&engine, &PlaybackEngine::VolumeSaveWanted);
  grab(volume, QPoint(2, 2), QPointF(400, 2));
  EXPECT_EQ(echo1()->text(), QStringLiteral("音量:100%"));
  EXPECT_EQ(player.volume(), 100);
  EXPECT_EQ(volume->x(), common::TwipsToPx(3180));
  QTest::mouseRelease(volume, Qt::LeftButton, {}, QPoint(400, 2));
  EXPECT_EQ(saved.count(), 1);
  EXPECT_EQ(echo1()->text(), QStringLiteral("准备就绪"));

  Fill(playlist, 2);
  PlayRow(1, 240);
  auto* progress = Find<Knob>("P1");
  grab(progress, QPoint(1, 1), QPointF(-500, 1));
  EXPECT_EQ(progress->x(), common::TwipsToPx(240));  // held at the start
  QTest::mouseRelease(progress, Qt::LeftButton, {}, QPoint(-500, 1));
  EXPECT_EQ(player.calls().last(), QStringLiteral("seek:0"));
}

// At volume 40 the slider's right part is its empty track: it must stand out from the window's
// gradient around it, and from the level on the left.
TEST_F(MainWindowTest, VolumeSliderShowsItsEmptyTrack) {
  const QImage shot = window.grab().toImage();
  auto distance = [](const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
  };
  const int x = common::TwipsToPx(3100);  // between the knob (2688) and the track's end
  const QColor track = shot.pixelColor(x, common::TwipsToPx(1725));
  EXPECT_GE(distance(track, shot.pixelColor(x, common::TwipsToPx(1600))), 40)
      << track.name().toStdString();
  EXPECT_GE(distance(track, shot.pixelColor(common::TwipsToPx(2500), common::TwipsToPx(1725))), 40);
}

// The status line draws a kept picture of its text: each new text, font or colour shows at once,
// exactly as a plain label would draw it.
TEST_F(MainWindowTest, StatusLinePictureFollowsTextFontAndColour) {
  QLabel* line = echo1();
  const auto same = [line] {
    QLabel plain;
    plain.setTextFormat(Qt::PlainText);
    plain.setStyleSheet(line->styleSheet());
    plain.setFont(line->font());
    plain.setText(line->text());
    plain.resize(line->size());
    return line->grab().toImage().convertToFormat(QImage::Format_RGB32) ==
           plain.grab().toImage().convertToFormat(QImage::Format_RGB32);
  };
  for (const char* text : {"001. 甲 ----- 乙", "002. 丙 ----- 丁", "002. 丙丁 ----- 戊己"}) {
    line->setText(QString::fromUtf8(text));
    line->resize(line->sizeHint());
    EXPECT_TRUE(same()) << text;
  }
  QFont bigger = line->font();
  bigger.setPixelSize(bigger.pixelSize() + 3);
  line->setFont(bigger);
  EXPECT_TRUE(same());
  line->setStyleSheet(QStringLiteral("color: rgb(255,0,0);"));
  EXPECT_TRUE(same());
}

// A long status line scrolls to and fro; whatever shows of it (a glyph cut at the edge too)
// keeps a clear gap before the time text.
TEST_F(MainWindowTest, ScrollingStatusKeepsClearOfTheTimeAndTheDesktopsTitleWhole) {
  Fill(playlist, 1);
  playlist.SetCell(1, 1, QStringLiteral("一个很长很长很长很长很长的歌曲名字"));
  PlayRow(1);
  auto* area = Find<QWidget>("Echo1Area");
  auto* time = Find<QLabel>("Echo");
  const int timeLeft =
      time->geometry().right() + 1 - time->fontMetrics().horizontalAdvance(QStringLiteral("00:00"));
  QList<int> lefts;
  for (int tick = 0; tick < 200; ++tick) {
    engine.OnPollTick();
    const QRect shown = echo1()->geometry().intersected(area->rect()).translated(area->pos());
    EXPECT_LE(shown.right() + 1, timeLeft - 8) << tick;
    lefts << echo1()->x();
  }
  EXPECT_LT(*std::min_element(lefts.begin(), lefts.end()), 0);  // it did scroll
  // Its right end comes fully into view before it turns back.
  const int widest = echo1()->width();
  EXPECT_LE(*std::min_element(lefts.begin(), lefts.end()) + widest, area->width());

  // The caption scrolls in the title strip; the desktop's title keeps the whole line.
  QSet<QString> drawn;
  for (int tick = 0; tick < 8; ++tick) {
    engine.OnStatusTick();
    drawn << window.drawnCaption();
    EXPECT_EQ(window.windowTitle(), engine.statusLine()) << tick;
  }
  EXPECT_GT(drawn.size(), 1);
  EXPECT_TRUE(engine.statusLine().contains(QStringLiteral("一个很长很长很长很长很长的歌曲名字")));
}

TEST_F(MainWindowTest, SearchBoxIgnoresItsHint) {
  auto* box = Find<QLineEdit>("txtKey");
  QSignalSpy search(&window, &MainWindow::SearchRequested);
  EXPECT_EQ(box->text(), QStringLiteral("输入歌名、歌手..."));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(search.count(), 0);
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_TRUE(box->text().isEmpty());
  box->insert(QStringLiteral("月亮"));
  QTest::keyClick(box, Qt::Key_Return);
  ASSERT_EQ(search.count(), 1);
  EXPECT_EQ(search.at(0).at(0).toString(), QStringLiteral("月亮"));
}

TEST_F(MainWindowTest, ButtonsDriveTheEngine) {
  config.playMode = 3;
  Fill(playlist, 3);
  PlayRow(2, 240);
  engine.OnPollTick();
  EXPECT_EQ(echo1()->text(), QStringLiteral("002. 歌2 ----- 歌手2"));
  QTest::mouseClick(Find<PictureButton>("I1_5"), Qt::LeftButton);
  EXPECT_EQ(started, QList<int>{3});
  QTest::mouseClick(Find<PictureButton>("I1_4"), Qt::LeftButton);
  EXPECT_EQ(echo1()->text(), QStringLiteral("停止播放"));
  QTest::mouseClick(Find<PictureButton>("I1_0"), Qt::LeftButton);
  EXPECT_TRUE(player.mute());
  EXPECT_EQ(Find<PictureButton>("I1_0")->glyph(), PictureButton::Glyph::Muted);
}

// Pixel rows of segment j sit at y = 3j and 3j + 1; bar i spans x = 2 + 4i .. 4 + 4i.
QList<int> LitSegments(const QImage& image, int bar, int segments) {
  QList<int> lit;
  for (int j = 0; j <= segments; ++j)
    if (image.pixelColor(2 + 4 * bar, 3 * j) == QColor(33, 219, 255)) lit << j;
  return lit;
}

TEST(SpectrumViewTest, IdleAndFortyFivePixelFrames) {
  SpectrumView view;
  view.resize(72, 45);
  const QImage idle = view.grab().toImage();
  for (int bar = 0; bar < 17; ++bar) EXPECT_EQ(LitSegments(idle, bar, 14), QList<int>{14}) << bar;
  EXPECT_EQ(idle.pixelColor(1, 42), QColor(0, 0, 0));  // the margin stays black

  QByteArray block(8820, '\0');
  block[3] = static_cast<char>(255);  // h = 45 on bar 3
  view.ShowBlock(block);
  const QImage frame = view.grab().toImage();
  EXPECT_EQ(LitSegments(frame, 3, 14), (QList<int>{12, 13, 14}));
  EXPECT_EQ(LitSegments(frame, 4, 14), QList<int>{14});
}

}  // namespace

namespace {

// The bars follow what the speakers play: a tone into the default output moves them above the
// idle line (silence would draw them at zero).
TEST_F(MainWindowTest, SpectrumMovesWithTheSoundOfTheDefaultOutput) {
  PrivateSoundServer server;
  if (!server.failure().isEmpty()) GTEST_SKIP() << server.failure().toStdString();
  ASSERT_TRUE(server.PlayTone(8));
  Fill(playlist, 1);
  PlayRow(1);
  window.ShowSpectrumFrame();
  auto* view = Find<SpectrumView>("picFrequency");
  const bool moved = QTest::qWaitFor(
      [&] {
        const auto& h = view->barHeights();
        return std::any_of(h.begin(), h.end(), [](int bar) { return bar > 1; });
      },
      6000);
  EXPECT_TRUE(moved);

  // Hidden behind the tray, nobody sees the bars: the sound server stops feeding them until the
  // window is back. A stopped song's capture stays closed whatever the window does.
  window.hide();
  EXPECT_FALSE(window.captureOpen());
  window.show();
  EXPECT_TRUE(window.captureOpen());
  window.hide();
  engine.StopButton();
  window.show();
  EXPECT_FALSE(window.captureOpen());
}

}  // namespace

namespace {

// Song changes close and reopen the capture: blocks stop while it is closed and come again,
// whole, once it is open, however quickly the two follow each other.
TEST(SpectrumCaptureServerTest, ReopensAfterEveryCloseAndIsSilentWhileClosed) {
  PrivateSoundServer server;
  if (!server.failure().isEmpty()) GTEST_SKIP() << server.failure().toStdString();
  ASSERT_TRUE(server.PlayTone(8));
  SpectrumCapture capture;
  QList<qsizetype> sizes;
  QObject::connect(&capture, &SpectrumCapture::BlockCaptured,
                   [&](const QByteArray& block) { sizes << block.size(); });
  ASSERT_TRUE(capture.Open());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !sizes.isEmpty(); }, 3000));
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    capture.Close();
    EXPECT_FALSE(capture.isOpen());
    sizes.clear();
    QTest::qWait(300);
    EXPECT_TRUE(sizes.isEmpty());
    ASSERT_TRUE(capture.Open());
    ASSERT_TRUE(QTest::qWaitFor([&] { return sizes.size() >= 2; }, 3000));
    EXPECT_EQ(sizes.count(SpectrumCapture::kBlockBytes), sizes.size());
  }
  capture.Close();
  ASSERT_TRUE(capture.Open());  // reopened at once, before the reader saw the close
  sizes.clear();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !sizes.isEmpty(); }, 3000));
}

}  // namespace
