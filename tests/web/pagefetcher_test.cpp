// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/pagefetcher.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <iostream>
#include <optional>

#include "common/gbk.h"
#include "config/appconfig.h"
#include "support/loopbackhttpserver.h"
#include "support/printers.h"
#include "support/tempappdir.h"

namespace {
// The longest time the GUI thread went without running its timers while the probe ran.
class GuiGapProbe {
 public:
  GuiGapProbe() {
    probe_.setInterval(5);
    QObject::connect(&probe_, &QTimer::timeout,
                     [this] { worst_ = qMax(worst_, sinceTick_.restart()); });
    sinceTick_.start();
    probe_.start();
  }
  qint64 Stop() {
    probe_.stop();
    return worst_;
  }

 private:
  QTimer probe_;
  QElapsedTimer sinceTick_;
  qint64 worst_ = 0;
};

class PageFetcherTest : public ::testing::Test {
 protected:
  PageFetcherTest() : fetcher(dir.paths(), config) {}

  std::optional<web::FetchResult> FetchAndWait(const QString& url, bool plain = false,
                                               int waitMs = 5000) {
    std::optional<web::FetchResult> got;
    auto done = [&got](const web::FetchResult& r) { got = r; };
    if (plain)
      fetcher.FetchPlain(url, QStringLiteral("temp.html"), nullptr, done);
    else
      fetcher.Fetch(url, QStringLiteral("temp.html"), nullptr, done);
    (void)QTest::qWaitFor([&] { return got.has_value(); }, waitMs);
    return got;
  }
  QByteArray Scratch() const { return dir.ReadFile(QStringLiteral("scratch/temp.html")); }

  TempAppDir dir;
  AppConfig config;
  PageFetcher fetcher;
  LoopbackHttpServer server;
};
}  // namespace

TEST_F(PageFetcherTest, CacheBusterOnlyWithForceRefreshAndTheFlag) {
  server.SetPage("/a.htm", "ok");
  config.forceUpdate = true;
  fetcher.SetCacheBust(true);
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm?top9"))));
  // Appended with a second question mark, and the flag stays set for the next page.
  const QRegularExpression busted(
      QStringLiteral("^GET /a\\.htm\\?top9\\?fakeParam=(\\d{1,5}) HTTP"));
  const auto m = busted.match(QString::fromLatin1(server.requestLines().last()));
  ASSERT_TRUE(m.hasMatch()) << server.requestLines().last().constData();
  EXPECT_GE(m.captured(1).toInt(), 1);
  EXPECT_LE(m.captured(1).toInt(), 10000);
  EXPECT_TRUE(fetcher.cacheBust());

  for (auto [draw, want] : {std::pair{0.0, "1"}, std::pair{0.99999, "10000"}}) {
    fetcher.SetRandomSource([draw] { return draw; });
    ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm"))));
    EXPECT_EQ(server.requestLines().last(),
              QByteArray("GET /a.htm?fakeParam=") + want + " HTTP/1.1");
  }
  // Retry with the flag cleared, force refresh off, and the plain fetcher: the url unchanged.
  fetcher.SetCacheBust(false);
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm"))));
  EXPECT_EQ(server.requestLines().last(), "GET /a.htm HTTP/1.1");
  fetcher.SetCacheBust(true);
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm")), true));
  EXPECT_EQ(server.requestLines().last(), "GET /a.htm HTTP/1.1");
  config.forceUpdate = false;
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm"))));
  EXPECT_EQ(server.requestLines().last(), "GET /a.htm HTTP/1.1");
}

TEST_F(PageFetcherTest, SendsOnlyWhatTheHttpStackNeedsAndWordsAsGbk) {
  server.SetPage("/m", "ok");
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/m?word=海风 a"))));
  EXPECT_EQ(server.requestLines().last(), "GET /m?word=%BA%A3%B7%E7%20a HTTP/1.1");
  const QList<QByteArray> allowed{"host", "connection", "accept-encoding", "accept-language",
                                  "user-agent"};
  for (const QByteArray& name : server.headerNames().last())
    EXPECT_TRUE(allowed.contains(name)) << name.constData();
}

