// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The singer lookup against a loopback service: what is fetched and when, what the window
// shows, where pictures land, and what the play buttons hand to the result grid.
#include "extras/singerprofile.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "common/gbk.h"
#include "config/appconfig.h"
#include "download/downloader.h"
#include "extras/ui/frmnet.h"
#include "support/encodedimage.h"
#include "support/loopbackhttpserver.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"
#include "web/pagefetcher.h"

namespace {

// A real picture just over the pixel limit (4100 x 4100): Qt alone would decode it.
QByteArray OversizedPng() {
  return EncodedImage(4100, 4100, "PNG", QImage::Format_Mono);
}

QByteArray Escaped(const QString& text) {
  return common::EncodeGbk(text).toPercentEncoding();
}

class SingerProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.SetPage("/music.so", common::EncodeGbk(QStringLiteral(
                                     "<strong><a href=\"/singer/a.html\" target=\"_blank\"><font "
                                     "color=red>x</font></a></strong>")));
    SetSingerPage(QStringLiteral("77.png"));
    server_.SetPage("/pic/77.png", EncodedImage());
    profile_.SetNameSources([this] { return rowSinger_; }, [this] { return author_; });
  }

  void SetSingerPage(const QString& pictureName) {
    server_.SetPage(
        "/singer/a.html",
        common::EncodeGbk(
            QStringLiteral("<div class=starIntro><img src=\"") + server_.Url(QString()) +
            QStringLiteral("/pic/") + pictureName +
            QStringLiteral("\" onerror=\"\"><dt>林澈</dt><dd>英文名：Lin Che</dd>"
                           "<dd>所属地区：港台</dd><dd>专辑数：4</dd><dd>单曲数：2</dd>\r\n"
                           "歌手资料<ul><li>简介</li></ul><table class=hotsongTable>"
                           "<td title=\"月光码头\"><input><td title=\"<b>夏夜</b>\"><input>")));
  }

  void BreakSearch() { server_.SetPage("/music.so", "<html>no singer</html>"); }

  bool WaitIdle() {
    return QTest::qWaitFor([this] { return !profile_.view().busy; }, 5000);
  }
  int Searches() const { return server_.RequestsFor("/music.so"); }
  QString picTmp() const { return dir_.paths().picTmpDir(); }

  LoopbackHttpServer server_;
  TempAppDir dir_;
  AppConfig config_;
  PageFetcher fetcher_{dir_.paths(), config_};
  Downloader pictures_{fetcher_.network()};
  ScriptedPrompter prompter_;
  SingerProfile profile_{fetcher_, pictures_, prompter_, [this] { return server_.Url(QString()); },
                         picTmp()};
  QString rowSinger_, author_;
};

TEST_F(SingerProfileTest, LookupShowsFactsIntroSongsAndCachesThePicture) {
  profile_.Search(QStringLiteral("林澈"));
  EXPECT_TRUE(profile_.view().busy);
  EXPECT_EQ(profile_.view().englishName, QStringLiteral("请稍候..."));
  ASSERT_TRUE(WaitIdle());
  const SingerView& v = profile_.view();
  EXPECT_EQ(v.name, QStringLiteral("林澈"));
  EXPECT_EQ(v.englishName, QStringLiteral("Lin Che"));
  EXPECT_EQ(v.region, QStringLiteral("港台"));
  EXPECT_EQ(v.albums, QStringLiteral("4"));
  EXPECT_EQ(v.singles, QStringLiteral("2"));
  EXPECT_EQ(v.intro, QStringLiteral("简介\n"));
  EXPECT_EQ(v.songs, QStringList({QStringLiteral("月光码头"), QStringLiteral("<b>夏夜</b>")}));
  EXPECT_EQ(v.status, QStringLiteral("成功获取2首歌曲"));
  ASSERT_FALSE(server_.requestLines().isEmpty());
  EXPECT_TRUE(server_.requestLines().first().contains("/music.so?as=t&st=heat&query=" +
                                                      Escaped(QStringLiteral("林澈"))))
      << server_.requestLines().first().constData();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !profile_.view().picturePath.isEmpty(); }, 5000));
  EXPECT_EQ(profile_.view().picturePath, picTmp() + QStringLiteral("林澈/77.png"));
  EXPECT_FALSE(QImage(profile_.view().picturePath).isNull());
}

