// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Singer pictures as a user meets them: the whole program on a throw-away folder against the
// demo service; the 图片 toggle, a search, paging, a set in the viewer, saving a picture, and
// the search a new song starts.
#include <QCheckBox>
#include <QLineEdit>

#include "catalogue.h"
#include "demoserver.h"
#include "extras/ui/piclist.h"
#include "extras/ui/showpic.h"
#include "picturepages.h"
#include "support/apprun.h"

namespace {

class PicturesJourney : public AppRun {
 protected:
  void SetUp() override {
    RegisterPicturePages(server, catalogue);
    ASSERT_TRUE(server.Listen(0));
    PointServicesAt(server.baseUrl());
    app = Launch();
  }
  // The picture toggle of the main window; the list is built on its first showing.
  void ClickToggle() {
    Child<QAbstractButton>(app->mainWindow(), "Menus_2")->click();
    list = app->pictureWindow();
  }

  template <typename T>
  T* Child(QWidget* window, const char* name) {
    T* child = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
  }
  QString Text(const char* label) { return Child<QLabel>(list, label)->text(); }
  int ThumbnailsShown() {
    int n = 0;
    for (int i = 0; i < 20; ++i) n += list->thumbnail(i)->pixmap().isNull() ? 0 : 1;
    return n;
  }
  static bool Wait(const std::function<bool()>& done) { return QTest::qWaitFor(done, 15000); }

  DemoCatalogue catalogue;
  DemoServer server;
  std::unique_ptr<AppContext> app;
  PicList* list = nullptr;
};

TEST_F(PicturesJourney, SearchPageOpenASetStepAndSave) {
  ClickToggle();
  ASSERT_TRUE(list->isVisible());
  EXPECT_TRUE(Child<QAbstractButton>(app->mainWindow(), "Menus_2")->isChecked());

  QLineEdit* box = Child<QLineEdit>(list, "Text1");
  EXPECT_EQ(box->text(), "输入歌手名...");
  box->setText("林澈");
  Child<QAbstractButton>(list, "Image8")->click();
  EXPECT_EQ(Text("Label5"), "林澈-写真集(请稍候...)");
  // 37 pages: more than one bar's worth, so the count comes from walking on.
  ASSERT_TRUE(Wait([&] { return Text("Label5") == "林澈-写真集(共37页)"; }))
      << qPrintable(Text("Label5"));
  EXPECT_EQ(Text("Label3"), "37");
  ASSERT_TRUE(Wait([&] { return ThumbnailsShown() == 20; })) << ThumbnailsShown();
  EXPECT_EQ(QDir(dir.Path("bin/PicTmp/林澈")).entryList(QDir::Files).size(), 20);
  EXPECT_TRUE(Child<QWidget>(list, "Image2")->isHidden());
  EXPECT_FALSE(Child<QWidget>(list, "Image3")->isHidden());

  Child<QAbstractButton>(list, "Image3")->click();
  EXPECT_EQ(Text("Label1"), "2");
  EXPECT_FALSE(Child<QWidget>(list, "Image2")->isHidden());
  ASSERT_TRUE(Wait([&] { return ThumbnailsShown() == 20; }));

  // Page 2, slot 1 is the demo's set 22: four pictures.
  QTest::mouseClick(list->thumbnail(1), Qt::LeftButton);
  ShowPic* viewer = app->pictureViewer();
  ASSERT_TRUE(Wait([&] { return viewer->isVisible(); }));
  EXPECT_EQ(viewer->captionText(), "共4张(套图)");
  EXPECT_EQ(viewer->counterText(), "1  /  4");
  EXPECT_FALSE(viewer->picture().isNull());
  app->menus().Item("Switch", 0)->trigger();
  EXPECT_EQ(viewer->counterText(), "2  /  4");

  const QString target = dir.Path("Download/star.jpg");
  prompter.QueuePath(target);
  app->menus().Item("Switch", 2)->trigger();
  EXPECT_EQ(prompter.messages().value(0), "图片已成功保存到:" + target);
  EXPECT_EQ(QImage(target).size(), QSize(800, 600));

  app->menus().Item("Switch", 5)->trigger();
  EXPECT_FALSE(viewer->isVisible());
}

TEST_F(PicturesJourney, ANewSongSearchesWhileTheWindowIsShownAndItsAutoSearchIsOn) {
  emit app->engine().PictureSearchWanted("苏晚晴");  // the window is hidden: nothing happens
  ClickToggle();
  EXPECT_EQ(Child<QLineEdit>(list, "Text1")->text(), "输入歌手名...");
  emit app->engine().PictureSearchWanted("苏晚晴");
  EXPECT_EQ(Child<QLineEdit>(list, "Text1")->text(), "苏晚晴");
  ASSERT_TRUE(Wait([&] { return Text("Label5") == "苏晚晴-写真集(共3页)"; }));

  Child<QCheckBox>(list, "Check1")->setChecked(false);
  emit app->engine().PictureSearchWanted("陈野");
  EXPECT_EQ(Child<QLineEdit>(list, "Text1")->text(), "苏晚晴");

  // Another side window takes the place: the picture toggle goes out with its window.
  for (const char* other : {"MTV1", "Menus_3", "Menus_0"}) {
    if (!list->isVisible()) Child<QAbstractButton>(app->mainWindow(), "Menus_2")->click();
    ASSERT_TRUE(list->isVisible());
    Child<QAbstractButton>(app->mainWindow(), other)->click();
    EXPECT_FALSE(list->isVisible()) << other;
    EXPECT_FALSE(Child<QAbstractButton>(app->mainWindow(), "Menus_2")->isChecked()) << other;
    EXPECT_TRUE(Child<QAbstractButton>(app->mainWindow(), other)->isChecked()) << other;
  }
  // The settings menu's monitor item, too.
  Child<QAbstractButton>(app->mainWindow(), "Menus_2")->click();
  ASSERT_TRUE(list->isVisible());
  app->menus().Item("mnuSorts", 5)->trigger();
  EXPECT_FALSE(list->isVisible());
  EXPECT_FALSE(Child<QAbstractButton>(app->mainWindow(), "Menus_2")->isChecked());
}

}  // namespace