TEST_F(PageFetcherTest, AnyStatusIsTextOnlyBlankPagesAreFalse) {
  server.SetPage("/missing", common::EncodeGbk(QStringLiteral("<p>找不到</p>\r\n第二行")),
                 "404 Not Found");
  server.SetPage("/empty", {});
  server.SetPage("/spaces", "   ");
  server.SetPage("/newline", "\r\n");
  server.SetPage("/moved", "", "302 Found", "Location: /missing\r\n");

  auto r = FetchAndWait(server.Url(QStringLiteral("/missing")));
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->ok);
  EXPECT_EQ(r->text, QStringLiteral("<p>找不到</p>\r\n第二行"));
  EXPECT_EQ(r->Joined(), QStringLiteral("<p>找不到</p>第二行"));
  EXPECT_EQ(Scratch(), common::EncodeGbk(QStringLiteral("<p>找不到</p>\r\n第二行\r\n")));
  EXPECT_EQ(web::ReadBack(r->scratchFile), QStringLiteral("<p>找不到</p>第二行"));

  // Only spaces are trimmed: a line break alone is a page.
  for (const auto& [path, ok, scratch] : {std::tuple{"/empty", false, "\r\n"},
                                          {"/spaces", false, "   \r\n"},
                                          {"/newline", true, "\r\n\r\n"}}) {
    r = FetchAndWait(server.Url(QString::fromLatin1(path)));
    ASSERT_TRUE(r) << path;
    EXPECT_EQ(r->ok, ok) << path;
    EXPECT_EQ(Scratch(), scratch) << path;
  }

  r = FetchAndWait(server.Url(QStringLiteral("/moved")));
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->text.contains(QStringLiteral("找不到")));
  EXPECT_TRUE(r->finalUrl.path().endsWith(QStringLiteral("/missing")));
}

TEST_F(PageFetcherTest, StalledServerAndRefusedAddressesGiveFalse) {
  server.Set("/stall", {LoopbackHttpServer::Kind::Silent, "200 OK", {}, {}, 0, 0});
  fetcher.SetTransferTimeout(300);
  auto r = FetchAndWait(server.Url(QStringLiteral("/stall")), false, 5000);
  ASSERT_TRUE(r) << "a silent server must be given up";
  EXPECT_FALSE(r->ok);
  EXPECT_EQ(Scratch(), "\r\n");

  const qsizetype before = server.requestLines().size();
  for (const char* address : {"file:///etc/passwd", "ftp://127.0.0.1/x", "not an address"}) {
    r = FetchAndWait(QString::fromLatin1(address));
    ASSERT_TRUE(r) << address;
    EXPECT_FALSE(r->ok) << address;
  }
  EXPECT_EQ(server.requestLines().size(), before);
}

TEST_F(PageFetcherTest, NewerFetchIntoTheSameFileSupersedesAndGoneCallersAreNotCalled) {
  server.Set("/stall", {LoopbackHttpServer::Kind::Silent, "200 OK", {}, {}, 0, 0});
  server.SetPage("/page", "ok");
  QSignalSpy busy(&fetcher, &PageFetcher::BusyChanged);
  int first = 0;
  fetcher.Fetch(server.Url(QStringLiteral("/stall")), QStringLiteral("temp.html"), nullptr,
                [&first](const web::FetchResult&) { ++first; });
  auto r = FetchAndWait(server.Url(QStringLiteral("/page")));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->text, QStringLiteral("ok"));
  EXPECT_EQ(first, 0);

  int orphan = 0;
  auto* context = new QObject;
  fetcher.Fetch(server.Url(QStringLiteral("/page")), QStringLiteral("temp1.html"), context,
                [&orphan](const web::FetchResult&) { ++orphan; });
  delete context;
  r = FetchAndWait(server.Url(QStringLiteral("/page")));  // lets the orphan finish first
  QTest::qWait(50);
  EXPECT_EQ(orphan, 0);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(fetcher.pendingCount(), 0);
  // Busy from the first start to the last answer, not once per fetch.
  ASSERT_GE(busy.size(), 2);
  EXPECT_TRUE(busy.first().at(0).toBool());
  EXPECT_FALSE(busy.last().at(0).toBool());
}