TEST_F(SingerProfileTest, ShownNameHintAndEmptyBoxMakeNoRequest) {
  profile_.Search(QStringLiteral("林澈"));
  ASSERT_TRUE(WaitIdle());
  const int before = Searches();
  profile_.Search(QStringLiteral("林澈"));
  profile_.Search(QStringLiteral("输入歌手名..."));
  profile_.Search(QString());
  rowSinger_ = QStringLiteral(" 林澈 ");  // the playing song's singer, as shown
  profile_.ShowSingerProfile(false);
  QTest::qWait(50);
  EXPECT_EQ(Searches(), before);
  EXPECT_FALSE(profile_.view().busy);
}

TEST_F(SingerProfileTest, CachedPictureLoadsWithoutADownload) {
  dir_.WriteFile(QStringLiteral("bin/PicTmp/林澈/77.png"), EncodedImage());
  profile_.Search(QStringLiteral("林澈"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(profile_.view().picturePath, picTmp() + QStringLiteral("林澈/77.png"));
  EXPECT_EQ(server_.RequestsFor("/pic/77.png"), 0);
}

TEST_F(SingerProfileTest, FailedSingerIsNotFetchedAgainUntilAnotherWasShown) {
  BreakSearch();
  profile_.Search(QStringLiteral("甲"));
  ASSERT_TRUE(WaitIdle());
  const SingerView& v = profile_.view();
  EXPECT_EQ(v.name, QStringLiteral("甲"));
  EXPECT_EQ(v.linkName, QStringLiteral("甲"));
  for (const QString* fact : {&v.englishName, &v.region, &v.albums, &v.singles})
    EXPECT_EQ(*fact, QStringLiteral("获取失败"));
  EXPECT_TRUE(v.songs.isEmpty());
  EXPECT_EQ(v.status, QStringLiteral("歌曲列表获取失败!"));
  EXPECT_EQ(Searches(), 1);  // a name typed in the box is not retried

  // The same singer from a new song: nothing is fetched.
  rowSinger_ = QStringLiteral("甲");
  profile_.ShowSingerProfile(false);
  QTest::qWait(50);
  EXPECT_EQ(Searches(), 1);

  // Another singer is shown; then the failed one is tried again.
  SetUp();
  profile_.Search(QStringLiteral("林澈"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Searches(), 2);
  profile_.ShowSingerProfile(false);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Searches(), 3);
}

TEST_F(SingerProfileTest, PlayingSongsSingerIsRetriedOnceThenFails) {
  BreakSearch();
  rowSinger_ = QStringLiteral("丙");
  profile_.ShowSingerProfile(false);
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(Searches(), 2);
  EXPECT_EQ(profile_.view().name, QStringLiteral("丙"));
  EXPECT_EQ(profile_.view().singles, QStringLiteral("获取失败"));
}

TEST_F(SingerProfileTest, ModeTwoTakesTheMediaAuthorAndFallsBackToTheRow) {
  rowSinger_ = QStringLiteral("甲");
  author_ = QStringLiteral("乙");
  QSignalSpy modes(&profile_, &SingerProfile::ModeChanged);
  profile_.SwitchMode(QStringLiteral("输入歌手名..."));  // the hint is not a name
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(profile_.mode(), 2);
  ASSERT_EQ(modes.size(), 1);
  EXPECT_TRUE(server_.requestLines().first().contains("query=" + Escaped(QStringLiteral("乙"))));

  author_.clear();
  profile_.SwitchMode(QString());  // back to mode 1: the row's singer
  ASSERT_TRUE(WaitIdle());
  profile_.SwitchMode(QString());  // mode 2 without an author: the row's singer again
  ASSERT_TRUE(WaitIdle());
  int rowLookups = 0;
  for (const QByteArray& line : server_.requestLines())
    if (line.contains("query=" + Escaped(QStringLiteral("甲")))) ++rowLookups;
  EXPECT_EQ(rowLookups, 2);
}

TEST_F(SingerProfileTest, NewerLookupSupersedesOneUnderWay) {
  profile_.Search(QStringLiteral("甲"));
  profile_.Search(QStringLiteral("乙"));
  ASSERT_TRUE(WaitIdle());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !profile_.view().picturePath.isEmpty(); }, 5000));
  EXPECT_TRUE(QFileInfo::exists(picTmp() + QStringLiteral("乙/77.png")));
  EXPECT_FALSE(QFileInfo::exists(picTmp() + QStringLiteral("甲")));
}

