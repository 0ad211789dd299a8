// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/songscan.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QUrl>
#include <iostream>
#include <iterator>

#include "common/textfile.h"
#include "support/printers.h"
#include "web/pagefetcher.h"

namespace {
// Saved pages are raw GBK with CR LF, as the fetcher writes them; the scanners get the text
// the read-back rule gives.
QString SavedPage(const char* name) {
  return web::ReadBack(QStringLiteral(TW_WEB_TEST_DATA "/") + QString::fromUtf8(name));
}

struct HitCase {
  QString title, singer, duration;
};
void ExpectHits(const QList<web::SearchHit>& hits, const std::vector<HitCase>& want) {
  ASSERT_EQ(hits.size(), static_cast<qsizetype>(want.size()));
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(hits[i].title, want[i].title) << i;
    EXPECT_EQ(hits[i].singer, want[i].singer) << i;
    EXPECT_EQ(hits[i].duration, want[i].duration) << i;
  }
}
}  // namespace

TEST(ResultScan, SogouPageWithSelectAllLinkAndMarkersSplitAcrossLines) {
  ExpectHits(web::ScanSogouResults(SavedPage("sogou_results.html")),
             {{"月光码头", "林澈 未知", "00:00"},
              {"夏夜的海", "林澈", "00:00"},
              {"青石板路", "", "00:00"}});
  EXPECT_TRUE(web::ScanSogouResults(QStringLiteral("<html>no hits</html>")).isEmpty());
}

TEST(ResultScan, SogouWithoutLeadingLinkCountsTheFirstHitTwice) {
  // Each round cuts only 25 characters past the marker it found, so the first hit is seen in
  // rounds one and two.
  const QString hit = QStringLiteral(
      "<a pb=t class=mr style=\"x\" onclick=\"o2('id=1');return(false);\" title=\"%1\" "
      "action=\"p\">");
  const auto hits =
      web::ScanSogouResults(hit.arg(QStringLiteral("歌")) + hit.arg(QStringLiteral("曲")));
  ASSERT_EQ(hits.size(), 3);
  EXPECT_EQ(hits[0].title, QStringLiteral("歌"));
  EXPECT_EQ(hits[1].title, QStringLiteral("歌"));
  EXPECT_EQ(hits[2].title, QStringLiteral("曲"));
}

TEST(ResultScan, BaiduPageNeverTakesItsLastMarker) {
  ExpectHits(
      web::ScanBaiduResults(SavedPage("baidu_results.html")),
      {{"风吹麦浪时", "陈野", "00:00"}, {"纸飞机", "白小鹿", "00:00"}, {"旧城故事", "", "00:00"}});
  EXPECT_TRUE(web::ScanBaiduResults(SavedPage("baidu_one_hit.html")).isEmpty());
}

TEST(ResultScan, SosoRowsRepeatTheTypedWords) {
  const auto rows = web::SosoRows(QStringLiteral("雨巷 来信"));
  ASSERT_EQ(rows.size(), 20);
  for (const auto& r : rows) {
    EXPECT_EQ(r.title, QStringLiteral("雨巷 来信"));
    EXPECT_EQ(r.singer, QStringLiteral("未知"));
    EXPECT_EQ(r.duration, QStringLiteral("00:00"));
  }
}

TEST(Addresses, SearchPagesByEngineAndFormat) {
  const web::EngineHosts h{QStringLiteral("http://s.test:81"), QStringLiteral("http://l.test"),
                           QStringLiteral("http://b.test"), QStringLiteral("http://q.test")};
  EXPECT_EQ(web::SearchAddress(web::Engine::Sogou, h, QStringLiteral("海风"), 2, 0),
            QStringLiteral("http://s.test:81/music.so?as=false&query=海风&page=2&pf=mp3"
                           "&w=02009900&_asf=s.test"));
  EXPECT_EQ(
      web::SearchAddress(web::Engine::Baidu, h, QStringLiteral("a b"), 3, 1),
      QStringLiteral("http://b.test/m?f=ms&rn=&tn=baidump3&ct=134217728&word=a b&pn=60&lm=2"));
  EXPECT_EQ(web::SearchAddress(web::Engine::Soso, h, QStringLiteral("k"), 1, 3),
            QStringLiteral("http://q.test/music.cgi?w=k&pl=&co=&ch=s.m.res&sc=mus&sz=&clz=&pg=1"));
  EXPECT_EQ(
      web::SearchAddress(web::Engine::Soso, h, QStringLiteral("k"), 1, 2),
      QStringLiteral("http://q.test/music.cgi?w=k&pl=&co=&ch=s.m.res&sc=mus&sz=&clz=rm&pg=1"));
  EXPECT_EQ(web::ResolveAddress(web::Engine::Sogou, h, QStringLiteral("k"), 3),
            QStringLiteral("http://s.test:81/music.so?w=02210201&query=k&pf="));
  EXPECT_EQ(web::ResolveAddress(web::Engine::Baidu, h, QStringLiteral("k"), 2),
            QStringLiteral("http://b.test/m?f=ms&rn=&tn=baidump3&ct=134217728&word=k&lm=1"));
  EXPECT_EQ(web::ResolveAddress(web::Engine::Soso, h, QStringLiteral("k"), 0),
            QStringLiteral("http://q.test/music.cgi?w=k&sc=mus&ch=w.m.soso&clz=mp3"));
  EXPECT_EQ(web::SearchFormatFilter(web::Engine::Baidu, 3), QStringLiteral("&lm=-1"));
}

