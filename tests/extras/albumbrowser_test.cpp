// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The album browser against a loopback server: menus and addresses, covers that arrive late,
// too large or under hostile names, failures, and playing an album's tracks.
#include "extras/albumbrowser.h"

#include <gtest/gtest.h>

#include <QDirIterator>
#include <QElapsedTimer>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "common/gbk.h"
#include "config/appconfig.h"
#include "config/menuform.h"
#include "download/downloader.h"
#include "playlist/songgridmodel.h"
#include "support/encodedimage.h"
#include "support/loopbackhttpserver.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {

QByteArray ListPage(const QStringList& covers, const QString& albumLink = "/album/1.html") {
  QString page = QStringLiteral("<table class=\"newsplist\">");
  int i = 0;
  for (const QString& cover : covers) {
    ++i;
    page += QStringLiteral(
                "<td width=\"33%\"><a href=\"%1\"><img src=\"%2\"/></a><dt><a href=\"#\">专辑%3"
                "</a></dt><dd><strong>歌手：</strong><a>歌手</a></dd><dd><strong>时间：</strong>"
                "2008</dd><dd><strong>主打歌：</strong><a>歌%3</a></dd></td>")
                .arg(albumLink, cover)
                .arg(i);
  }
  return common::EncodeGbk(page + QStringLiteral("</table>"));
}

const QByteArray kAlbumPage =
    common::EncodeGbk(QStringLiteral("<div id=\"main\"><img src=\"/pic/page.png\"><caption>我的专辑"
                                     "</caption><td>歌手：<a href=\"#\">某歌手</a></td>"
                                     "<td class=\"musicName\"><a href=\"#\">一</a></td>"
                                     "<td class=\"musicName\"><a href=\"#\">二</a></td>"
                                     "<td class=\"musicName\"><a href=\"#\">三</a></td></div>"));

class AlbumBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    hosts_.SetHost(ServiceHosts::kSogouSearch, server_.Url(QString()));
    pictures_.SetMaxBytes(web::kPictureMaxBytes);
    fetcher_.SetRandomSource([] { return 0.5; });
    config_.forceUpdate = false;
    browser_.CreateMenus();
  }
  // Serves one list page at the address group 1, style 0, page 1 asks for.
  void ServeList(const QByteArray& body) {
    server_.SetPage("/sogou_phb/html/album/newalbum_zhlx1.html", body);
  }
  bool Loaded(QSignalSpy& spy, int count = 1) {
    return QTest::qWaitFor([&] { return spy.count() >= count; }, 10000);
  }
  QString AlbumDir() const { return dir_.Path("bin/PicTmp/Album/"); }

  LoopbackHttpServer server_;
  TempAppDir dir_;
  AppConfig config_;
  ServiceHosts hosts_;
  MenuForm menus_;
  SongGridModel results_{SongGridModel::Kind::Songs};
  ScriptedPrompter prompter_;
  PageFetcher fetcher_{dir_.paths(), config_};
  Downloader pictures_{fetcher_.network()};
  AlbumBrowser browser_{fetcher_, pictures_, hosts_, dir_.paths(), menus_, results_, prompter_};
};

TEST_F(AlbumBrowserTest, MenusFollowGroupAndStyleAndAskForTheirAddress) {
  EXPECT_EQ(menus_.Count("Zpage"), 19);
  EXPECT_EQ(menus_.Item("Zpage", 0)->text(), QStringLiteral("第 01 页"));
  QStringList asked;
  QObject::connect(
      &fetcher_, &PageFetcher::RequestSent, &fetcher_,
      [&](int, const QString& address) { asked << address.mid(server_.Url("").size()); });

  menus_.Item("mnuIcos", 2)->trigger();
  EXPECT_EQ(menus_.Item("Ztype", 5)->text(), QStringLiteral("游戏音乐"));
  EXPECT_EQ(menus_.Item("Ztype", 9)->text(), QStringLiteral("拉丁音乐"));
  menus_.Item("Ztype", 5)->trigger();
  EXPECT_EQ(menus_.Count("Zpage"), 3);
  menus_.Item("Zpage", 2)->trigger();
  EXPECT_TRUE(menus_.IsChecked("Zpage", 2));
  menus_.Item("mnuIcos", 1)->trigger();  // 游戏动漫 offers no pages for Chinese albums
  EXPECT_EQ(menus_.Item("Ztype", 5)->text(), QStringLiteral("游戏动漫"));
  EXPECT_EQ(menus_.Count("Zpage"), 0);
  menus_.Item("mnuIcos", 0)->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&] { return asked.size() == 5; }, 5000))
      << asked.join(' ').toStdString();
  EXPECT_EQ(asked, QStringList({"/sogou_phb/html/album/newalbum_enlx1.html",
                                "/sogou_phb/html/album/newalbum_enyhyl1.html",
                                "/sogou_phb/html/album/newalbum_enyhyl3.html",
                                "/sogou_phb/html/album/newalbum_zhyhdm1.html",
                                "/sogou_phb/html/album/moviealbum_1.html"}));
}

