// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/picturescan.h"

#include <gtest/gtest.h>

namespace {

const QString kRoot = QStringLiteral("http://pics.test");

QString Bar(const QString& inner) {
  return QStringLiteral("在结果中按照主色调搜索 x <div class=pagebar>") + inner +
         QStringLiteral("</div> 相关搜索");
}

TEST(PictureScan, PageBarCountsTheHighestPageAndKeepsItsLinks) {
  const QString page = Bar(
      QStringLiteral("<a id=image_prev href=/pics?page=1 >上一页</a> <a href=/pics?page=1 >1</a>"
                     " <b>2</b> <a href=http://other.test/pics?page=3 >3</a>"
                     " <a href=/pics?page=3 >下一页</a>"));
  const auto bar = extras::ScanPageBar(extras::ResultPart(page), kRoot);
  EXPECT_TRUE(bar.found);
  EXPECT_EQ(bar.lastPage, 3);
  EXPECT_TRUE(bar.hasNext);
  EXPECT_EQ(bar.links, (QStringList{"http://pics.test/pics?page=1", "http://other.test/pics?page=3",
                                    "http://pics.test/pics?page=3"}));
}

TEST(PictureScan, PageBarOfTenPagesOrMoreAndItsAbsence) {
  QString ten = QStringLiteral("<span>上一页</span> <b>1</b>");
  for (int p = 2; p <= 10; ++p) ten += QStringLiteral(" <a href=/pics?page=%1 >%1</a>").arg(p);
  ten += QStringLiteral(" <a href=/pics?page=2 >下一页</a>");
  EXPECT_EQ(extras::ScanPageBar(Bar(ten), kRoot).lastPage, 10);
  const auto last =
      extras::ScanPageBar(Bar("<a href=/p?page=9 >上一页</a> <b>10</b> 下一页"), kRoot);
  EXPECT_TRUE(last.found);
  EXPECT_FALSE(last.hasNext);

  // Without the bar, or with a half bar, the search found nothing.
  EXPECT_FALSE(extras::ScanPageBar(QStringLiteral("上一页 <b>1</b> 下一页"), kRoot).found);
  EXPECT_FALSE(extras::ScanPageBar(Bar(QStringLiteral("<span>上一页</span> 1")), kRoot).found);
  EXPECT_FALSE(extras::ScanPageBar(QStringLiteral("pagebar 下一页 <b>2</b> 上一页"), kRoot).found);
}

TEST(PictureScan, PageNumbersThatOverflowStopAtTheCap) {
  for (const char* n : {"65536", "4294967296", "99999999999999999999999999"}) {
    const auto bar = extras::ScanPageBar(
        Bar(QStringLiteral("上一页 <b>1</b> <a href=/p >%1</a> 下一页").arg(QLatin1String(n))),
        kRoot);
    EXPECT_EQ(bar.lastPage, QByteArray(n).size() > 5 ? extras::kMaxPicturePages : 65536) << n;
  }
  // Link texts that are not numbers count for nothing.
  EXPECT_EQ(
      extras::ScanPageBar(Bar(QStringLiteral("上一页 <b>-5</b> <a href=/p >1e9</a> 下一页")), kRoot)
          .lastPage,
      1);
}

QString Items(int n, const QString& extra = QString()) {
  QString page = QStringLiteral(
      "<script>document.getElementById('content1').style.width='980px'</script><ul>");
  page += extra;
  for (int i = 1; i <= n; ++i)
    page += QStringLiteral(
                "<li><a href=/picset?id=%1 class=pic><img src=http://img.test/t/%1.jpg "
                "title=\"星 %1\"></a></li>")
                .arg(i);
  return page + QStringLiteral("</ul>");
}

TEST(PictureScan, ThumbnailsStopAtTwentyAndResolveRelativePages) {
  const auto items = extras::ScanThumbnails(Items(25), kRoot);
  ASSERT_EQ(items.size(), 20);
  EXPECT_EQ(items.at(0).pageUrl, "http://pics.test/picset?id=1");
  EXPECT_EQ(items.at(0).thumbUrl, "http://img.test/t/1.jpg");
  EXPECT_EQ(items.at(0).title, "星 1");
  EXPECT_EQ(items.at(19).pageUrl, "http://pics.test/picset?id=20");

  // Items before the content marker are not results.
  const QString before = QStringLiteral("<li><a href=/ad class=x><img src=http://ad.test/a.jpg>");
  EXPECT_EQ(extras::ScanThumbnails(before + Items(2), kRoot).size(), 2);
  EXPECT_TRUE(extras::ScanThumbnails(before, kRoot).isEmpty());
}

TEST(PictureScan, ThumbnailsFromLocalOrForeignSchemesAreDropped) {
  const QString hostile = QStringLiteral(
      "<li><a href=/s?id=a class=pic><img src=file:///etc/passwd title=a></a></li>"
      "<li><a href=javascript:alert(1) class=pic><img src=http://img.test/b.jpg title=b></li>"
      "<li><a href=/s?id=c class=pic><img src=//img.test/c.jpg title=c></li>");
  const auto items = extras::ScanThumbnails(Items(1, hostile), kRoot);
  ASSERT_EQ(items.size(), 2);  // the javascript: page resolves under the root: harmless
  EXPECT_EQ(items.at(0).thumbUrl, "http://img.test/b.jpg");
  EXPECT_EQ(items.at(1).thumbUrl, "http://img.test/t/1.jpg");
}

TEST(PictureScan, PictureSetsOfOneAndOfMany) {
  auto set = [](const QStringList& urls) {
    QString page =
        QStringLiteral("<a href=dl?url=http://x.test/before.jpg>保存此图</a>正在加载图片");
    for (const QString& u : urls) page += QStringLiteral("<a href=/dl?url=%1>保存此图</a>").arg(u);
    return page + QStringLiteral("相关搜索<a href=dl?url=http://x.test/after.jpg>保存此图</a>");
  };
  EXPECT_EQ(extras::ScanPictureSet(set({"http://x.test/1.jpg"})),
            QStringList{"http://x.test/1.jpg"});
  const QStringList many{"http://x.test/1.jpg", "https://x.test/2.gif", "http://x.test/3.bmp"};
  EXPECT_EQ(extras::ScanPictureSet(set(many)), many);
  // Local and foreign addresses are never downloaded; a repeated picture comes once.
  EXPECT_EQ(extras::ScanPictureSet(set({"file:///etc/shadow", "av://lavfi:x", "http://x.test/1.jpg",
                                        "http://x.test/1.jpg"})),
            QStringList{"http://x.test/1.jpg"});
  EXPECT_EQ(extras::SetCaption(1), "共1张");
  EXPECT_EQ(extras::SetCaption(4), "共4张(套图)");
}

TEST(PictureScan, RequestsCarryKindAndHost) {
  const extras::PicKind kind{4, 5};
  EXPECT_EQ(extras::FirstPageQuery("林澈", kind, "pics.test"),
            "query=林澈&mode=4&mood=0&dheight=768&dwidth=1024&di=5&_asf=pics.test&w=05009900");
  EXPECT_EQ(extras::WalkPageQuery("林澈", 19, {2, 8}, "pics.test"),
            "query=林澈&page=19&mood=0&dheight=768&dwidth=1024&mode=2&di=8&_asf=pics.test"
            "&w=05000000&dr=1");
  // A name cannot add or cut parameters.
  EXPECT_TRUE(extras::FirstPageQuery("A&B=C #1+%", kind, "h")
                  .startsWith("query=A%26B%3DC%20%231%2B%25&mode=4&"));
  EXPECT_EQ(extras::ThumbPageQuery("林澈", 3, {2, 9}, "pics.test"),
            "query=林澈&page=3&mood=0&mode=2&di=9&_asf=pics.test&w=05000000&dr=1");
}

}  // namespace