TEST(Candidates, CollectedFromSavedPages) {
  const auto baidu = web::CollectBaiduCandidates(SavedPage("baidu_candidates.html"));
  ASSERT_EQ(baidu.size(), 2);
  EXPECT_EQ(baidu[0].address,
            QStringLiteral("http://h.example/baidu/link?id=2&m=0&word=wav,雨巷来信"));
  EXPECT_EQ(baidu[0].slot, QStringLiteral("UrlEncode0=雨巷来信"));
  EXPECT_EQ(baidu[1].slot, QStringLiteral("UrlEncode1=http://h.example/baidu/link?id=2&m=1"));

  const auto soso = web::CollectSosoCandidates(SavedPage("soso_candidates.html"));
  ASSERT_EQ(soso.size(), 2);
  EXPECT_EQ(soso[0].address, QStringLiteral("http://h.example/audio/2-0.wav"));
  EXPECT_EQ(soso[1].address, QStringLiteral("http://h.example/audio/2-1.wav"));

  const auto sogou = web::CollectSogouCandidates(SavedPage("sogou_results.html"),
                                                 QStringLiteral("http://l.test/listenV2.jsp?"));
  ASSERT_EQ(sogou.size(), 3);
  EXPECT_EQ(sogou[0].address, QStringLiteral("http://l.test/listenV2.jsp?id=1&m=0"));
  EXPECT_EQ(sogou[2].slot, QStringLiteral("http://l.test/listenV2.jsp?id=9&m=0"));
}

TEST(Candidates, LimitsPerEngine) {
  QString sogou, soso;
  for (int i = 0; i < 30; ++i) {
    sogou += QStringLiteral("<a pb=t class=mr style=\"\" onclick=\"o2('id=%1');return(false);\">")
                 .arg(i);
    soso += QStringLiteral("<div id=\"meta_info_%1\">t;http://x/%1a;http://x/%1b;http://x/%1c;;|$|")
                .arg(i);
  }
  EXPECT_EQ(web::CollectSogouCandidates(sogou, QStringLiteral("http://l/listenV2.jsp?")).size(),
            25);
  // Soso checks its limit after each block, and within a block stops at 21: the seventh block
  // of three links goes from 18 to 21.
  const auto s = web::CollectSosoCandidates(soso);
  EXPECT_EQ(s.size(), 21);
  EXPECT_EQ(s.last().address, QStringLiteral("http://x/6c"));
}

TEST(PlayablePages, ListenLineAndUrlaAnchor) {
  // Read line by line, the songlist line is the first with "url" and "}]};" (the url_note
  // line above it has no "}]};").
  QFile raw(QStringLiteral(TW_WEB_TEST_DATA "/sogou_listen.html"));
  ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
  const QStringList lines = common::SplitLines(web::BytesToText(raw.readAll(), "GB2312"));
  EXPECT_EQ(web::ParseSogouListen(lines), QStringLiteral("http://h.example/audio/2-0.wav"));
  EXPECT_EQ(web::ParseSogouListen({QStringLiteral("url\":\"http://x\"}]};")}), QString());

  const QString decode = SavedPage("baidu_decode.html");
  // Without a base the link is a bare path, which would name a local file: dropped.
  EXPECT_EQ(web::FindUrlaAnchor(decode), QString());
  EXPECT_EQ(web::FindUrlaAnchor(decode, QUrl(QStringLiteral("http://h.example/baidu/link?id=2"))),
            QStringLiteral("http://h.example/audio/2-1.wav?x=1&y=2"));
  EXPECT_EQ(web::FindUrlaAnchor(QStringLiteral("<a id=urlb href=x><div id=urla>")), QString());
  EXPECT_EQ(web::FindUrlaAnchor(QStringLiteral("<a id=\"urla")), QString());  // cut page
}

