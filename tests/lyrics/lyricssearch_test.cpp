// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lyricssearch.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>

#include "lyrics/lrchitmodel.h"
#include "lyricstest.h"
#include "support/loopbackhttpserver.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {

QByteArray GbkLrc(const QString& title) {
  return common::EncodeGbk(MakeLrcLines(20, 180, {"[ti:" + title + "]"}).join("\r\n") + "\r\n");
}
QByteArray Utf8BomLfLrc() {
  return "\xEF\xBB\xBF" + MakeLrcLines(20, 190).join("\n").toUtf8() + "\n";
}
const QByteArray kErrorPage =
    "<html><head><title>404</title></head><body><div>找不到歌词</div></body></html>";

// The lyrics search of a 200-second song "测试歌曲" against a loopback engine.
class LyricsSearchTest : public LyricsTest {
 protected:
  LyricsSearchTest() {
    hosts_.PointAllAt(server_.Url(QString()));
    config_.lyricsEngine = 1;
    server_.SetPage("/good.lrc", GbkLrc("good"));
    server_.SetPage("/bom.lrc", Utf8BomLfLrc());
    server_.SetPage("/error.lrc", kErrorPage, "404 Not Found");
  }
  // A Baidu results page with one entry per (singer, link path).
  void SetBaiduHits(const QList<QPair<QString, QString>>& hits) {
    QString page;
    for (const auto& [singer, path] : hits)
      page += QStringLiteral(
                  "<div><strong>歌曲：</strong><B>测试歌曲</B></div><div><strong>"
                  "歌手：</strong><A href=\"/s\">") +
              singer + QStringLiteral("</a></div><div style=\"word-break:break-all\"><a href=\"") +
              (path.contains(u':') ? path : server_.Url(path)) +
              QStringLiteral("\" target=\"_blank\">x</a></div>LRC歌词来自：demo");
    server_.SetPage("/m", common::EncodeGbk(page));
  }
  bool RunSearch(const QString& title = QStringLiteral("测试歌曲")) {
    QSignalSpy finished(&search_, &LyricsSearch::SearchFinished);
    search_.SearchLyrics(QString(), title);
    return finished.wait(5000);
  }

  LoopbackHttpServer server_;
  ServiceHosts hosts_;
  PageFetcher fetcher_{AppPaths(App(QString()), App("scratch")), config_};
  LrcHitModel hits_;
  LyricsSearch search_{fetcher_,  hosts_,  config_,     AppPaths(App(QString())),
                       playback_, player_, controller_, hits_};
};

TEST_F(LyricsSearchTest, PassesTrySingerThenAuthorThenTheFirstHit) {
  const struct {
    const char* singer;
    const char* author;
    QByteArray file;
    int errorRequests;
  } cases[] = {
      // The error page matches the singer first: it is dropped and the next match is taken.
      {"乙", "", Utf8BomLfLrc(), 1},
      {"未知", "乙", Utf8BomLfLrc(), 1},
      {"未知", "", GbkLrc("good"), 0},
      {"丙", "", GbkLrc("good"), 0},  // no row matches: the first hit
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.singer + std::string("/") + c.author);
    QFile::remove(song_);
    SetBaiduHits({{"甲", "/good.lrc"}, {"乙", "/error.lrc"}, {"乙", "/bom.lrc"}});
    playback_.artistText = QString::fromUtf8(c.singer);
    player_.SetTag(QStringLiteral("Author"), QString::fromUtf8(c.author));
    const int errorsBefore = server_.RequestsFor("/error.lrc");
    ASSERT_TRUE(RunSearch());
    EXPECT_EQ(Read("lrc/测试歌曲.lrc"), c.file) << "kept byte for byte as it came";
    EXPECT_EQ(server_.RequestsFor("/error.lrc") - errorsBefore, c.errorRequests);
    EXPECT_EQ(Message(), QStringLiteral("歌词下载成功!"));
    EXPECT_EQ(controller_.state().lrcPath, song_);
    EXPECT_EQ(hits_.hit(2).singer, QStringLiteral("乙"));
    EXPECT_EQ(hits_.gridRows(), 15);
  }
}

TEST_F(LyricsSearchTest, TheFirstHitIsTriedOnceAndNoMatchIsSaid) {
  SetBaiduHits({{"甲", "/error.lrc"}, {"乙", "/good.lrc"}});
  playback_.artistText = QStringLiteral("未知");
  ASSERT_TRUE(RunSearch());
  EXPECT_FALSE(QFileInfo::exists(song_));
  EXPECT_EQ(server_.RequestsFor("/good.lrc"), 0);
  EXPECT_EQ(Message(), QStringLiteral("暂无匹配歌词!"));

  SetBaiduHits({});
  ASSERT_TRUE(RunSearch());
  EXPECT_EQ(Message(), QStringLiteral("暂无匹配歌词!"));
}

TEST_F(LyricsSearchTest, UnsafeLinksAndOversizedFilesAreSkipped) {
  LoopbackHttpServer::Route huge;
  huge.kind = LoopbackHttpServer::Kind::Huge;
  huge.size = 3 << 20;
  server_.Set("/huge.lrc", huge);
  SetBaiduHits({{"乙", "file:///etc/passwd"}, {"乙", "/huge.lrc"}, {"乙", "/good.lrc"}});
  playback_.artistText = QStringLiteral("乙");
  ASSERT_TRUE(RunSearch());
  EXPECT_EQ(Read("lrc/测试歌曲.lrc"), GbkLrc("good"));
  EXPECT_EQ(hits_.hit(1).link, QString());
}

