// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/picviewer.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "config/menuform.h"
#include "extras/ui/showpic.h"
#include "support/scriptedprompter.h"

namespace {

// A clock the test moves by hand: every whole interval passed is one tick.
class SteppedTimer : public SlideTimer {
 public:
  void Start(int intervalMs, std::function<void()> tick) override {
    interval_ = intervalMs;
    tick_ = std::move(tick);
    due_ = now_ + intervalMs;
    on_ = true;
  }
  void Stop() override { on_ = false; }
  bool active() const override { return on_; }
  void Advance(int ms) {
    const qint64 until = now_ + ms;
    while (on_ && due_ <= until) {
      now_ = due_;
      due_ += interval_;
      tick_();
    }
    now_ = until;
  }

 private:
  qint64 now_ = 0, due_ = 0;
  int interval_ = 0;
  bool on_ = false;
  std::function<void()> tick_;
};

class PicViewerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"a.jpg", "b.jpeg", "c.gif", "d.bmp", "e.png", "f.txt"}) {
      QImage image(8, 6, QImage::Format_RGB32);
      image.fill(Qt::red);
      // Qt writes no GIF: that one holds PNG bytes, which the reader finds by content.
      const QByteArray n(name);
      const char* format = n.endsWith("bmp") ? "BMP" : n.contains(".jp") ? "JPG" : "PNG";
      ASSERT_TRUE(image.save(folder.filePath(name), format));
    }
    auto stepped = std::make_unique<SteppedTimer>();
    timer = stepped.get();
    viewer = std::make_unique<PicViewer>(prompter, std::move(stepped));
  }

  QString Name() const { return QFileInfo(viewer->currentFile()).fileName(); }

  QTemporaryDir folder;
  ScriptedPrompter prompter;
  SteppedTimer* timer = nullptr;
  std::unique_ptr<PicViewer> viewer;
};

TEST_F(PicViewerTest, ListsJpegJpgBmpGifInThatOrderAndStepsRound) {
  viewer->Open(folder.path(), "共4张(套图)");
  EXPECT_EQ(Name(), "b.jpeg");
  EXPECT_EQ(viewer->counterText(), "1  /  4");
  viewer->Next();
  EXPECT_EQ(Name(), "a.jpg");
  viewer->Next();
  EXPECT_EQ(Name(), "d.bmp");
  viewer->Next();
  EXPECT_EQ(Name(), "c.gif");
  viewer->Next();
  EXPECT_EQ(viewer->counterText(), "1  /  4");
  viewer->Previous();
  EXPECT_EQ(viewer->counterText(), "4  /  4");

  QTemporaryDir empty;
  viewer->Open(empty.path(), "共1张");
  EXPECT_EQ(viewer->counterText(), "0  /  0");
  viewer->Next();  // nothing to step through
  EXPECT_TRUE(viewer->currentFile().isEmpty());
}

TEST_F(PicViewerTest, SlideShowStepsEveryTwoSecondsUntilStopped) {
  viewer->Open(folder.path(), "共4张(套图)");
  viewer->Switch_Click(PicViewer::SwitchItem::SlideShow);
  ASSERT_TRUE(viewer->slideShowOn());
  timer->Advance(1999);
  EXPECT_EQ(viewer->position(), 1);
  timer->Advance(1);
  EXPECT_EQ(viewer->position(), 2);
  timer->Advance(4000);
  EXPECT_EQ(viewer->position(), 4);
  timer->Advance(2000);
  EXPECT_EQ(viewer->position(), 1);

  QSignalSpy closed(viewer.get(), &PicViewer::CloseWanted);
  viewer->Switch_Click(PicViewer::SwitchItem::Exit);
  EXPECT_EQ(closed.size(), 1);
  EXPECT_FALSE(viewer->slideShowOn());
  timer->Advance(10000);
  EXPECT_EQ(viewer->position(), 1);
}

TEST_F(PicViewerTest, SavePicAsksBeforeOverwritingAndReportsWhere) {
  viewer->Open(folder.path(), "共4张(套图)");
  QTemporaryDir out;
  const QString target = out.filePath("mine.jpg");
  QFile old(target);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("keep me");
  old.close();

  prompter.QueuePath(target);
  prompter.QueueAnswer(PromptAnswer::Cancel);
  viewer->Switch_Click(PicViewer::SwitchItem::Save);
  ASSERT_EQ(prompter.asked().size(), 2);
  EXPECT_EQ(prompter.asked().at(0).message.title, "保存图片");
  EXPECT_EQ(prompter.asked().at(0).message.text, "JPG|*.jpg|BMP|*.bmp|GIF|*.gif|所有文件|*.*");
  EXPECT_EQ(prompter.asked().at(1).message.text, "该目录下存在同名文件,确认覆盖?");
  EXPECT_EQ(prompter.asked().at(1).message.title, "提示");
  QFile kept(target);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), "keep me");
  kept.close();

  prompter.ClearAsked();
  prompter.QueuePath(target);
  prompter.QueueAnswer(PromptAnswer::Ok);
  viewer->SavePic();
  EXPECT_EQ(prompter.messages().last(), "图片已成功保存到:" + target);
  QFile saved(target), source(viewer->currentFile());
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly) && source.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), source.readAll());
}

TEST_F(PicViewerTest, ViewerKeysStopTheShowAndClose) {
  MenuForm menus;
  PicViewer::AddSwitchMenu(menus);
  ShowPic window(*viewer, menus);
  window.OpenSet(folder.path(), "共4张(套图)");
  EXPECT_EQ(window.captionText(), "共4张(套图)");
  EXPECT_EQ(window.counterText(), "1  /  4");
  EXPECT_FALSE(window.picture().isNull());

  viewer->StartSlideShow();
  QTest::keyClick(&window, Qt::Key_Q);
  EXPECT_FALSE(viewer->slideShowOn());
  EXPECT_TRUE(window.isVisible());
  QTest::keyClick(&window, Qt::Key_Right);
  EXPECT_EQ(window.counterText(), "2  /  4");

  viewer->StartSlideShow();
  QTest::keyClick(&window, Qt::Key_Escape);  // also ends a running show
  EXPECT_FALSE(viewer->slideShowOn());
  EXPECT_FALSE(window.isVisible());

  window.OpenSet(folder.path(), "共4张(套图)");
  viewer->StartSlideShow();
  QTest::keyClick(&window, Qt::Key_F4, Qt::AltModifier);
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(viewer->slideShowOn());
}

}  // namespace