TEST_F(AlbumBrowserTest, CoversFillTheirSlotsAndCachedCoversAreNotFetchedAgain) {
  server_.SetPage("/pic/a.png", EncodedImage());
  server_.SetPage("/pic/b.png", EncodedImage());
  ServeList(ListPage({server_.Url("/pic/a.png"), server_.Url("/pic/missing.png"),
                      server_.Url("/pic/b.png"), server_.Url("/pic/a.png")}));
  QSignalSpy covers(&browser_, &AlbumBrowser::CoverReady);
  QSignalSpy shown(&browser_, &AlbumBrowser::AlbumsShown);
  browser_.ShowFirstList();
  ASSERT_TRUE(Loaded(shown));
  ASSERT_TRUE(Loaded(covers, 3));
  QTest::qWait(100);
  QList<int> filled;
  for (const auto& c : covers) filled << c.at(0).toInt();
  std::sort(filled.begin(), filled.end());
  EXPECT_EQ(filled, QList<int>({0, 2, 3})) << "the missing cover leaves slot 1 empty";
  EXPECT_EQ(browser_.coverPath(3), AlbumDir() + "a.png");
  EXPECT_EQ(server_.RequestsFor("/pic/a.png"), 1) << "one download for two slots";

  covers.clear();
  browser_.LoadAlbumList(1, 1, 0);
  ASSERT_TRUE(Loaded(shown, 2));
  EXPECT_EQ(covers.count(), 3) << "cached covers show at once";
  QTest::qWait(100);
  EXPECT_EQ(server_.RequestsFor("/pic/a.png"), 1);
  EXPECT_EQ(server_.RequestsFor("/pic/b.png"), 1);
}

