// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/songdownload.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QNetworkAccessManager>
#include <QTemporaryDir>

#include "download/downloader.h"
#include "support/scriptedprompter.h"

namespace {

TEST(DownloadName, ExtensionFromTheAddressEnd) {
  const std::pair<const char*, const char*> cases[] = {
      {"http://h/song.MP3", ".mp3"}, {"http://h/a.ogg", ".ogg"}, {"http://h/get?id=1234", "1234"},
      {"http://h/x.rm", ".rm"},      {"http://h/x.WMA", ".wma"}, {"http://h/x.mid", ".mid"},
      {"http://h/x.wav", ".wav"},    {"http://h/x.asf", ".asf"}};
  for (const auto& [address, ext] : cases)
    EXPECT_EQ(download::ExtensionFor(QString::fromLatin1(address)), QString::fromLatin1(ext))
        << address;
}

TEST(DownloadName, ProposalStaysInTheFolder) {
  EXPECT_EQ(download::ProposedPath("/d", QStringLiteral("  我的歌 "), "http://h/a.MP3"),
            QStringLiteral("/d/我的歌.mp3"));
  const QString hostile = download::ProposedPath("/d", "../../etc/x", "http://h/a/b/c");
  EXPECT_TRUE(hostile.startsWith("/d/")) << hostile.toStdString();
  EXPECT_FALSE(hostile.mid(3).contains(u'/')) << hostile.toStdString();
}

class SongDownloadCommand : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  ScriptedPrompter prompter;
  QNetworkAccessManager nam;
  Downloader downloader{nam};
  SongDownload command{downloader, prompter, dir.path()};
};

TEST_F(SongDownloadCommand, RadioIsRefusedAndNothingPlayingDoesNothing) {
  EXPECT_FALSE(command.Run(true, true, "station", "http://127.0.0.1:9/live"));
  ASSERT_EQ(prompter.asked().size(), 1);
  EXPECT_EQ(prompter.asked()[0].message.text,
            QStringLiteral("很抱歉,在线电台无媒体长度,您不能下载!"));
  EXPECT_EQ(prompter.asked()[0].message.title, QStringLiteral("Error"));
  prompter.ClearAsked();
  EXPECT_FALSE(command.Run(false, false, "song", "http://127.0.0.1:9/a.mp3"));
  EXPECT_TRUE(prompter.asked().isEmpty());
  EXPECT_EQ(downloader.pendingCount(), 0);
}

TEST_F(SongDownloadCommand, CancelledDialogOrOverwriteStartsNothing) {
  prompter.QueuePath(std::nullopt);
  EXPECT_FALSE(command.Run(false, true, " 歌 ", "http://127.0.0.1:9/a.MP3"));
  ASSERT_EQ(prompter.asked().size(), 1);
  EXPECT_EQ(prompter.asked()[0].kind, QStringLiteral("save"));
  EXPECT_EQ(prompter.asked()[0].message.title, QStringLiteral("下载歌曲文件"));
  EXPECT_EQ(prompter.asked()[0].defaultText, dir.filePath(QStringLiteral("歌.mp3")));

  const QString existing = dir.filePath("old.mp3");
  QFile f(existing);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  prompter.ClearAsked();
  prompter.QueuePath(existing);
  prompter.QueueAnswer(PromptAnswer::Cancel);
  EXPECT_FALSE(command.Run(false, true, "歌", "http://127.0.0.1:9/a.mp3"));
  ASSERT_EQ(prompter.asked().size(), 2);
  EXPECT_EQ(prompter.asked()[1].message.text, QStringLiteral("媒体文件已存在,确认覆盖?"));
  EXPECT_EQ(prompter.asked()[1].message.title, QStringLiteral("提示"));
  EXPECT_EQ(downloader.pendingCount(), 0);
  EXPECT_FALSE(command.active());
  EXPECT_TRUE(downloader.list().row(1).path.isEmpty());
}

}  // namespace
