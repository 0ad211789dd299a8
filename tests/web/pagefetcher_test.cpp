// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/pagefetcher.h"

#include <gtest/gtest.h>

#include <QHostAddress>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <optional>

#include "config/appconfig.h"
#include "common/gbk.h"
#include "support/tempappdir.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << s.toStdString();
}

namespace {
struct Reply {
  QByteArray status = "200 OK";
  QByteArray body;
  QByteArray headers;
  bool stall = false;
};

// A loopback HTTP server that records each request (request line and headers) and answers
// from a table by path.
class RecordingServer : public QObject {
 public:
  RecordingServer() {
    server_.listen(QHostAddress::LocalHost, 0);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* s = server_.nextPendingConnection())
        connect(s, &QTcpSocket::readyRead, this, [this, s] { Read(s); });
    });
  }
  QString Url(const QString& path) const {
    return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
  }
  QMap<QByteArray, Reply> replies;
  QList<QByteArray> requestLines;
  QList<QList<QByteArray>> headerNames;

 private:
  void Read(QTcpSocket* s) {
    QByteArray& buf = buffers_[s];
    buf += s->readAll();
    const qsizetype end = buf.indexOf("\r\n\r\n");
    if (end < 0) return;
    const QList<QByteArray> lines = buf.left(end).split('\n');
    buf.clear();
    requestLines << lines[0].trimmed();
    QList<QByteArray> names;
    for (qsizetype i = 1; i < lines.size(); ++i)
      names << lines[i].split(':')[0].trimmed().toLower();
    headerNames << names;
    const QByteArray target = lines[0].split(' ').value(1);
    const Reply r =
        replies.value(target.left(target.indexOf('?') < 0 ? target.size() : target.indexOf('?')));
    if (r.stall) return;
    s->write("HTTP/1.1 " + r.status + "\r\nContent-Length: " + QByteArray::number(r.body.size()) +
             "\r\n" + r.headers + "Connection: close\r\n\r\n" + r.body);
    s->disconnectFromHost();
  }
  QTcpServer server_;
  QHash<QTcpSocket*, QByteArray> buffers_;
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
  RecordingServer server;
};
}  // namespace

TEST_F(PageFetcherTest, CacheBusterOnlyWithForceRefreshAndTheFlag) {
  server.replies["/a.htm"].body = "ok";
  config.forceUpdate = true;
  fetcher.SetCacheBust(true);
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm?top9"))));
  // Appended with a second question mark, and the flag stays set for the next page.
  const QRegularExpression busted(
      QStringLiteral("^GET /a\\.htm\\?top9\\?fakeParam=(\\d{1,5}) HTTP"));
  const auto m = busted.match(QString::fromLatin1(server.requestLines.last()));
  ASSERT_TRUE(m.hasMatch()) << server.requestLines.last().constData();
  EXPECT_GE(m.captured(1).toInt(), 1);
  EXPECT_LE(m.captured(1).toInt(), 10000);
  EXPECT_TRUE(fetcher.cacheBust());

  for (auto [draw, want] : {std::pair{0.0, "1"}, std::pair{0.99999, "10000"}}) {
    fetcher.SetRandomSource([draw] { return draw; });
    ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm"))));
    EXPECT_EQ(server.requestLines.last(), QByteArray("GET /a.htm?fakeParam=") + want + " HTTP/1.1");
  }
  // Retry with the flag cleared, force refresh off, and the plain fetcher: the url unchanged.
  fetcher.SetCacheBust(false);
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm"))));
  EXPECT_EQ(server.requestLines.last(), "GET /a.htm HTTP/1.1");
  fetcher.SetCacheBust(true);
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm")), true));
  EXPECT_EQ(server.requestLines.last(), "GET /a.htm HTTP/1.1");
  config.forceUpdate = false;
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/a.htm"))));
  EXPECT_EQ(server.requestLines.last(), "GET /a.htm HTTP/1.1");
}

TEST_F(PageFetcherTest, SendsOnlyWhatTheHttpStackNeedsAndWordsAsGbk) {
  server.replies["/m"].body = "ok";
  ASSERT_TRUE(FetchAndWait(server.Url(QStringLiteral("/m?word=海风 a"))));
  EXPECT_EQ(server.requestLines.last(), "GET /m?word=%BA%A3%B7%E7%20a HTTP/1.1");
  const QList<QByteArray> allowed{"host", "connection", "accept-encoding", "accept-language",
                                  "user-agent"};
  for (const QByteArray& name : server.headerNames.last())
    EXPECT_TRUE(allowed.contains(name)) << name.constData();
}

