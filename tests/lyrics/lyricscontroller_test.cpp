// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lyricscontroller.h"

#include <QFile>

#include "lyrics/lyricstest.h"

namespace {

using LyricsControllerTest = LyricsTest;

TEST_F(LyricsControllerTest, FailingFilesGoToTheBackupAndASearchStartsButNotForABlankTitle) {
  for (const QStringList& lines : {MakeLrcLines(15, 200, {}), MakeLrcLines(30, 59.99),
                                   MakeLrcLines(20, 200) << QStringLiteral("<br>")}) {
    WriteSong(lines);
    const QByteArray bytes = Read(QStringLiteral("lrc/测试歌曲.lrc"));
    controller_.ShowLrcNow();
    EXPECT_FALSE(QFile::exists(song_));
    EXPECT_EQ(Read(QStringLiteral("bin/backup/lrc/测试歌曲.lrc")), bytes);
    EXPECT_EQ(Message(), QStringLiteral("搜索歌词,请稍候..."));
  }
  EXPECT_EQ(searches_, QStringList(3, song_ + QStringLiteral("|测试歌曲")));
  config_.sets[6] = false;
  controller_.ShowLrcNow();
  EXPECT_EQ(Message(),
            QStringLiteral("       自动下载歌词功能未启用!\r\n开启位置:智能纠错>自动下载歌词"));
  playback_.titleText = QStringLiteral("   ");
  controller_.ShowLrcNow();
  EXPECT_TRUE(Message().isEmpty());
  EXPECT_EQ(searches_.size(), 3);
}

// Candidate A, from the row title, needs the player playing; B, from the Title tag, does not.
TEST_F(LyricsControllerTest, LoadsTheRowOrTagTitleFileAndPicksUpADownloadWhateverItsCase) {
  controller_.ShowLrcNow();  // starts a search
  controller_.OnPollTick();  // the download has not landed yet
  // Ends at one minute, as a ten-minute tag counts as 0; a negative offset is ignored.
  WriteSong(MakeLrcLines(20, 60) << QStringLiteral("[10:00.00]尾声")
                                 << QStringLiteral("[offset:-500]"));
  controller_.AdvanceOffset();
  // The download shows within a second of ticks.
  for (int tick = 0; tick < 10 && display_.loadedFile().isEmpty(); ++tick)
    controller_.OnPollTick();
  EXPECT_EQ(display_.loadedFile(), song_);
  EXPECT_FLOAT_EQ(controller_.state().lastLyricTime, 60);
  EXPECT_FLOAT_EQ(controller_.offsetMs(), 0);

  WriteSong(MakeLrcLines(20, 180, {QStringLiteral("[offset:700]")}), QStringLiteral("Tag Title"));
  player_.SetTag(QStringLiteral("Title"), QStringLiteral(" Tag Title "));
  player_.SetState(PlayState::Paused);
  controller_.ShowLrcNow();
  EXPECT_TRUE(QFile::exists(song_));
  EXPECT_EQ(display_.loadedFile(), App(QStringLiteral("lrc/Tag Title.lrc")));
  EXPECT_FLOAT_EQ(controller_.offsetMs(), 700);
  player_.SetState(PlayState::Playing);
  controller_.ShowLrcNow();
  EXPECT_EQ(display_.loadedFile(), song_);

  playback_.titleText = QStringLiteral("Mixed Case");
  WriteSong(MakeLrcLines(20, 190), QStringLiteral("MIXED CASE"));
  controller_.ShowLrcIfNeeded();
  EXPECT_EQ(display_.loadedFile(), App(QStringLiteral("lrc/MIXED CASE.lrc")));
  EXPECT_TRUE(controller_.IsLyricLengthPlausible());
  EXPECT_EQ(searches_.size(), 1);
}

// Nothing outside the lyrics folder is read, moved or deleted, whatever the title holds.
TEST_F(LyricsControllerTest, TitlesNeverReachFilesOutsideTheLyricsFolder) {
  const char* outside[] = {"x.lrc", "app/x.lrc", "app/lrc/a/b.lrc"};
  for (const char* path : outside) outer_.WriteFile(path, "broken");
  for (const char* title : {"../../x", "../x", "a/b", "..", "/"}) {
    playback_.titleText = QString::fromUtf8(title);
    controller_.ShowLrcNow();
    controller_.OnPollTick();
  }
  for (const char* path : outside) EXPECT_EQ(outer_.ReadFile(path), "broken") << path;
}

TEST_F(LyricsControllerTest, SavingTheOffsetRewritesTheFileInItsEncoding) {
  controller_.SaveLrcOffset();  // nothing loaded yet
  const QString body = MakeLrcLines(20, 200, {}).join("\r\n") + "\r\n";
  // How the file starts (the generated lyrics follow), and how it starts once saved.
  const std::pair<const char*, const char*> cases[] = {
      {"[ti:x]\r\n[offset:-200]\r\n", "[ti:x]\r\n[offset:1000]\r\n"},
      {"[ti:x]\r\n", "[ti:x]\r\n[offset:1000]\r\n[00:00.00]"},
      {"\xEF\xBB\xBF[ti:x]\r\n", "\xEF\xBB\xBF[ti:x]\r\n[offset:1000]\r\n[00:00.00]"}};
  for (const auto& [prefix, saved] : cases) {
    const bool utf8 = prefix[0] == '\xEF';
    outer_.WriteFile("app/lrc/测试歌曲.lrc",
                     prefix + (utf8 ? body.toUtf8() : common::EncodeGbk(body)));
    controller_.ShowLrcNow();
    controller_.AdvanceOffset();
    controller_.AdvanceOffset();
    controller_.SaveLrcOffset();
    const QByteArray bytes = Read(QStringLiteral("lrc/测试歌曲.lrc"));
    EXPECT_TRUE(bytes.startsWith(saved)) << bytes.left(40).toStdString();
    EXPECT_EQ(common::DecodeFileText(bytes).count(QStringLiteral("第20行")), 1);
  }
  // Bytes that are not text, LF line ends and a lone lead byte: only the tag's bytes change.
  QByteArray odd = "[ti:x]\n[offset:-200]\n[ar:\xFF\xFE\x80]\n" + common::EncodeGbk(body);
  odd.replace("\r\n", "\n");
  odd += "[99:00]\x81";
  outer_.WriteFile("app/lrc/测试歌曲.lrc", odd);
  controller_.ShowLrcNow();
  controller_.AdvanceOffset();
  controller_.AdvanceOffset();
  controller_.SaveLrcOffset();
  EXPECT_EQ(Read(QStringLiteral("lrc/测试歌曲.lrc")),
            QByteArray(odd).replace("[offset:-200]", "[offset:1000]"));
  const QString done = QStringLiteral("offset已成功写入并保存!");
  ASSERT_EQ(prompter_.messages(),
            (QStringList{QStringLiteral("发生错误!可能原因:无媒体载入\\无匹配歌词\\空的文件路径"),
                         done, done, done, done}));
  EXPECT_EQ(prompter_.asked()[0].message.title, QStringLiteral("Error"));
  EXPECT_EQ(prompter_.asked()[0].message.icon, PromptIcon::Exclamation);
  EXPECT_EQ(prompter_.asked()[3].message.title, QStringLiteral("操作已成功"));
  EXPECT_EQ(prompter_.asked()[3].message.icon, PromptIcon::Information);
}

TEST_F(LyricsControllerTest, PositionsRoundToOneDecimalAndAPickedLineSeeksOnlyIfDownloaded) {
  const std::tuple<double, float, const char*> cases[] = {// seconds, offset in ms, text
                                                          {83.44, 0, "83.4"},
                                                          {1.0996, 0, "1.1"},
                                                          {10, 500, "10.5"},
                                                          {0.2, -500, "0.0"},
                                                          {125.95, -1000, "124.9"}};
  for (const auto& [seconds, offset, text] : cases) {
    playback_.lyricsOffset = offset;
    EXPECT_EQ(controller_.PositionText(seconds), QString::fromUtf8(text)) << seconds;
  }
  player_.SetDownload(50);  // 100 of 200 seconds have arrived
  playback_.lyricsOffset = 500;
  controller_.OnPositionPicked(90.0);
  controller_.OnPositionPicked(100.6);
  player_.SetState(PlayState::Paused);
  controller_.OnPositionPicked(10.0);
  EXPECT_EQ(player_.calls(), QStringList{QStringLiteral("seek:89.5")});
}

}  // namespace