TEST_F(AlbumBrowserTest, SlowCoverKeepsTheEventLoopResponsive) {
  LoopbackHttpServer::Route slow;
  slow.body = EncodedImage();
  slow.delayMs = 2500;
  server_.Set("/pic/slow.png", slow);
  server_.SetPage("/pic/fast.png", EncodedImage());
  ServeList(ListPage({server_.Url("/pic/slow.png"), server_.Url("/pic/fast.png")}));
  QSignalSpy covers(&browser_, &AlbumBrowser::CoverReady);
  QSignalSpy shown(&browser_, &AlbumBrowser::AlbumsShown);

  QElapsedTimer clock;
  qint64 last = 0, longest = 0;
  QTimer tick;
  tick.setInterval(1);
  QObject::connect(&tick, &QTimer::timeout, &tick, [&] {
    const qint64 now = clock.elapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  clock.start();
  tick.start();
  browser_.ShowFirstList();
  ASSERT_TRUE(Loaded(shown));
  const qint64 listedAt = clock.elapsed();
  ASSERT_TRUE(Loaded(covers, 1));
  EXPECT_EQ(covers.at(0).at(0).toInt(), 1) << "the fast cover does not wait for the slow one";
  ASSERT_TRUE(Loaded(covers, 2));
  EXPECT_GE(clock.elapsed() - listedAt, 2000) << "the slow cover really was slow";
  // Fetching the slow cover synchronously would have held the loop for its 2.5 s.
  EXPECT_LT(longest, 1000) << "longest stall " << longest << " ms";
  RecordProperty("longest_stall_ms", static_cast<int>(longest));
  std::printf("longest event-loop stall: %lld ms\n", static_cast<long long>(longest));
}

TEST_F(AlbumBrowserTest, HostileCoverNamesStayInTheAlbumFolder) {
  const QStringList covers = {server_.Url("/pic/..%2F..%2F..%2Fevil.png"),
                              server_.Url("/pic/%2e%2e"), server_.Url("/pic/x/..%5C..%5Cwin.png"),
                              QStringLiteral("file:///etc/passwd"),
                              server_.Url("/pic/%2Fetc%2Fcron.png?a=/../b")};
  ServeList(ListPage(covers));
  QSignalSpy shown(&browser_, &AlbumBrowser::AlbumsShown);
  browser_.ShowFirstList();
  ASSERT_TRUE(Loaded(shown));
  ASSERT_TRUE(QTest::qWaitFor([&] { return pictures_.pendingCount() == 0; }, 5000));
  for (int slot = 0; slot < covers.size(); ++slot) {
    const QString path = browser_.coverPath(slot);
    if (path.isEmpty()) continue;
    EXPECT_TRUE(path.startsWith(AlbumDir())) << path.toStdString();
    EXPECT_FALSE(path.mid(AlbumDir().size()).contains(u'/')) << path.toStdString();
  }
  EXPECT_TRUE(browser_.coverPath(3).isEmpty()) << "file: is never fetched";
  QDirIterator files(dir_.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (files.hasNext()) {
    const QString file = files.next();
    EXPECT_TRUE(file.startsWith(AlbumDir()) || file.startsWith(dir_.Path("scratch/")))
        << file.toStdString();
  }
}

TEST_F(AlbumBrowserTest, OverCapCoverFailsAndWritesNothing) {
  LoopbackHttpServer::Route huge;
  huge.kind = LoopbackHttpServer::Kind::Huge;
  huge.size = web::kPictureMaxBytes + 1;
  server_.Set("/pic/huge.png", huge);
  QSignalSpy done(&pictures_, &Downloader::DownloadComplete);
  pictures_.BeginDownload(server_.Url("/pic/huge.png"), AlbumDir() + "huge.png");
  ASSERT_TRUE(done.wait(10000));
  EXPECT_FALSE(done.at(0).at(2).toBool());
  EXPECT_FALSE(QFileInfo::exists(AlbumDir() + "huge.png"));
  EXPECT_TRUE(QDir(AlbumDir()).entryList(QDir::Files | QDir::Hidden).isEmpty());

  // Through the browser the slot stays empty.
  ServeList(ListPage({server_.Url("/pic/huge.png")}));
  QSignalSpy covers(&browser_, &AlbumBrowser::CoverReady);
  browser_.ShowFirstList();
  ASSERT_TRUE(done.wait(10000));
  QTest::qWait(50);
  EXPECT_EQ(covers.count(), 0);
}

TEST_F(AlbumBrowserTest, FailedListKeepsTheShownAlbums) {
  ServeList(ListPage({server_.Url("/pic/none.png"), server_.Url("/pic/none2.png")}));
  QSignalSpy shown(&browser_, &AlbumBrowser::AlbumsShown);
  QSignalSpy failed(&browser_, &AlbumBrowser::Failed);
  browser_.ShowFirstList();
  ASSERT_TRUE(Loaded(shown));
  browser_.LoadAlbumList(2, 1, 0);  // not served: 404
  ASSERT_TRUE(Loaded(failed));
  EXPECT_EQ(failed.at(0).at(0).toString(),
            QStringLiteral("信息获取失败,您可能遇到网络故障,请稍候再试."));
  EXPECT_EQ(browser_.albums().size(), 2);
  EXPECT_FALSE(browser_.busy());
}

TEST_F(AlbumBrowserTest, PlaySelectedAsksOrFillsTheResultGrid) {
  browser_.PlaySelected({0});
  ServeList(ListPage({server_.Url("/pic/none.png")}));
  server_.SetPage("/album/1.html", kAlbumPage);
  server_.SetPage("/pic/page.png", EncodedImage());
  QSignalSpy shown(&browser_, &AlbumBrowser::AlbumsShown);
  QSignalSpy page(&browser_, &AlbumBrowser::AlbumPageShown);
  QSignalSpy cover(&browser_, &AlbumBrowser::CoverReady);
  browser_.ShowFirstList();
  ASSERT_TRUE(Loaded(shown));
  browser_.LoadAlbumPage(0);
  ASSERT_TRUE(Loaded(page));
  ASSERT_TRUE(Loaded(cover));
  EXPECT_EQ(cover.last().at(0).toInt(), AlbumBrowser::kPageCoverSlot);
  browser_.PlaySelected({});
  EXPECT_EQ(prompter_.messages(),
            QStringList({QStringLiteral("歌曲列表为空!"), QStringLiteral("未选取任何歌曲!")}));
  EXPECT_EQ(prompter_.asked().at(1).message.title, QStringLiteral("Error"));

  QSignalSpy play(&browser_, &AlbumBrowser::PlayRowWanted);
  browser_.PlaySelected({2, 0});
  ASSERT_EQ(play.count(), 1);
  EXPECT_EQ(play.at(0).at(0).toInt(), 1);
  EXPECT_EQ(results_.title(1), QStringLiteral("一"));
  EXPECT_EQ(results_.title(2), QStringLiteral("三"));
  EXPECT_TRUE(results_.title(3).isEmpty());
  EXPECT_EQ(results_.cell(1, 2), QStringLiteral("某歌手"));
  EXPECT_EQ(browser_.listTitle(), QStringLiteral("某歌手的专辑[我的专辑]-----选中播放"));
}

}  // namespace