// Every way a server can misbehave ends within the (shortened) deadline, with the right words
// for the user, without reading anything local and without holding the body in memory.
TEST_F(PageFetcherTest, MisbehavingServersAreBoundedInTimeAndMemory) {
  fetcher.SetTransferTimeout(800);  // idle
  fetcher.SetDeadline(3000);        // overall; only the trickle may run into it
  for (const Misbehaviour& c : Misbehaviours(server, "/loop")) {
    const QByteArray path = QByteArray("/") + c.name;
    server.Set(path, c.route);
    const qint64 rssBefore = ProcStatusKiB("VmRSS");
    const bool peakReset = ResetMemoryPeak();
    QElapsedTimer clock;
    clock.start();
    GuiGapProbe probe;
    auto r = FetchAndWait(server.Url(QString::fromLatin1(path)), false, 10000);
    const qint64 worstGap = probe.Stop();
    const qint64 ms = clock.elapsed();
    const qint64 growthKiB =
        (peakReset ? ProcStatusKiB("VmHWM") : ProcStatusKiB("VmRSS")) - rssBefore;
    std::cout << "[ figures  ] " << c.name << ": gave up after " << ms << " ms, memory +"
              << growthKiB / 1024.0 << " MiB" << (peakReset ? " (peak)" : " (rss)")
              << ", longest GUI gap " << worstGap << " ms\n";
    ASSERT_TRUE(r) << c.name;
    EXPECT_EQ(web::FailureText(*r), QString::fromUtf8(c.message)) << c.name;
    EXPECT_LT(ms, std::string(c.name) == "trickle" ? 4500 : 2000) << c.name;
    EXPECT_LT(growthKiB, kFetchGrowthLimitKiB) << c.name;
    EXPECT_LT(worstGap, 250) << c.name;  // generous: a loaded machine also makes gaps
    EXPECT_FALSE(r->text.contains(QStringLiteral("root:"))) << c.name;
    EXPECT_EQ(r->ok, std::string(c.name) == "error500") << c.name;
    EXPECT_EQ(fetcher.pendingCount(), 0) << c.name;
  }
  EXPECT_EQ(server.RequestsFor("/loop"), 11);  // the first request and ten redirects
  EXPECT_EQ(web::FailureText({}), QString());
  // The error page is still text for callers that scan it.
  auto r = FetchAndWait(server.Url(QStringLiteral("/error500")));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->text, QStringLiteral("oops"));
  QTest::qWait(100);
  EXPECT_EQ(server.openConnections(), 0) << "every abandoned transfer is closed";
}

// Caps are per request: a lyrics page is held to 2 MiB; a page at the cap arrives whole, and
// decoding it leaves the GUI thread free.
TEST_F(PageFetcherTest, CapsArePerRequestAndDecodingLeavesTheGuiFree) {
  using K = LoopbackHttpServer::Kind;
  server.Set("/three", {K::Huge, "200 OK", {}, {}, 3 << 20, 0});
  std::optional<web::FetchResult> got;
  fetcher.FetchPlain(server.Url(QStringLiteral("/three")), QStringLiteral("Lrc.html"), nullptr,
                     [&got](const web::FetchResult& r) { got = r; }, {web::kLyricsMaxBytes, 0});
  ASSERT_TRUE(QTest::qWaitFor([&] { return got.has_value(); }, 10000));
  EXPECT_EQ(got->error, web::FetchError::TooLarge);

  server.Set("/full", {K::Huge, "200 OK", {}, {}, web::kPageMaxBytes, 0});
  GuiGapProbe probe;
  auto r = FetchAndWait(server.Url(QStringLiteral("/full")), false, 20000);
  const qint64 worstGap = probe.Stop();
  std::cout << "[ figures  ] 8 MiB page: longest GUI gap " << worstGap << " ms\n";
  ASSERT_TRUE(r);
  EXPECT_EQ(r->error, web::FetchError::None);
  EXPECT_EQ(r->text.size(), web::kPageMaxBytes);
  EXPECT_EQ(r->Joined().size(), web::kPageMaxBytes);
  EXPECT_EQ(Scratch().size(), web::kPageMaxBytes + 2);
  EXPECT_LT(worstGap, 250);  // generous: decoding on this thread took about 200 ms alone
}
