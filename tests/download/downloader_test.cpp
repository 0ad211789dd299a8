// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/downloader.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QDir>
#include <QFile>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTest>

#include "catalogue.h"
#include "demoserver.h"
#include "downloadpages.h"
#include "support/loopbackhttpserver.h"
#include "support/tempappdir.h"

namespace {

TEST(DownloadList, NamesKilobytesAndOneRowPerTarget) {
  EXPECT_EQ(DownloadListModel::FileNameOf("/m/歌.live.mp3"), QStringLiteral("歌"));
  EXPECT_EQ(DownloadListModel::FileNameOf("/m/noext"), QStringLiteral("noext"));
  EXPECT_EQ(DownloadListModel::Kilobytes(1999), QStringLiteral("1"));
  EXPECT_EQ(DownloadListModel::Kilobytes(999), QStringLiteral("0"));

  DownloadListModel list;
  QAbstractItemModelTester tester(&list);
  EXPECT_EQ(list.rows(), 2);  // header and the blank row
  list.AddTarget("/d/a.mp3");
  list.AddTarget("/d/a.mp3");
  EXPECT_EQ(list.rows(), 2);
  list.AddTarget("/d/b.wav");
  ASSERT_EQ(list.rows(), 3);
  EXPECT_EQ(list.RowOfName("b"), 2);
  list.SetProgress(2, 1999, 999);
  EXPECT_EQ(list.data(list.index(1, 1)).toString(), QStringLiteral("1"));
  EXPECT_EQ(list.data(list.index(1, 2)).toString(), QStringLiteral("0"));
  list.RemoveRow(1);
  list.RemoveRow(1);
  EXPECT_EQ(list.rows(), 2);  // the last row is blanked, not removed
  EXPECT_TRUE(list.row(1).path.isEmpty());
}

class Download : public ::testing::Test {
 protected:
  void SetUp() override {
    RegisterDownloads(demo, catalogue);
    ASSERT_TRUE(demo.Listen(0));
  }
  QString Target() const { return dir.Path(QStringLiteral("song.wav")); }
  void WriteOld() const { dir.WriteFile(QStringLiteral("song.wav"), "old bytes"); }
  QByteArray Bytes() const { return dir.ReadFile(QStringLiteral("song.wav")); }
  // Runs one download to its end; returns its success.
  bool Run(const QString& url, const QString& target) {
    QSignalSpy done(&downloader, &Downloader::DownloadComplete);
    downloader.BeginDownload(url, target);
    EXPECT_TRUE(done.wait(15000));
    return !done.isEmpty() && done.last().at(2).toBool();
  }
  QStringList Leftovers() const {
    return QDir(dir.root()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
  }

  DemoCatalogue catalogue;
  DemoServer demo;
  TempAppDir dir;
  QNetworkAccessManager nam;
  Downloader downloader{nam};
};

TEST_F(Download, PacedSongShowsRisingProgressAndLandsByteIdentical) {
  const QByteArray expected = catalogue.Song(1)->wav;
  QSignalSpy progress(&downloader, &Downloader::DownloadProgress);
  QSignalSpy status(&downloader, &Downloader::StatusText);
  WriteOld();
  EXPECT_TRUE(Run(demo.baseUrl() + "/download/song/1.wav", Target()));
  EXPECT_EQ(Bytes(), expected);
  EXPECT_EQ(Leftovers(), QStringList{"song.wav"});
  EXPECT_EQ(status.first().at(0).toString(), QStringLiteral("正在尝试连接源,请稍候"));
  EXPECT_EQ(status.last().at(0).toString(), QStringLiteral("正在下载"));
  // Several reports, each further than the last, the total the file's length.
  ASSERT_GE(progress.size(), 5);
  qint64 last = -1;
  for (const QList<QVariant>& p : progress) {
    EXPECT_GE(p.at(0).toLongLong(), last);
    last = p.at(0).toLongLong();
    EXPECT_EQ(p.at(1).toLongLong(), expected.size());
  }
  EXPECT_EQ(last, expected.size());
  EXPECT_TRUE(downloader.success());
  EXPECT_EQ(downloader.list().rows(), 2);
  EXPECT_TRUE(downloader.list().row(1).path.isEmpty());
}

// Broken, missing, silent and empty answers, and addresses or redirects away from http.
TEST_F(Download, EveryFailureLeavesTheTargetUntouched) {
  LoopbackHttpServer server;
  server.SetPage("/empty", QByteArray());
  server.SetPage("/tofile", "", "302 Found", "Location: file:///etc/hostname\r\n");
  server.SetPage("/toftp", "", "302 Found", "Location: ftp://127.0.0.1/a\r\n");
  server.SetPage("/tohttp", "", "302 Found", "Location: " + server.Url("/data").toUtf8() + "\r\n");
  server.SetPage("/data", "payload");
  server.Set("/silent", {LoopbackHttpServer::Kind::Silent});
  downloader.SetIdleTimeout(300);
  const QStringList urls = {demo.baseUrl() + "/download/broken/2.wav",
                            demo.baseUrl() + "/download/missing.wav",
                            "file:///etc/hostname",
                            "ftp://127.0.0.1/x.wav",
                            server.Url("/empty"),
                            server.Url("/tofile"),
                            server.Url("/toftp"),
                            server.Url("/silent")};
  for (const QString& url : urls) {
    SCOPED_TRACE(url.toStdString());
    WriteOld();
    EXPECT_FALSE(Run(url, Target()));
    EXPECT_EQ(Bytes(), QByteArray("old bytes"));
    EXPECT_EQ(Leftovers(), QStringList{"song.wav"});
  }
  EXPECT_TRUE(Run(server.Url("/tohttp"), Target()));
  EXPECT_EQ(Bytes(), QByteArray("payload"));
}

TEST_F(Download, SameTargetTwiceIsOneRowAndCancelLeavesNothingBehind) {
  WriteOld();
  const QString url = demo.baseUrl() + "/download/song/3.wav";
  QSignalSpy done(&downloader, &Downloader::DownloadComplete);
  downloader.BeginDownload(url, Target());
  downloader.BeginDownload(url, Target());
  EXPECT_EQ(downloader.list().rows(), 2);
  EXPECT_EQ(downloader.list().row(1).path, Target());
  EXPECT_EQ(downloader.pendingCount(), 2);
  EXPECT_FALSE(downloader.CancelAsyncRead());
  ASSERT_TRUE(QTest::qWaitFor([&] { return done.size() == 2; }, 5000));
  for (const QList<QVariant>& d : done) EXPECT_FALSE(d.at(2).toBool());
  EXPECT_EQ(Bytes(), QByteArray("old bytes"));
  EXPECT_EQ(Leftovers(), QStringList{"song.wav"});
  EXPECT_EQ(downloader.pendingCount(), 0);
}

}  // namespace