TEST_F(SingerProfileTest, HostileSingerAndPictureNamesStayInsidePicTmp) {
  const QStringList names{QStringLiteral(".."), QStringLiteral("../../x"), QStringLiteral("%2e%2e"),
                          QStringLiteral("a/../../b"), QStringLiteral("/etc")};
  QSignalSpy done(&pictures_, &Downloader::DownloadComplete);
  int n = 0;
  for (const QString& name : names) {
    // Each lookup also gets a picture name that decodes to a path.
    const QString picture = n++ % 2 ? QStringLiteral("..%2f..%2fp.png") : QStringLiteral("77.png");
    server_.SetPage(("/pic/" + picture).toUtf8(), EncodedImage());
    SetSingerPage(picture);
    profile_.Search(name);
    ASSERT_TRUE(WaitIdle()) << name.toStdString();
    // Every lookup downloads its picture: the file is in place once the download completed.
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.size() == n; }, 5000)) << name.toStdString();
  }
  const QString root = QDir::cleanPath(dir_.root());
  const QString inside = QDir::cleanPath(picTmp()) + u'/';
  int pictures = 0;
  QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString file = it.next();
    if (!file.endsWith(QStringLiteral(".png"))) continue;
    ++pictures;
    EXPECT_TRUE(file.startsWith(inside)) << file.toStdString();
  }
  EXPECT_GE(pictures, 3);
  // Downloads that did not complete were still aimed inside.
  for (const QList<QVariant>& d : done)
    EXPECT_TRUE(QDir::cleanPath(d.at(1).toString()).startsWith(inside))
        << d.at(1).toString().toStdString();
}

TEST_F(SingerProfileTest, PlayCommandsNeedSongsAndASelection) {
  QSignalSpy plays(&profile_, &SingerProfile::PlayRequested);
  profile_.PlayAll();
  profile_.PlaySelected({0});
  ASSERT_EQ(prompter_.asked().size(), 2);
  for (const auto& asked : prompter_.asked()) {
    EXPECT_EQ(asked.message.text, QStringLiteral("歌曲列表为空!"));
    EXPECT_EQ(asked.message.title, QStringLiteral("Error"));
    EXPECT_EQ(asked.message.icon, PromptIcon::Exclamation);
    EXPECT_TRUE(asked.message.systemModal);
  }
  profile_.Search(QStringLiteral("林澈"));
  ASSERT_TRUE(WaitIdle());
  profile_.PlaySelected({});
  ASSERT_EQ(prompter_.asked().size(), 3);
  EXPECT_EQ(prompter_.asked().last().message.text, QStringLiteral("未选取任何歌曲!"));
  EXPECT_TRUE(plays.isEmpty());

  profile_.PlayAll();
  profile_.PlaySelected({1});
  ASSERT_EQ(plays.size(), 2);
  EXPECT_EQ(plays.at(0).at(0).toString(), QStringLiteral("林澈的歌曲列表-----全部播放"));
  EXPECT_EQ(plays.at(0).at(1).toString(), QStringLiteral("林澈"));
  EXPECT_EQ(plays.at(0).at(2).toStringList().size(), 2);
  EXPECT_EQ(plays.at(1).at(0).toString(), QStringLiteral("林澈的歌曲列表-----选中播放"));
  EXPECT_EQ(plays.at(1).at(2).toStringList(), QStringList{QStringLiteral("<b>夏夜</b>")});
}