TEST_F(LyricsSearchTest, AValidFileIsNeverReplacedAndAHiddenWindowSearchesNothing) {
  SetBaiduHits({{"甲", "/good.lrc"}});
  WriteSong(MakeLrcLines(20, 150));
  const QByteArray before = Read("lrc/测试歌曲.lrc");
  ASSERT_TRUE(RunSearch());
  EXPECT_EQ(Read("lrc/测试歌曲.lrc"), before);
  EXPECT_EQ(server_.RequestsFor("/good.lrc"), 0);

  controller_.SetWindowVisible(false);
  const int pages = server_.RequestsFor("/m");
  search_.SearchLyrics(QString(), QStringLiteral("别的歌"));
  QTest::qWait(200);
  EXPECT_EQ(server_.RequestsFor("/m"), pages);
  EXPECT_FALSE(search_.running());
}

TEST_F(LyricsSearchTest, TitlesThatClimbOutStillLandInTheLyricsFolder) {
  SetBaiduHits({{"甲", "/good.lrc"}});
  ASSERT_TRUE(RunSearch(QStringLiteral("../../测试")));
  const QStringList written = QDir(App("lrc")).entryList(QDir::Files);
  ASSERT_EQ(written.size(), 1);
  EXPECT_TRUE(written[0].endsWith(QStringLiteral("测试.lrc"))) << written[0].toStdString();
  EXPECT_TRUE(QDir(outer_.Path(QString())).entryList({"*.lrc"}, QDir::Files).isEmpty());
}

TEST_F(LyricsSearchTest, ANewSongStopsTheSearchAndItWritesNothing) {
  LoopbackHttpServer::Route slow;
  slow.body = GbkLrc("slow");
  slow.delayMs = 300;
  server_.Set("/slow.lrc", slow);
  SetBaiduHits({{"甲", "/slow.lrc"}});
  QSignalSpy finished(&search_, &LyricsSearch::SearchFinished);
  search_.SearchLyrics(QString(), QStringLiteral("测试歌曲"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return server_.RequestsFor("/slow.lrc") == 1; }, 5000));
  search_.Cancel();
  QTest::qWait(600);
  EXPECT_FALSE(QFileInfo::exists(song_));
  EXPECT_EQ(finished.count(), 0);
}

TEST_F(LyricsSearchTest, SiteEngineReadsAsManyPagesAsTheCountSays) {
  config_.lyricsEngine = 0;
  QString entries;
  for (int k = 0; k < 10; ++k)
    entries += QStringLiteral(
        ".歌曲：<a href=/x>测试歌曲</a> 歌手：<a href=/s>甲</a> 下载："
        "<a>>TXT格式<</a><a href=\"good.lrc\" target=_blank>下载</a>"
        "音乐播放LRC同步显示");
  for (const auto& [count, pages] : {std::pair{7, 1}, {25, 2}, {80, 5}}) {
    SCOPED_TRACE(count);
    server_.SetPage("/", common::EncodeGbk(QStringLiteral("共找到<span class=\"fred\">%1</span>"
                                                          "个结果 赞助广告")
                                               .arg(count) +
                                           entries));
    const int before = server_.RequestsFor("/");
    QFile::remove(song_);
    ASSERT_TRUE(RunSearch());
    EXPECT_EQ(server_.RequestsFor("/") - before, 1 + pages);
    EXPECT_EQ(Read("lrc/测试歌曲.lrc"), GbkLrc("good"));
  }
}

TEST_F(LyricsSearchTest, ManualDownloadReplacesOnlyWithAValidFile) {
  SetBaiduHits({{"甲", "/error.lrc"}, {"乙", "/bom.lrc"}});
  playback_.artistText = QStringLiteral("未知");
  ASSERT_TRUE(RunSearch());  // lists both; the error page is tried and dropped
  hits_.Append({QStringLiteral("无链接"), QString(), QString()});
  WriteSong(MakeLrcLines(20, 150));
  const QByteArray before = Read("lrc/测试歌曲.lrc");
  QSignalSpy done(&search_, &LyricsSearch::DownloadFinished);

  EXPECT_FALSE(search_.DownloadRow(0));
  EXPECT_FALSE(search_.DownloadRow(14)) << "a padding row";
  ASSERT_TRUE(search_.DownloadRow(3));
  EXPECT_EQ(Message(), QStringLiteral("歌词下载失败!"));
  EXPECT_EQ(Read("lrc/测试歌曲.lrc"), before);

  ASSERT_TRUE(search_.DownloadRow(1));
  ASSERT_TRUE(done.wait(5000));
  EXPECT_EQ(Message(), QStringLiteral("格式无法解析<缺必要标签>!"));
  EXPECT_EQ(Read("lrc/测试歌曲.lrc"), before);
  EXPECT_FALSE(QFileInfo::exists(App("lrc/测试歌曲2.lrc")));

  server_.SetPage("/bom.lrc", {}, "503 Service Unavailable");
  ASSERT_TRUE(search_.DownloadRow(2));
  ASSERT_TRUE(done.wait(5000));
  EXPECT_EQ(Message(), QStringLiteral("歌词下载失败!"));
  EXPECT_EQ(Read("lrc/测试歌曲.lrc"), before);

  server_.SetPage("/bom.lrc", Utf8BomLfLrc());
  ASSERT_TRUE(search_.DownloadRow(2));
  ASSERT_TRUE(done.wait(5000));
  EXPECT_EQ(Read("lrc/测试歌曲.lrc"), Utf8BomLfLrc());
  EXPECT_EQ(Read("bin/backup/lrc/测试歌曲.lrc"), before);
  EXPECT_FALSE(QFileInfo::exists(App("lrc/测试歌曲2.lrc")));
  EXPECT_TRUE(controller_.loaded()) << "the new file is loaded at once";
}

}  // namespace