TEST_F(PageFetcherTest, AnyStatusIsTextOnlyBlankPagesAreFalse) {
  server.replies["/missing"] = {
      "404 Not Found", common::EncodeGbk(QStringLiteral("<p>找不到</p>\r\n第二行")), {}, false};
  server.replies["/empty"] = {"200 OK", {}, {}, false};
  server.replies["/spaces"] = {"200 OK", "   ", {}, false};
  server.replies["/newline"] = {"200 OK", "\r\n", {}, false};
  server.replies["/moved"] = {"302 Found", "", "Location: /missing\r\n", false};

  auto r = FetchAndWait(server.Url(QStringLiteral("/missing")));
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->ok);
  EXPECT_EQ(r->text, QStringLiteral("<p>找不到</p>\r\n第二行"));
  EXPECT_EQ(r->Joined(), QStringLiteral("<p>找不到</p>第二行"));
  EXPECT_EQ(Scratch(), common::EncodeGbk(QStringLiteral("<p>找不到</p>\r\n第二行\r\n")));
  EXPECT_EQ(web::ReadBack(r->scratchFile), QStringLiteral("<p>找不到</p>第二行"));

  r = FetchAndWait(server.Url(QStringLiteral("/empty")));
  ASSERT_TRUE(r);
  EXPECT_FALSE(r->ok);
  EXPECT_EQ(Scratch(), "\r\n");

  r = FetchAndWait(server.Url(QStringLiteral("/spaces")));
  ASSERT_TRUE(r);
  EXPECT_FALSE(r->ok);
  EXPECT_EQ(Scratch(), "   \r\n");

  r = FetchAndWait(server.Url(QStringLiteral("/newline")));  // only spaces are trimmed
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->ok);

  r = FetchAndWait(server.Url(QStringLiteral("/moved")));
  ASSERT_TRUE(r);
  EXPECT_TRUE(r->text.contains(QStringLiteral("找不到")));
  EXPECT_TRUE(r->finalUrl.path().endsWith(QStringLiteral("/missing")));
}

TEST_F(PageFetcherTest, StalledServerAndRefusedAddressesGiveFalse) {
  server.replies["/stall"].stall = true;
  fetcher.SetTransferTimeout(300);
  auto r = FetchAndWait(server.Url(QStringLiteral("/stall")), false, 5000);
  ASSERT_TRUE(r) << "a silent server must be given up";
  EXPECT_FALSE(r->ok);
  EXPECT_EQ(Scratch(), "\r\n");

  const qsizetype before = server.requestLines.size();
  for (const char* address : {"file:///etc/passwd", "ftp://127.0.0.1/x", "not an address"}) {
    r = FetchAndWait(QString::fromLatin1(address));
    ASSERT_TRUE(r) << address;
    EXPECT_FALSE(r->ok) << address;
  }
  EXPECT_EQ(server.requestLines.size(), before);
}

TEST_F(PageFetcherTest, NewerFetchIntoTheSameFileSupersedesAndBigPagesAreCut) {
  server.replies["/stall"].stall = true;
  server.replies["/big"].body = QByteArray(9 << 20, 'a');
  int first = 0;
  fetcher.Fetch(server.Url(QStringLiteral("/stall")), QStringLiteral("temp.html"), nullptr,
                [&first](const web::FetchResult&) { ++first; });
  auto r = FetchAndWait(server.Url(QStringLiteral("/big")));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->text.size(), PageFetcher::kMaxBodyBytes);
  EXPECT_EQ(first, 0);

  // A caller that has gone is not called back.
  int orphan = 0;
  auto* context = new QObject;
  fetcher.Fetch(server.Url(QStringLiteral("/big")), QStringLiteral("temp1.html"), context,
                [&orphan](const web::FetchResult&) { ++orphan; });
  delete context;
  r = FetchAndWait(server.Url(QStringLiteral("/big")));  // lets the orphan finish first
  QTest::qWait(50);
  EXPECT_EQ(orphan, 0);
  EXPECT_EQ(first, 0);
}
