// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The album tables and the album page scanners, on pages written from the markers.
#include "extras/albumscan.h"

#include <gtest/gtest.h>

#include "extras/albumcatalog.h"

namespace {

using namespace extras;
const QString kHost = QStringLiteral("http://music.test:81");

QString ListCell(int i, const QString& link) {
  return QStringLiteral(
             "<td width=\"33%\"><div><a href=\"%1\"><img alt=\"x\" "
             "src=\"http://pic.test/c/%2.jpg\"/></a></div><dl><dt><a href=\"%1\">专辑%2</a></dt>"
             "<dd><strong>歌手：</strong><a href=\"/s\">歌手%2</a></dd>"
             "<dd><strong>时间：</strong>2007-03-%2</dd>"
             "<dd><strong>主打歌：</strong><a href=\"/m\">主打%2</a></dd></dl></td>")
      .arg(link)
      .arg(i);
}

QString ListPage(int albums) {
  QString page = QStringLiteral("<html><td width=\"33%\">bait</td><table class=\"newsplist\"><tr>");
  for (int i = 1; i <= albums; ++i) page += ListCell(i, QStringLiteral("/album/%1.html").arg(i));
  return page + QStringLiteral("</tr></table></html>");
}

TEST(AlbumTables, ListAddressForEveryGroupLeavesTheStyleOutOfGroupZero) {
  const struct {
    int group, page, style;
    const char* path;
  } cases[] = {
      {0, 1, 0, "/sogou_phb/html/album/moviealbum_1.html"},
      {0, 12, 7, "/sogou_phb/html/album/moviealbum_12.html"},
      {1, 1, 0, "/sogou_phb/html/album/newalbum_zhlx1.html"},
      {1, 3, 5, "/sogou_phb/html/album/newalbum_zhyhdm3.html"},
      {2, 19, 1, "/sogou_phb/html/album/newalbum_enRBHipHop19.html"},
      {2, 2, 5, "/sogou_phb/html/album/newalbum_enyhyl2.html"},
      {3, 4, 9, "/sogou_phb/html/album/newalbum_jkldyl4.html"},
      {3, 1, 8, "/sogou_phb/html/album/newalbum_jkqyl1.html"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AlbumListPath(c.group, c.page, c.style), QString::fromUtf8(c.path))
        << c.group << "/" << c.page << "/" << c.style;
  EXPECT_TRUE(AlbumListPath(4, 1, 0).isEmpty());
  EXPECT_TRUE(AlbumListPath(1, 0, 0).isEmpty());
  EXPECT_TRUE(AlbumListPath(1, 1, 10).isEmpty());
}

TEST(AlbumScan, ListReadsEveryFieldAndStopsAtThirty) {
  const QList<AlbumItem> two = ScanAlbumList(ListPage(2), kHost);
  ASSERT_EQ(two.size(), 2);
  EXPECT_EQ(two[1].link, QStringLiteral("http://music.test:81/album/2.html"));
  EXPECT_EQ(two[1].cover, QStringLiteral("http://pic.test/c/2.jpg"));
  EXPECT_EQ(two[1].title, QStringLiteral("专辑2"));
  EXPECT_EQ(two[1].singer, QStringLiteral("歌手2"));
  EXPECT_EQ(two[1].date, QStringLiteral("2007-03-2"));
  EXPECT_EQ(two[1].hitSong, QStringLiteral("主打2"));

  const QList<AlbumItem> many = ScanAlbumList(ListPage(45), kHost);
  ASSERT_EQ(many.size(), 30);
  EXPECT_EQ(many.last().title, QStringLiteral("专辑30"));
  EXPECT_TRUE(ScanAlbumList(ListCell(1, QStringLiteral("/a")), kHost).isEmpty())
      << "no list table, no albums";
}

TEST(AlbumScan, MissingMarkerEndsTheListAndForeignLinksAreDropped) {
  QString page = ListPage(3);
  // The third album has no hit song: the list ends with the two before it.
  page.replace(QStringLiteral("<dd><strong>主打歌：</strong><a href=\"/m\">主打3</a>"),
               QStringLiteral("<dd>"));
  EXPECT_EQ(ScanAlbumList(page, kHost).size(), 2);

  QString hostile = QStringLiteral("<table class=\"newsplist\">") +
                    ListCell(1, QStringLiteral("file:///etc/passwd")) +
                    ListCell(2, QStringLiteral("javascript:alert(1)")) +
                    ListCell(3, QStringLiteral("https://other.test/a.html"));
  const QList<AlbumItem> albums = ScanAlbumList(hostile, kHost);
  ASSERT_EQ(albums.size(), 3);
  EXPECT_TRUE(albums[0].link.isEmpty());
  EXPECT_TRUE(albums[1].link.isEmpty());
  EXPECT_EQ(albums[2].link, QStringLiteral("https://other.test/a.html"));
}

TEST(AlbumScan, AlbumPageFactsIntroAndTracks) {
  const QString page = QStringLiteral(
      "<img src=\"http://pic.test/bait.jpg\"><div id=\"main\"><div class=\"pic\"><img "
      "src=\"/covers/a%201.jpg\" width=\"150\"></div><table><caption>晴天专辑</caption>"
      "<tr><td>歌手：<a href=\"/singer/1\">周一</a></td><td>曲风：流行</td></tr>"
      "<tr><td>公司：某某唱片</td><td>时间：2006-09-05</td></tr>"
      "<tr><td>语种：国语</td><td>地区：港台</td></tr></table>"
      "<div class=\"intro\"><p class=\"spIntroText\">第一段&nbsp;文字<br>第二段</p></div>"
      "<table><tr><td class=\"musicName\"><a href=\"/m1\">第一首</a></td></tr>"
      "<tr><td class=\"musicName\"><a href=\"/m2\" title=\"t\">第二首</a></td></tr></table>");
  const AlbumPage p = ScanAlbumPage(page, kHost);
  EXPECT_EQ(p.cover, QStringLiteral("http://music.test:81/covers/a%201.jpg"));
  EXPECT_EQ(p.title, QStringLiteral("晴天专辑"));
  EXPECT_EQ(p.singer, QStringLiteral("周一"));
  EXPECT_EQ(p.style, QStringLiteral("流行"));
  EXPECT_EQ(p.company, QStringLiteral("某某唱片"));
  EXPECT_EQ(p.date, QStringLiteral("2006-09-05"));
  EXPECT_EQ(p.language, QStringLiteral("国语"));
  EXPECT_EQ(p.region, QStringLiteral("港台"));
  EXPECT_EQ(p.intro, QStringLiteral("第一段 文字\r\n第二段"));
  EXPECT_EQ(p.tracks, QStringList({QStringLiteral("第一首"), QStringLiteral("第二首")}));
}

TEST(AlbumScan, CleanIntroTextKeepsSpacesAndOrder) {
  EXPECT_EQ(CleanIntroText(QStringLiteral(" <p>a&nbsp;&nbsp;b</p><br><br>c ")),
            QStringLiteral(" a  b\r\n\r\nc "));
  // "<br>" is turned into a line end only after the paragraphs went: "<<br>p>" stays text.
  EXPECT_EQ(CleanIntroText(QStringLiteral("<<p>br>")), QStringLiteral("\r\n"));
}

TEST(AlbumScan, SingerAlbums) {
  QString page = QStringLiteral("<ul><li>歌手资料</li></ul><h3>全部专辑<em>(共3张)</em></h3><ul>");
  for (int i = 1; i <= 3; ++i)
    page += QStringLiteral(
                "<li><a href=\"/album/%1.html\" title=\"专辑%1\"><img "
                "src=\"http://pic.test/%1.jpg\"/></a></li>")
                .arg(i);
  const SingerAlbums found = ScanSingerAlbums(page + QStringLiteral("</ul>"), kHost);
  EXPECT_EQ(found.count, 3);
  ASSERT_EQ(found.albums.size(), 3) << "the items before the count are not albums";
  EXPECT_EQ(found.albums[2].link, QStringLiteral("http://music.test:81/album/3.html"));
  EXPECT_EQ(found.albums[2].title, QStringLiteral("专辑3"));
  EXPECT_EQ(found.albums[2].cover, QStringLiteral("http://pic.test/3.jpg"));
  EXPECT_EQ(ScanSingerAlbums(QStringLiteral("<li><a href=\"/a\" title=\"x\"><img src=\"y\"/></li>"),
                             kHost)
                .albums.size(),
            0);
}

}  // namespace