TEST(TextHelpers, NormaliseTitle) {
  struct Case {
    const char* in;
    bool option;
    const char* out;
  } cases[] = {
      {"海风(Live版)", true, "海风"},        {"海风 - 林澈", true, "海风 "},
      {"《海风》【现场】", true, ""},        {"海风_伴奏[高清]", true, "海风"},
      {"海风（Live版）", true, "海风"},      {"海风(Live版)", false, "海风(Live版)"},
      {"海风 - 林澈", false, "海风 - 林澈"}, {"I＇m here (Live)", true, "I'm here "},
      {"I＇m here", false, "I'm here"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(web::NormaliseTitle(QString::fromUtf8(c.in), c.option), QString::fromUtf8(c.out))
        << c.in << " option " << c.option;
}

TEST(TextHelpers, StripTags) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"<b>林澈</b>歌词", "林澈未知"},
      {"  <font color=red>风</font><b>吹</b>  ", "风吹"},
      {"a > b < c", "a > b < c"},  // '>' before '<': not a tag
      {"<<b>x", "x"},
      {"歌词", "未知"},
      {"", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(web::StripTags(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

// Links a page offers are kept only when they are network addresses the player may open.
TEST(Candidates, OnlyNetworkAddressesAreCollected) {
  const char* refused[] = {"file:///etc/passwd",
                           "javascript:alert(1)",
                           "data:audio/wav;base64,AA",
                           "ftp://127.0.0.1/a.mp3",
                           "av://lavfi:sine",
                           "/dev/zero",
                           "FILE:/x"};
  const char* kept[] = {"http://h/a.mp3", "HTTPS://h/a", "mms://h/a.wma",
                        "mmsh://h/a",     "rtsp://h/a",  "rtmp://h/a"};
  QString baidu, listen;
  for (const char* a : refused) {
    baidu += QStringLiteral("<td class=d><a href=\"%1\" title=\"请点击左键\">").arg(a);
    EXPECT_EQ(web::ParseSogouListen({QStringLiteral("{\"url\":\"%1\"}]};").arg(a)}), QString())
        << a;
    EXPECT_EQ(web::FindUrlaAnchor(QStringLiteral("<a id=urla href=\"%1\">").arg(a),
                                  QUrl(QStringLiteral("http://h/p"))),
              a[0] == '/' ? QStringLiteral("http://h/dev/zero") : QString())
        << a;
  }
  for (const char* a : kept) {
    baidu += QStringLiteral("<td class=d><a href=\"%1\" title=\"请点击左键\">").arg(a);
    EXPECT_EQ(web::ParseSogouListen({QStringLiteral("{\"url\":\"%1\"}]};").arg(a)}),
              QString::fromLatin1(a));
  }
  const auto found = web::CollectBaiduCandidates(baidu);
  ASSERT_EQ(found.size(), static_cast<qsizetype>(std::size(kept)));
  for (size_t i = 0; i < std::size(kept); ++i) EXPECT_EQ(found[i].address, kept[i]);
  EXPECT_TRUE(web::CollectSogouCandidates(QStringLiteral("<a pb=t class=mr style=\"\" "
                                                         "onclick=\"o2('id=1');return(false);\">"),
                                          QStringLiteral("file:///listenV2.jsp?"))
                  .isEmpty());
}

// A singer field stuffed with 100,000 distinct tags: a scan that strips one tag name per pass
// over the text needs minutes; a linear one a fraction of a second.
TEST(ResultScan, HugeTagSoupInOneFieldIsLinear) {
  QString soup;
  for (int i = 0; i < 100000; ++i) soup += QStringLiteral("<i%1>").arg(i);
  const QString page = QStringLiteral(
                           "<a pb=t class=mr style=x o2('id=1');return(false);\" "
                           "title=\"歌\" action=x class=mr target=_blank>林") +
                       soup + QStringLiteral("澈</a>&nbsp");
  QElapsedTimer clock;
  clock.start();
  const auto hits = web::ScanSogouResults(page);
  const qint64 ms = clock.elapsed();
  ASSERT_FALSE(hits.isEmpty());
  EXPECT_EQ(hits[0].singer, QStringLiteral("林澈"));
  EXPECT_LT(ms, 5000);
  // A page whose markers stop early: every round must not search the rest of the page again.
  const QString sparse = QStringLiteral("<a pb=t class=mr style=") + QString(8 << 20, u'x') +
                         QStringLiteral("<td class=d><a href=\"");
  clock.restart();
  EXPECT_EQ(web::ScanSogouResults(sparse).size(), 0);
  EXPECT_EQ(web::ScanBaiduResults(sparse).size(), 0);
  EXPECT_TRUE(web::CollectSogouCandidates(sparse, QStringLiteral("http://l/?")).isEmpty());
  EXPECT_TRUE(web::CollectBaiduCandidates(sparse).isEmpty());
  EXPECT_TRUE(web::CollectSosoCandidates(sparse).isEmpty());
  const qint64 sparseMs = clock.elapsed();
  std::cout << "[ figures  ] 8 MiB sparse page, all scanners: " << sparseMs << " ms\n";
  EXPECT_LT(sparseMs, 1000);
  // Copies of a stripped tag go too, even behind a stray '>'.
  EXPECT_EQ(web::StripTags(QStringLiteral("<b>x>y<b>")), QStringLiteral("x>y"));
}

TEST(TextHelpers, MonitorRowsShortenTheListenPrefix) {
  const auto rows = web::MonitorCandidateTexts(
      {QStringLiteral("http://l.test/listenV2.jsp?id=1"), QStringLiteral("http://b/x")},
      QStringLiteral("http://l.test/listenV2.jsp?"));
  ASSERT_EQ(rows.size(), 20);
  EXPECT_EQ(rows[0], QStringLiteral("...?id=1"));
  EXPECT_EQ(rows[1], QStringLiteral("http://b/x"));
  EXPECT_EQ(rows[19], QString());
}