TEST_F(SingerProfileTest, WindowShowsTheProfileAsPlainTextAndKeepsItsHint) {
  FrmNet window(profile_);
  auto* box = window.findChild<QLineEdit*>(QStringLiteral("Text2"));
  auto* search = window.findChild<QToolButton*>(QStringLiteral("Image99"));
  EXPECT_EQ(box->text(), QStringLiteral("输入歌手名..."));
  search->click();  // the hint is never searched
  QTest::qWait(20);
  EXPECT_EQ(Searches(), 0);

  QFocusEvent in(QEvent::FocusIn), out(QEvent::FocusOut);
  QCoreApplication::sendEvent(box, &in);  // focus alone, as the window comes forward
  EXPECT_EQ(box->text(), QStringLiteral("输入歌手名..."));
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_TRUE(box->text().isEmpty());
  QCoreApplication::sendEvent(box, &out);
  EXPECT_EQ(box->text(), QStringLiteral("输入歌手名..."));

  box->setText(QStringLiteral("林澈"));
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_FALSE(window.findChild<QWidget*>(QStringLiteral("Frame3"))->isHidden());
  ASSERT_TRUE(WaitIdle());
  EXPECT_TRUE(window.findChild<QWidget*>(QStringLiteral("Frame3"))->isHidden());
  EXPECT_FALSE(window.findChild<QTimer*>(QStringLiteral("Timer1"))->isActive());
  EXPECT_EQ(window.songList()->count(), 2);
  for (QLabel* label : window.findChildren<QLabel*>())
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
  auto* link = window.findChild<QLabel*>(QStringLiteral("Label1"));
  EXPECT_EQ(link->toolTip(), QStringLiteral("访问林澈的说吧"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !window.showsStandbyPicture(); }, 5000));

  QSignalSpy forum(&window, &FrmNet::ForumWanted);
  QTest::mouseClick(link, Qt::LeftButton);
  ASSERT_EQ(forum.size(), 1);
  EXPECT_EQ(forum.at(0).at(0).toString(), QStringLiteral("林澈"));

  // 选中播放 plays the rows picked in the list, in list order.
  QSignalSpy plays(&profile_, &SingerProfile::PlayRequested);
  window.songList()->item(1)->setSelected(true);
  window.songList()->item(0)->setSelected(true);
  window.findChild<QToolButton*>(QStringLiteral("Image7"))->click();
  ASSERT_EQ(plays.size(), 1);
  EXPECT_EQ(plays.at(0).at(2).toStringList(),
            QStringList({QStringLiteral("月光码头"), QStringLiteral("<b>夏夜</b>")}));

  auto* mode = window.findChild<QToolButton*>(QStringLiteral("Image8"));
  EXPECT_EQ(mode->toolTip(), QStringLiteral("切换到模式2"));
  mode->click();
  EXPECT_EQ(mode->toolTip(), QStringLiteral("切换到模式1"));
}

TEST_F(SingerProfileTest, OversizedPictureLeavesTheStandbyPicture) {
  dir_.WriteFile(QStringLiteral("bin/PicTmp/林澈/77.png"), OversizedPng());
  FrmNet window(profile_);
  profile_.Search(QStringLiteral("林澈"));
  ASSERT_TRUE(WaitIdle());
  EXPECT_EQ(profile_.view().picturePath, picTmp() + QStringLiteral("林澈/77.png"));
  EXPECT_TRUE(window.showsStandbyPicture());
  EXPECT_EQ(window.shownPicture().size(), QSize(100, 100));
}

}  // namespace
