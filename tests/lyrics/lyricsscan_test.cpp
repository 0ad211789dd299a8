// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lyricsscan.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>

#include "lyrics/lrchitmodel.h"

namespace {
using lyrics::LyricsHit;

// One first-site entry as the site writes it; an empty link leaves the TXT link out.
QString SiteEntry(const QString& title, const QString& singer, const QString& link) {
  QString e = QStringLiteral("<li>1.歌曲：<a href=/s/1.htm target=_blank><B>") + title +
              QStringLiteral("</B></a> 歌手：<a href=/singer.htm>") + singer +
              QStringLiteral("</a> 下载：<a href=#>LRC格式</a> <a>>TXT格式<</a>");
  if (!link.isEmpty())
    e += QStringLiteral("<a href=\"") + link + QStringLiteral("\" target=_blank>");
  return e + QStringLiteral("下载</a> 音乐播放LRC同步显示</li>");
}

QString BaiduEntry(const QString& title, const QString& singer, const QString& link) {
  return QStringLiteral("<div class=\"bd\"><strong>歌曲：</strong>") + title +
         QStringLiteral("</div><div><strong>歌手：</strong><A href=\"/s\">") + singer +
         QStringLiteral("</a></div><div style=\"word-break:break-all\"><a href=\"") + link +
         QStringLiteral("\" target=\"_blank\">") + link +
         QStringLiteral("</a></div>LRC歌词来自：x");
}

TEST(LyricsScan, StripLyricTagsRemovesInItsOwnOrder) {
  EXPECT_EQ(lyrics::StripLyricTags(QStringLiteral(
                "<B>海</B><font color=\"#c60a00\">风</font>&amp;<span class=\"red\">x</span>"
                "<strong>y</strong>")),
            QStringLiteral("海风xy"));
  // "</B>" goes before "<B>": removing the inner "<B>" uncovers a "</B>" that then stays.
  EXPECT_EQ(lyrics::StripLyricTags(QStringLiteral("</<B>B>")), QStringLiteral("</B>"));
  EXPECT_EQ(lyrics::StripLyricTags(QStringLiteral("<b>kept</b>")), QStringLiteral("<b>kept</b>"));
}

TEST(LyricsScan, ResultCountGivesThePagesToRead) {
  const struct {
    const char* count;
    int parsed;
    int pages;
  } cases[] = {{"7", 7, 1}, {"25", 25, 2}, {"80", 80, 5}, {"0", 0, 1}, {"59", 59, 5}};
  for (const auto& c : cases) {
    const QString page = QStringLiteral("<p>共找到<span class=\"fred\">") + c.count +
                         QStringLiteral("</span>个结果</p>");
    EXPECT_EQ(lyrics::ParseSiteCount(page), c.parsed) << c.count;
    EXPECT_EQ(lyrics::SitePages(lyrics::ParseSiteCount(page)), c.pages) << c.count;
  }
  EXPECT_EQ(lyrics::ParseSiteCount(QStringLiteral("没有结果")), -1);
  EXPECT_EQ(lyrics::SitePages(-1), 1);
}

TEST(LyricsScan, SitePageListsEntriesAfterTheAdvertsAndStopsAtAMissingLink) {
  const QString root = QStringLiteral("http://lrc.example:81");
  // An entry before the adverts is not a result.
  const QString page =
      SiteEntry(QStringLiteral("广告歌"), QStringLiteral("x"), QStringLiteral("ad.lrc")) +
      QStringLiteral("赞助广告") +
      SiteEntry(QStringLiteral("月光"), QStringLiteral("林&amp;澈"), QStringLiteral("lrc/1.lrc")) +
      SiteEntry(QStringLiteral("雨巷"), QStringLiteral("苏"),
                QStringLiteral("file:///etc/passwd")) +
      SiteEntry(QStringLiteral("无链接"), QStringLiteral("陈"), QString()) +
      SiteEntry(QStringLiteral("不读"), QStringLiteral("周"), QStringLiteral("z.lrc"));
  const lyrics::LyricsPageScan scan = lyrics::ScanSitePage(page, root);
  ASSERT_EQ(scan.rows.size(), 3);
  EXPECT_EQ(scan.hits, 2);
  EXPECT_TRUE(scan.stopped);
  EXPECT_EQ(scan.rows[0].title, QStringLiteral("月光"));
  EXPECT_EQ(scan.rows[0].singer, QStringLiteral("林;澈"));
  EXPECT_EQ(scan.rows[0].link, QStringLiteral("http://lrc.example:81/lrc/1.lrc"));
  EXPECT_EQ(scan.rows[1].link, QString()) << "a link with its own scheme is never fetched";
  EXPECT_EQ(scan.rows[2].title, QStringLiteral("无链接"));
  EXPECT_EQ(scan.rows[2].link, QString());

  EXPECT_TRUE(lyrics::ScanSitePage(QStringLiteral("no adverts"), root).stopped);
}

TEST(LyricsScan, PagesHoldAtMostTenEntries) {
  QString site = QStringLiteral("赞助广告"), baidu;
  for (int k = 0; k < 12; ++k) {
    site += SiteEntry(QString::number(k), QStringLiteral("s"), QStringLiteral("l.lrc"));
    baidu += BaiduEntry(QString::number(k), QStringLiteral("s"), QStringLiteral("http://h/l.lrc"));
  }
  for (const auto& scan :
       {lyrics::ScanSitePage(site, QStringLiteral("http://h")), lyrics::ScanBaiduPage(baidu)}) {
    EXPECT_EQ(scan.rows.size(), 10);
    EXPECT_EQ(scan.hits, 10);
    EXPECT_FALSE(scan.stopped);
    EXPECT_EQ(scan.rows.last().title, QStringLiteral("9"));
  }
}

TEST(LyricsScan, BaiduPageKeepsOnlyWebLinks) {
  const QString page =
      BaiduEntry(QStringLiteral("<font color=\"#c60a00\">月光</font>"), QStringLiteral("<B>林</B>"),
                 QStringLiteral("https://h/1.lrc")) +
      BaiduEntry(QStringLiteral("雨巷"), QStringLiteral("苏"),
                 QStringLiteral("data:text/plain,x")) +
      BaiduEntry(QStringLiteral("旧城"), QStringLiteral("周"), QStringLiteral("ftp://h/2.lrc")) +
      BaiduEntry(QStringLiteral("候鸟"), QStringLiteral("许"),
                 QStringLiteral("http://h/歌词 4.lrc"));
  const lyrics::LyricsPageScan scan = lyrics::ScanBaiduPage(page);
  ASSERT_EQ(scan.rows.size(), 4);
  EXPECT_EQ(scan.hits, 4);
  EXPECT_TRUE(scan.stopped);
  EXPECT_EQ(scan.rows[0].title, QStringLiteral("月光"));
  EXPECT_EQ(scan.rows[0].singer, QStringLiteral("林"));
  EXPECT_EQ(scan.rows[3].link, QStringLiteral("http://h/歌词 4.lrc"))
      << "names as the page has them";
  EXPECT_EQ(scan.rows[0].link, QStringLiteral("https://h/1.lrc"));
  EXPECT_EQ(scan.rows[1].link, QString());
  EXPECT_EQ(scan.rows[2].link, QString());
}

TEST(LrcHitModel, ResetFillsFromRowOneAndPadsToFifteen) {
  LrcHitModel model;
  QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
  EXPECT_EQ(model.gridRows(), 15);
  model.Reset();
  EXPECT_EQ(model.gridRows(), 2);
  model.Append({QStringLiteral("月光"), QStringLiteral("林"), QStringLiteral("http://h/1")});
  model.Append({QStringLiteral("雨巷"), QString(), QString()});
  EXPECT_EQ(model.gridRows(), 3);
  EXPECT_EQ(model.hit(1).title, QStringLiteral("月光"));
  EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("02"));
  EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(),
            QStringLiteral("歌曲名"));
  model.PadTo(15);
  EXPECT_EQ(model.gridRows(), 15);
  EXPECT_EQ(model.data(model.index(5, 0), Qt::DisplayRole).toString(), QString());
  EXPECT_EQ(model.hit(99).title, QString());
}

}  // namespace
