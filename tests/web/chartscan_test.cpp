// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/chartscan.h"

#include <gtest/gtest.h>

#include "common/gbk.h"
#include "support/printers.h"
#include "web/pagefetcher.h"
#include "web/radiolist.h"

namespace {
using web::ChartSource;

struct Row {
  const char* title;
  const char* singer;
};

struct PageCase {
  const char* name;
  ChartSource source;
  int arg;
  const char* page;
  std::vector<Row> rows;
};

// Pages written from each source's markers: two items inside the scanned section, and text
// outside it that must not give rows.
const std::vector<PageCase>& PageCases() {
  static const std::vector<PageCase> cases = {
      {"SiteAWithAndWithoutHyphen",
       ChartSource::SiteA,
       0,
       "<li><input name=c1 value=1><a href=# title='点击试听'>海风-林-2009</a></li>"
       "<li><input name=c2 value=2><a href=# title='点击试听'>无名曲</a></li>",
       {{"海风", "林"}, {"无名曲", "未知"}}},
      {"SiteB",
       ChartSource::SiteB,
       3,
       "<a href=x target=_blank>外面</a>第1组歌曲"
       "<a href='p1' target=_blank>晴天</a> <font color=#3866af>周</font><td bgcolor=#95d889>"
       "<a href='p2' target=_blank>夜曲</a> <font color=#3866af>杰</font><td bgcolor=#95d889>"
       "联系本站<a href='p3' target=_blank>尾巴</a> <font color=#3866af>x</font>",
       {{"晴天", "周"}, {"夜曲", "杰"}}},
      {"BaiduBoldAndPlain",
       ChartSource::Baidu,
       0,
       "<td width=17%>前<a href=x target=_blank>不算</a>"
       "<input type=hidden name=refreshtime value=@+RESBODY+@>"
       "<td width=17%><a href=1 target=_blank><b>童话</b></a><a href=s target=_blank>光良</a>"
       "<td width=17%><a href=2 target=_blank>后来</a><a href=s target=_blank>刘若英</a>"
       "<input type=hidden name=refreshtime value=@-RESBODY-@>"
       "<td width=17%><a href=3 target=_blank>后面</a><a href=s target=_blank>x</a>",
       {{"童话", "光良"}, {"后来", "刘若英"}}},
      {"Sogou0",
       ChartSource::Sogou,
       0,
       "<input type=checkbox w=1 title=稻香><a target=_blank>周杰伦</a>&gt;"
       "<input type=checkbox w=2 title=Don&#39;t><a target=_blank>某人</a>&gt;",
       {{"稻香", "周杰伦"}, {"Don&#39;t", "某人"}}},
      {"Sogou1Apostrophe",
       ChartSource::Sogou,
       1,
       "1.<input type=checkbox w=1><a href=x target=_blank>Can&#39;t Stop</a>"
       "<a href=s target=_blank>歌手甲</a>&gt;"
       "2.<input type=checkbox w=2><a href=y target=_blank>月亮</a>"
       "<a href=s target=_blank>歌手乙</a>&gt;",
       {{"Can't Stop", "歌手甲"}, {"月亮", "歌手乙"}}},
      {"Sogou3",
       ChartSource::Sogou,
       3,
       "<input section=1 href=a title=It&#39;s target=_b  title=歌手丙 singer=1>"
       "<input section=2 href=b title=新歌 target=_b  title=歌手丁 singer=1>",
       {{"It's", "歌手丙"}, {"新歌", "歌手丁"}}},
      {"SiteC",
       ChartSource::SiteC,
       0,
       "<a target=\"play\">之前</a> - <a>x</a></li>共收录 2 首"
       "<li><a target=\"play\">曲一</a> - <a href=s>人一</a></li>"
       "<li><a target=\"play\">曲二</a> - <a href=s>人二</a></li>",
       {{"曲一", "人一"}, {"曲二", "人二"}}},
      {"SiteDUnknownSinger",
       ChartSource::SiteD,
       1,
       "<!--hot music here-->1. <A href='a' target=htmlplay>歌一</A> <A target=_blank>者一</A>"
       "2. <A href='b' target=htmlplay>歌二</A>",
       {{"歌一", "者一"}, {"歌二", "未知"}}},
      {"Soso",
       ChartSource::Soso,
       2,
       "<input name=x><a title=a>前</a><a>x</a>No.1—12"
       "<input name=1><a title=\"t\" href=1>搜一</a> <a href=s>唱一</a>"
       "<input name=2><a title=\"t\" href=2>搜二</a> <a href=s>唱二</a>",
       {{"搜一", "唱一"}, {"搜二", "唱二"}}},
      {"SiteE01",
       ChartSource::SiteE,
       1,
       "<div id=\"TopHt\"><div class=\"all_c\"><ul>"
       "<li><input name=\"chkTracks\" value=1><a target=\"Player\">九一</a>"
       "<a target=_blank>[天一]</a></li>"
       "<li><input name=\"chkTracks\" value=2><a target=\"Player\">九二</a>"
       "<a target=_blank>[天二]</a></li>",
       {{"九一", "天一"}, {"九二", "天二"}}},
      {"SiteE24",
       ChartSource::SiteE,
       3,
       "<a target=Player>外</a><div class=\"middle_t\">"
       "<a target=Player>中一</a> <a target=_blank>央一</a>"
       "<a target=Player>中二</a> <a target=_blank>央二</a>"
       "<div class=\"middle_b\"><a target=Player>外二</a> <a target=_blank>x</a>",
       {{"中一", "央一"}, {"中二", "央二"}}},
      {"NoHits", ChartSource::SiteB, 0, "<html>nothing here</html>", {}},
  };
  return cases;
}

class ChartPages : public ::testing::TestWithParam<PageCase> {};

TEST_P(ChartPages, ScanTakesTitleAndSingerBetweenTheMarkers) {
  const PageCase& c = GetParam();
  const QList<web::SearchHit> hits = web::ScanChart(c.source, c.arg, QString::fromUtf8(c.page));
  ASSERT_EQ(hits.size(), static_cast<qsizetype>(c.rows.size()));
  for (size_t i = 0; i < c.rows.size(); ++i) {
    EXPECT_EQ(hits.at(i).title, QString::fromUtf8(c.rows[i].title)) << i;
    EXPECT_EQ(hits.at(i).singer, QString::fromUtf8(c.rows[i].singer)) << i;
    EXPECT_EQ(hits.at(i).duration, "00:00");
  }
}

INSTANTIATE_TEST_SUITE_P(Sources, ChartPages, ::testing::ValuesIn(PageCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ChartScan, RoundLimitsBoundTheItemsTaken) {
  QString page = QStringLiteral("<div class=\"middle_t\">");
  for (int i = 0; i < 80; ++i)
    page += QStringLiteral("<a target=Player>t%1</a> <a target=_blank>s</a>").arg(i);
  EXPECT_EQ(web::ScanChart(ChartSource::SiteE, 2, page).size(), 50);
  QString a;
  for (int i = 0; i < 250; ++i) a += QStringLiteral("<input name=xx title='点击试听'>t-s</a></li>");
  EXPECT_EQ(web::ScanChart(ChartSource::SiteA, 4, a).size(), 200);
  // An argument the source does not have scans nothing.
  EXPECT_TRUE(web::ScanChart(ChartSource::SiteE, 5, page).isEmpty());
}

TEST(ChartScan, SosoMarkerSurvivesGbkDecoding) {
  // "—" (U+2014) is a GBK character outside GB2312's common set as the page uses it: the
  // page must be read so that the section marker is found.
  const QString page = QStringLiteral("No.1—12<input name=1><a title=t>歌</a> <a>人</a>");
  const QString decoded = web::BytesToText(common::EncodeGbk(page), QStringLiteral("gb2312"));
  const auto hits = web::ScanChart(ChartSource::Soso, 0, decoded);
  ASSERT_EQ(hits.size(), 1);
  EXPECT_EQ(hits.at(0).singer, QStringLiteral("人"));
}

TEST(ChartScan, WowListLines) {
  const QStringList lines{"1,Singer_Name-Song_Title", "", "no comma here", "2,Bare_Title ,x",
                          "3,A-B-C"};
  const auto hits = web::ScanWowList(lines);
  ASSERT_EQ(hits.size(), 3);
  EXPECT_EQ(hits[0].title, "Song Title");
  EXPECT_EQ(hits[0].singer, "Singer Name");
  EXPECT_EQ(hits[1].title, "Bare Title");
  EXPECT_EQ(hits[1].singer, QStringLiteral("wow玩家必听"));
  EXPECT_EQ(hits[2].title, "B");
  EXPECT_EQ(hits[2].singer, "A");
}

TEST(ChartScan, MenuEntriesFollowTheChartTable) {
  const auto entries = web::ChartMenuEntries("B站", "D站");
  ASSERT_EQ(entries.size(), 47);
  struct Expect {
    int index;
    const char* caption;
    ChartSource source;
    int arg;
    const char* path;
    int limit;
  };
  const Expect expected[] = {
      {1, "02. B站音乐排行榜", ChartSource::SiteB, 0, "/music101.htm", 500},
      {21, "22. WOW玩家必听100", ChartSource::WowFile, -1, "", 0},
      {22, "23. D站音乐网总排行", ChartSource::SiteD, 0, "/paihang.htm", 500},
      {36, "37. 搜狗新歌速递", ChartSource::Sogou, 3, "/sogou_phb/html/song/newtop.html", 180},
  };
  for (const Expect& e : expected) {
    const web::ChartEntry& got = entries.at(e.index);
    EXPECT_EQ(got.caption, QString::fromUtf8(e.caption));
    EXPECT_EQ(got.source, e.source) << e.index;
    EXPECT_EQ(got.arg, e.arg) << e.index;
    EXPECT_EQ(web::ChartPagePath(got.source, got.arg), QString::fromUtf8(e.path));
    EXPECT_EQ(web::ChartRoundLimit(got.source, got.arg), e.limit) << e.index;
  }
  // Every web chart has a page and a host.
  for (const auto& entry : entries) {
    if (entry.source == ChartSource::WowFile) continue;
    EXPECT_FALSE(web::ChartPagePath(entry.source, entry.arg).isEmpty())
        << entry.caption.toStdString();
    EXPECT_FALSE(web::ChartHostKey(entry.source).isEmpty());
  }
}

TEST(RadioList, SectionsAreCutAtTheNextBracket) {
  const QString text = web::JoinRadioText(
      {"[zhongyang]", "中国之声=http://h/1", "", "没有等号的行", "音乐之声=http://h/2?a=b",
       "[shanghai]", "东方=mms://h/3", "新[闻]台=http://h/4", "后来=http://h/5", "[guowai]",
       "外台=rtsp://h/6", "尾台=http://h/7"});
  const auto first = web::RadioSectionStations(text, "[zhongyang]");
  ASSERT_EQ(first.size(), 2) << "the next header ends the section";
  EXPECT_EQ(first[0].name, QStringLiteral("中国之声"));
  EXPECT_EQ(first[1].address, "http://h/2?a") << "the address ends at a second \"=\"";

  const auto shanghai = web::RadioSectionStations(text, "[shanghai]");
  ASSERT_EQ(shanghai.size(), 1) << "a \"[\" inside a name ends the section";
  EXPECT_EQ(shanghai[0].address, "mms://h/3");

  const auto last = web::RadioSectionStations(text, "[guowai]");
  ASSERT_EQ(last.size(), 2) << "the last section runs to the end";
  EXPECT_EQ(last[1].name, QStringLiteral("尾台"));
  EXPECT_TRUE(web::RadioSectionStations(text, "[taiwan]").isEmpty());
}

TEST(RadioList, CategoriesAndLabels) {
  const auto& categories = web::RadioCategories();
  ASSERT_EQ(categories.size(), 25);
  EXPECT_EQ(categories[24].section, "[guowai]");
  EXPECT_EQ(web::RadioCategoryLabel(categories[0].caption), QStringLiteral("中央电台"));
  EXPECT_EQ(web::RadioCategoryLabel(categories[21].caption), QStringLiteral("TOP100优秀电台"));
}

}  // namespace

#include "catalogue.h"
#include "chartpages.h"

namespace {

// The demo service's chart pages read back as the songs they list, for every web chart.
TEST(DemoChartPages, EveryChartScansToItsSongs) {
  const DemoCatalogue catalogue;
  const auto& songs = catalogue.songs();
  for (const web::ChartEntry& entry : web::ChartMenuEntries("B", "D")) {
    if (entry.source == ChartSource::WowFile) continue;
    const QString page = DemoChartPage(entry.source, entry.arg, catalogue, 2, 5);
    const auto hits = web::ScanChart(entry.source, entry.arg, web::JoinLines(page));
    ASSERT_EQ(hits.size(), 5) << entry.caption.toStdString();
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(hits.at(i).title, songs.at(2 + i).title) << entry.caption.toStdString();
      EXPECT_EQ(hits.at(i).singer, songs.at(2 + i).singer) << entry.caption.toStdString();
    }
  }
}

}  // namespace
