// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/picsearch.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QSignalSpy>
#include <QTest>

#include "config/appconfig.h"
#include "config/menuform.h"
#include "demoserver.h"
#include "download/downloader.h"
#include "support/encodedimage.h"
#include "support/tempappdir.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {

QByteArray SmallJpeg() {
  return EncodedImage(16, 12, "JPG");
}

// A picture service with a given number of result pages per search word; its bar shows ten
// pages around the current one. Thumbnail names and set sizes come from the test.
class PicSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server.AddRoute("/pics", [this](const DemoRequest& r) {
      const QString words = r.Value("query");
      const int page = r.query.contains("page") ? r.Value("page").toInt() : 0;
      requests << QStringLiteral("%1:%2:%3:%4")
                      .arg(words, QString::number(page), r.Value("mode"), r.Value("di"));
      const int count = pages.value(words);
      QString html = "在结果中按照主色调搜索<p>";
      if (count > 0) {
        const int current = qMax(1, page);
        const int first = qMax(1, current - 4), last = qMin(count, first + 9);
        html += "<div class=pagebar><span>上一页</span>";
        for (int p = first; p <= last; ++p)
          html += p == current ? QStringLiteral(" <b>%1</b>").arg(p)
                               : QStringLiteral(" <a href=/pics?page=%1 >%1</a>").arg(p);
        html += current < count
                    ? QStringLiteral(" <a href=/pics?page=%1 >下一页</a></div>").arg(current + 1)
                    : QStringLiteral(" <span>下一页</span></div>");
        html += "document.getElementById('content1').style.width='980px'<ul>";
        for (int i = 0; i < thumbNames.size(); ++i)
          html += QStringLiteral("<li><a href=/set?n=%1 class=pic><img src=%2/t/%3 title=t%1>")
                      .arg(QString::number(i), server.baseUrl(), thumbNames.at(i));
        html += "</ul>";
      }
      return DemoResponse::Html(html + "相关搜索");
    });
    server.AddPrefixRoute("/t/", [](const DemoRequest&) {
      DemoResponse r;
      r.contentType = "image/jpeg";
      r.body = SmallJpeg();
      return r;
    });
    server.AddRoute("/set", [this](const DemoRequest& r) {
      QString html = "正在加载图片";
      for (int k = 0; k < setSize; ++k)
        html += QStringLiteral("<a href=dl?url=%1/t/s%2_%3.jpg>保存此图</a>")
                    .arg(server.baseUrl(), r.Value("n"), QString::number(k));
      return DemoResponse::Html(html + "相关搜索");
    });
    ASSERT_TRUE(server.Listen(0));
    hosts.SetHost(PicSearch::kServiceKey, server.baseUrl());
    PicSearch::AddKindMenus(menus);
  }

  bool Wait(const std::function<bool()>& done) { return QTest::qWaitFor(done, 10000); }

  QStringList WalkRequests() const {
    QStringList walked;
    for (const QString& r : requests) walked << r.section(':', 1, 1);
    return walked;
  }

  DemoServer server;
  TempAppDir dir;
  AppConfig config;
  PageFetcher fetcher{dir.paths(), config};
  Downloader pictures{fetcher.network()};
  ServiceHosts hosts;
  MenuForm menus;
  PicSearch search{fetcher, pictures, hosts, menus, dir.paths()};
  QSignalSpy titles{&search, &PicSearch::TitleChanged};
  QHash<QString, int> pages;
  QStringList thumbNames{"a.jpg", "b.jpg"};
  QStringList requests;
  int setSize = 3;
};

TEST_F(PicSearchTest, RefusesAnEmptyBoxAndTheHintAndEndsAtOnceWithoutAnAuthor) {
  EXPECT_FALSE(search.Image8_Click("   "));
  EXPECT_FALSE(search.Image8_Click("输入歌手名..."));
  EXPECT_TRUE(titles.isEmpty());
  search.author = [] { return QString(); };
  search.Image8_Click("无");
  ASSERT_TRUE(Wait([&] { return search.title() == "很抱歉,未发现此类写真!"; }));
  EXPECT_EQ(requests.size(), 1);
}

TEST_F(PicSearchTest, ABarOfTenPagesOrMoreIsWalkedOnToTheLastPage) {
  pages["多页"] = 40;
  ASSERT_TRUE(search.Image8_Click(" 多页 "));
  EXPECT_EQ(titles.value(0).value(0).toString(), "多页-写真集(请稍候...)");
  ASSERT_TRUE(Wait([&] { return search.title() == "多页-写真集(共40页)"; }))
      << qPrintable(search.title());
  ASSERT_TRUE(Wait([&] { return requests.size() == 7; }));
  // First page, the walk 10, 19, 28, 37, 46 (past the end: its bar ends at 40), then page 1.
  EXPECT_EQ(WalkRequests(), (QStringList{"0", "10", "19", "28", "37", "46", "1"}));
  EXPECT_EQ(search.pageCount(), 40);
  EXPECT_EQ(search.currentPage(), 1);
}

