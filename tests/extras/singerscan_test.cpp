// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The singer page scanners on pages written from the markers the music service uses.
#include "extras/singerscan.h"

#include <gtest/gtest.h>

namespace {

const QString kHost = QStringLiteral("http://music.test:81");

const QString kSingerPage = QStringLiteral(
    "<div id=\"nav\"><dt>导航</dt></div>"
    "<div class=\"starIntro\"><img src=\"http://pic.test/p/a/77.jpg\" onerror=\"x()\">"
    "<dl><dt> 林澈 </dt><dd>英文名：Lin Che</dd><dd>所属地区：港台</dd>"
    "<dd>专辑数：4</dd><dd>单曲数：37</dd></dl></div>"
    "<h3>歌手资料</h3><div>intro</div><ul><li>第一段</li><li>第二段>>阅读全部</li></ul>"
    "<table class=\"hotsongTable\"><tr><td title=\"月光码头\"><input type=checkbox></td></tr>"
    "<tr><td title=\"夏夜 的海\"><input type=checkbox></td></tr></table>");

TEST(SingerScan, SearchLinkIsMadeAbsoluteOnTheServiceHost) {
  const QString page = QStringLiteral(
      "<p>x</p><strong><a href=\"/singer/7.html\" target=\"_blank\"><font>林</font></a>");
  EXPECT_EQ(extras::ScanSingerLink(page, kHost), kHost + QStringLiteral("/singer/7.html"));
  // A link without its leading slash, or one naming another host, still stays on the service.
  EXPECT_EQ(extras::ScanSingerLink(
                QStringLiteral("<strong><a href=\"s?id=3\" target=\"_blank\"><font"), kHost),
            kHost + QStringLiteral("/s?id=3"));
  EXPECT_TRUE(
      extras::ScanSingerLink(
          QStringLiteral("<strong><a href=\"http://evil/x\" target=\"_blank\"><font"), kHost)
          .startsWith(kHost + u'/'));
}

TEST(SingerScan, ANameCannotAddOrCutQueryParameters) {
  EXPECT_EQ(extras::SingerSearchAddress(kHost, QStringLiteral("A&B #1=%")),
            kHost + QStringLiteral("/music.so?as=t&st=heat&query=A%26B%20%231%3D%25"));
}

TEST(SingerScan, SearchLinkNeedsBothMarkers) {
  for (const QString page :
       {QStringLiteral("<strong><a href=\"/singer/7.html\" target=\"_self\"><font"),
        QStringLiteral("<a href=\"/singer/7.html\" target=\"_blank\"><font"),
        QStringLiteral("<strong><a href=\"\" target=\"_blank\"><font"), QString()})
    EXPECT_EQ(extras::ScanSingerLink(page, kHost), QString()) << page.toStdString();
}

TEST(SingerScan, FactsFollowThePictureInOrder) {
  const extras::SingerFacts f = extras::ScanSingerFacts(kSingerPage);
  EXPECT_EQ(f.picture, QStringLiteral("http://pic.test/p/a/77.jpg"));
  // The navigation's <dt> comes before the picture: the name is the one after it.
  EXPECT_EQ(f.name, QStringLiteral("林澈"));
  EXPECT_EQ(f.englishName, QStringLiteral("Lin Che"));
  EXPECT_EQ(f.region, QStringLiteral("港台"));
  EXPECT_EQ(f.albums, QStringLiteral("4"));
  EXPECT_EQ(f.singles, QStringLiteral("37"));
}

TEST(SingerScan, FactsWithoutQuotesOrClosingDdAndOutOfOrder) {
  // An unquoted picture address; a fact closed by </dt>; a fact placed before the one that
  // precedes it in the scan order is not found.
  const QString page = QStringLiteral(
      "starIntro<img src=http://p/1.png onerror=y><dt>A</dt><dd>单曲数：9</dd>"
      "<dd>英文名：E</dt><dd>所属地区：R</dd><dd>专辑数：2</dd>");
  const extras::SingerFacts f = extras::ScanSingerFacts(page);
  EXPECT_EQ(f.picture, QStringLiteral("http://p/1.png"));
  EXPECT_EQ(f.englishName, QStringLiteral("E"));
  EXPECT_EQ(f.region, QStringLiteral("R"));
  EXPECT_EQ(f.albums, QStringLiteral("2"));
  EXPECT_EQ(f.singles, QString());
  // No starIntro: no picture, the facts are still read.
  const extras::SingerFacts bare =
      extras::ScanSingerFacts(QStringLiteral("<img src=\"a.jpg\" onerror=z><dt>B</dt>"));
  EXPECT_EQ(bare.picture, QString());
  EXPECT_EQ(bare.name, QStringLiteral("B"));
}

TEST(SingerScan, IntroTurnsListItemsIntoLines) {
  EXPECT_EQ(extras::ScanSingerIntro(kSingerPage), QStringLiteral("第一段\n第二段\n"));
  EXPECT_EQ(extras::ScanSingerIntro(QStringLiteral("<ul><li>a</li></ul>")), std::nullopt);
  EXPECT_EQ(extras::ScanSingerIntro(QStringLiteral("歌手资料<li>a</li>")), QString());
}

TEST(SingerScan, HotSongsUntilAMarkerIsMissing) {
  EXPECT_EQ(extras::ScanSingerSongs(kSingerPage),
            QStringList({QStringLiteral("月光码头"), QStringLiteral("夏夜 的海")}));
  // Titles before the table are not its songs; a title without "><input" ends the list.
  const QString page = QStringLiteral(
      "<td title=\"before\"><input>hotsongTable<td title=\"x\"><input><td title=\"y\">");
  EXPECT_EQ(extras::ScanSingerSongs(page), QStringList{QStringLiteral("x")});
  EXPECT_EQ(extras::ScanSingerSongs(QStringLiteral("hotsongTable</table>")), QStringList());
  EXPECT_EQ(extras::ScanSingerSongs(QStringLiteral("<td title=\"x\"><input>")), std::nullopt);
}

}  // namespace
