// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The music-video site's pages as the scanners read them, written from the site's markers.
#include "extras/mtvscan.h"

#include <gtest/gtest.h>

namespace {

QString TotalPage(const char* total) {
  return QStringLiteral("<div>总数：<b>") + QString::fromLatin1(total) +
         QStringLiteral("</b> 个</div>");
}

QString Hit(const QString& link, const QString& singer, const QString& title) {
  return QStringLiteral("<li>· <a href=\"/") + link +
         QStringLiteral("\" target=\"_blank\" class=\"searchtitle\">[") + singer +
         QStringLiteral("] ") + title + QStringLiteral("</a></li>");
}

TEST(MtvTotal, PagesFromTheTotal) {
  const std::pair<const char*, int> cases[] = {{"19", 1}, {"20", 2}, {"41", 3}, {"1", 1}};
  for (const auto& [total, pages] : cases) {
    const auto read = extras::ScanMtvTotal(TotalPage(total));
    ASSERT_TRUE(read) << total;
    EXPECT_EQ(extras::MtvPages(*read), pages) << total;
  }
}

TEST(MtvTotal, LyingAndBrokenTotalsStayBounded) {
  // Past 16 and 32 bits, and beyond a double's integers: held, never wrapped negative.
  const QByteArray digits400(400, '9');
  for (const char* huge :
       {"32768", "70000", "4294967297", "99999999999999999999999", digits400.constData()}) {
    const auto read = extras::ScanMtvTotal(TotalPage(huge));
    ASSERT_TRUE(read) << huge;
    EXPECT_EQ(*read, 32767) << huge;
    EXPECT_EQ(extras::MtvPages(*read), 50) << huge;
  }
  EXPECT_EQ(extras::ScanMtvTotal(TotalPage("0")), 0);
  EXPECT_EQ(extras::ScanMtvTotal(TotalPage("abc")), 0);
  EXPECT_EQ(extras::ScanMtvTotal(TotalPage("-41")), 0);
  EXPECT_FALSE(extras::ScanMtvTotal(QStringLiteral("<b>41</b>")));
  EXPECT_FALSE(extras::ScanMtvTotal(QStringLiteral("总数：<b>41")));
}

TEST(MtvHits, TitlesLoseTheHighlightAndLinksGetTheRoot) {
  const QString page =
      TotalPage("2") +
      Hit("mtv/v/1-0.htm", QStringLiteral("林澈"),
          QStringLiteral("<span class=\"searchhighlight\">月光</span>码头 "
                         "<span class=\"searchhighlight\">MV</span>")) +
      Hit("mtv/v/2-1.htm", QStringLiteral("苏晚晴"), QStringLiteral("雨巷来信 现场版"));
  const QList<extras::MtvHit> hits = extras::ScanMtvHits(page, QStringLiteral("http://site"));
  ASSERT_EQ(hits.size(), 2);
  EXPECT_EQ(hits[0].title, QStringLiteral("月光码头 MV"));
  EXPECT_EQ(hits[0].singer, QStringLiteral("林澈"));
  EXPECT_EQ(hits[0].link, QStringLiteral("http://site/mtv/v/1-0.htm"));
  EXPECT_EQ(hits[1].title, QStringLiteral("雨巷来信 现场版"));
  EXPECT_EQ(hits[1].link, QStringLiteral("http://site/mtv/v/2-1.htm"));
}

TEST(MtvHits, ReadingStopsAtTheFirstBrokenEntry) {
  const QString page = Hit("a.htm", "A", "one") +
                       QStringLiteral(
                           "· <a href=\"/b.htm\" target=\"_blank\" "
                           "class=\"searchtitle\">[B no closing bracket</a>") +
                       Hit("c.htm", "C", "three");
  const auto hits = extras::ScanMtvHits(page, QStringLiteral("http://s"));
  ASSERT_GE(hits.size(), 1);
  EXPECT_EQ(hits[0].title, QStringLiteral("one"));
  EXPECT_TRUE(extras::ScanMtvHits(QStringLiteral("<html>没有找到</html>"), "http://s").isEmpty());
  EXPECT_EQ(
      extras::StripSearchHighlight(QStringLiteral("a</span>b<span class=\"searchhighlight\">c")),
      QStringLiteral("abc"));
}

TEST(MtvPathScript, TableFromNameEqualsPrefixLines) {
  const QStringList lines{QStringLiteral("// 服务器"),
                          QStringLiteral("s1=\"http://v1/mtv/\";"),
                          QStringLiteral("  s2 =\"http://v2/m/\" ;  "),  // no `";`: skipped
                          QStringLiteral("s3=\"http://v3/\";  "),
                          QStringLiteral("x=\"a=\"b\";"),  // three pieces: skipped
                          QStringLiteral("var note=\"维护中\"")};
  const extras::MtvPathTable table = extras::ParsePathScript(lines);
  ASSERT_EQ(table.size(), 2);
  EXPECT_EQ(table[0], qMakePair(QStringLiteral("s1"), QStringLiteral("http://v1/mtv/")));
  EXPECT_EQ(table[1], qMakePair(QStringLiteral("s3"), QStringLiteral("http://v3/")));
}

TEST(MtvVideoPage, KeyAndFileName) {
  const auto ref = extras::ScanVideoPage(
      QStringLiteral("<script>var url=s2;var strFilename=\"周沐-候鸟.wmv\";</script>"));
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref->key, QStringLiteral("s2"));
  EXPECT_EQ(ref->fileName, QStringLiteral("周沐-候鸟.wmv"));
  EXPECT_FALSE(extras::ScanVideoPage(QStringLiteral("var url=s2;")));
  EXPECT_FALSE(extras::ScanVideoPage(QStringLiteral("var strFilename=\"a.wmv\";")));
}

TEST(MtvVideoAddress, TableThenFallbackAndOnlyWebSchemes) {
  const extras::MtvPathTable table{
      {"s1", "http://v1/mtv/"}, {"blank", "  "},   {"f", "file:///etc/"}, {"av", "av://lavfi:"},
      {"lavfi", "lavfi://"},    {"edl", "edl://"}, {"mms", "mms://v2/"}};
  const QString fallback = QStringLiteral("http://fallback:8080/mtv/");
  auto address = [&](const char* key, const char* file = "a.wmv") {
    return extras::MtvVideoAddress(table, {QString::fromLatin1(key), QString::fromLatin1(file)},
                                   fallback);
  };
  EXPECT_EQ(address("s1"), QStringLiteral("http://v1/mtv/a.wmv"));
  EXPECT_EQ(address("mms"), QStringLiteral("mms://v2/a.wmv"));
  EXPECT_EQ(address("S1"), QStringLiteral("http://fallback:8080/mtv/a.wmv")) << "exact names only";
  EXPECT_EQ(address("blank"), QStringLiteral("http://fallback:8080/mtv/a.wmv"));
  for (const char* refused : {"f", "av", "lavfi", "edl"}) EXPECT_FALSE(address(refused)) << refused;
  // A file name cannot turn the fallback into another scheme or a local path.
  EXPECT_FALSE(extras::MtvVideoAddress({}, {"x", "passwd"}, QStringLiteral("/etc/")));
}

}  // namespace