TEST_F(PicSearchTest, AShortBarNeedsNoWalkAndPagesStepWithinIt) {
  pages["少"] = 4;
  QSignalSpy pagesShown(&search, &PicSearch::PagesChanged);
  search.Image8_Click("少");
  ASSERT_TRUE(Wait([&] { return !search.slotPage(0).isEmpty(); }));
  EXPECT_EQ(search.title(), "少-写真集(共4页)");
  search.Image2_Click();  // already on the first page
  search.Image3_Click();
  ASSERT_TRUE(Wait([&] { return requests.size() == 3; }));
  EXPECT_EQ(WalkRequests(), (QStringList{"0", "1", "2"}));
  EXPECT_EQ(pagesShown.last(), (QVariantList{2, 4}));
}

TEST_F(PicSearchTest, NothingFoundRetriesOnceWithTheAuthor) {
  int asked = 0;
  search.author = [&] { return ++asked, QStringLiteral(" 别名 "); };
  QSignalSpy box(&search, &PicSearch::SearchBoxChanged);
  search.Image8_Click("无");
  ASSERT_TRUE(Wait([&] { return search.title() == "很抱歉,未发现此类写真!"; }))
      << qPrintable(search.title());
  EXPECT_EQ(WalkRequests(), (QStringList{"0", "0"}));
  EXPECT_EQ(requests.at(1).section(':', 0, 0), "别名");
  ASSERT_EQ(box.size(), 1);
  EXPECT_EQ(box.at(0).at(0).toString(), "别名");

  // The next search may retry again; a retry that finds pictures counts its pages.
  requests.clear();
  pages["别名"] = 2;
  search.Image8_Click("无");
  ASSERT_TRUE(Wait([&] { return search.title() == "别名-写真集(共2页)"; }))
      << qPrintable(search.title());
  EXPECT_EQ(asked, 2);
}

TEST_F(PicSearchTest, TheCheckedKindGoesIntoEveryRequest) {
  pages["k"] = 1;
  search.PicFormat_Click(3);  // 套图
  EXPECT_FALSE(menus.IsChecked("BiZhi", 2));
  search.Image8_Click("k");
  ASSERT_TRUE(Wait([&] { return requests.size() == 2; }));
  EXPECT_EQ(requests, (QStringList{"k:0:2:8", "k:1:2:8"}));
  requests.clear();
  search.BiZhi_Click(0);
  EXPECT_EQ(menus.FirstChecked("PicFormat"), -1);
  search.Image8_Click("k");
  ASSERT_TRUE(Wait([&] { return requests.size() == 2; }));
  EXPECT_EQ(requests.at(0), "k:0:4:5");
}

TEST_F(PicSearchTest, HostileThumbnailNamesStayInsideTheCacheAndRunNothing) {
  pages["坏"] = 1;
  // A raw blank ends the address ("$(touch"); a backtick is no valid address and is skipped.
  thumbNames = QStringList{"$(touch x).jpg", "$(touch%20y).jpg", "evil.desktop",
                           "..%2F..%2Fescape.jpg", "`id`;.jpg"};
  const QString oldCwd = QDir::currentPath();
  QDir::setCurrent(dir.root());
  QSignalSpy ready(&search, &PicSearch::ThumbnailReady);
  search.Image8_Click("坏");
  EXPECT_TRUE(Wait([&] { return ready.size() == 4; }));
  QDir::setCurrent(oldCwd);

  const QString cache = QDir(dir.Path("bin/PicTmp")).canonicalPath() + '/';
  QStringList files;
  QDirIterator it(dir.root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo f(it.next());
    if (f.path().startsWith(dir.root() + "scratch")) continue;  // the fetcher's pages
    files << f.fileName();
    EXPECT_TRUE(f.canonicalFilePath().startsWith(cache)) << qPrintable(f.filePath());
    EXPECT_FALSE(f.isExecutable()) << qPrintable(f.filePath());
  }
  EXPECT_FALSE(files.contains("x") || files.contains("y"));
  EXPECT_TRUE(files.contains("$(touch%20y).jpg"));
  for (const QVariantList& r : ready)
    EXPECT_TRUE(r.at(1).toString().startsWith(search.thumbFolder()))
        << qPrintable(r.at(1).toString());
}

TEST_F(PicSearchTest, ASlotOpensItsSetOfOneOrMany) {
  pages["套"] = 1;
  QSignalSpy viewer(&search, &PicSearch::ViewerWanted);
  search.Image8_Click("套");
  ASSERT_TRUE(Wait([&] { return !search.slotPage(1).isEmpty(); }));
  EXPECT_EQ(search.slotPage(1), server.baseUrl() + "/set?n=1");
  EXPECT_TRUE(search.slotPage(2).isEmpty());

  search.Image1_Click(1);
  ASSERT_TRUE(Wait([&] { return viewer.size() == 1; }));
  EXPECT_EQ(viewer.at(0).at(1).toString(), "共3张(套图)");
  const QString folder = viewer.at(0).at(0).toString();
  EXPECT_EQ(folder, search.starShowFolder());
  EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 3);

  // A set of one replaces the pictures of the last set.
  setSize = 1;
  search.Image1_Click(0);
  ASSERT_TRUE(Wait([&] { return viewer.size() == 2; }));
  EXPECT_EQ(viewer.at(1).at(1).toString(), "共1张");
  EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"s0_0.jpg"});
}

}  // namespace
