// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/lyricscontroller.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "app/appconfig.h"
#include "common/gbk.h"
#include "components/ui/lrcshow.h"
#include "lyrics/lrctestdata.h"
#include "playback/playbackstate.h"
#include "support/fakemediaplayer.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

namespace {

class LyricsControllerTest : public ::testing::Test {
 protected:
  LyricsControllerTest() {
    // The application folder sits one level down, so "../../x" has somewhere to point.
    QDir().mkpath(App(QStringLiteral("lrc")));
    playback_.titleText = QStringLiteral(" 测试歌曲 ");
    playback_.playingGrid = PlayingGrid::Playlist;
    player_.SetState(PlayState::Playing);
    player_.SetDuration(200);
    controller_.SetWindowVisible(true);
    controller_.SetSearchLyrics(
        [this](const QString& path, const QString& title) { searches_ << path + u'|' + title; });
  }

  QString App(const QString& rel) const { return outer_.Path(QStringLiteral("app/") + rel); }
  QString Song() const { return App(QStringLiteral("lrc/测试歌曲.lrc")); }
  void Write(const QString& path, const QByteArray& bytes) {
    outer_.WriteFile(QDir(outer_.root()).relativeFilePath(path), bytes);
  }
  QByteArray Read(const QString& path) {
    return outer_.ReadFile(QDir(outer_.root()).relativeFilePath(path));
  }
  void WriteSong(const QStringList& lines, const QString& name = QStringLiteral("测试歌曲")) {
    Write(App(QStringLiteral("lrc/") + name + QStringLiteral(".lrc")),
          common::EncodeGbk(lines.join("\r\n") + "\r\n"));
  }
  QString Message() const { return display_.messageLines().join(QStringLiteral("\r\n")); }

  TempAppDir outer_;
  PlaybackState playback_;
  FakeMediaPlayer player_;
  LrcShow display_;
  AppConfig config_;
  ScriptedPrompter prompter_;
  LyricsController controller_{playback_, player_, display_, config_, AppPaths(App(QString())),
                               prompter_};
  QStringList searches_;
};

TEST_F(LyricsControllerTest, BlankTitleLoadsAndSearchesNothing) {
  playback_.titleText = QStringLiteral("   ");
  controller_.LoadSongLyrics();
  EXPECT_TRUE(searches_.isEmpty());
  EXPECT_TRUE(Message().isEmpty());
}

TEST_F(LyricsControllerTest, FailingFilesAreMovedToTheBackupAndASearchStarts) {
  const QStringList failing[] = {MakeLrcLines(15, 200, {}), MakeLrcLines(30, 59.99),
                                 MakeLrcLines(20, 200) << QStringLiteral("<br>")};
  for (const QStringList& lines : failing) {
    searches_.clear();
    WriteSong(lines);
    const QByteArray bytes = Read(Song());
    controller_.ShowLrcNow();
    EXPECT_FALSE(QFile::exists(Song()));
    EXPECT_EQ(Read(App(QStringLiteral("bin/backup/lrc/测试歌曲.lrc"))), bytes);
    EXPECT_FALSE(controller_.loaded());
    EXPECT_EQ(Message(), QStringLiteral("搜索歌词,请稍候..."));
    EXPECT_EQ(searches_, QStringList{Song() + QStringLiteral("|测试歌曲")});
  }
  config_.sets[6] = false;
  controller_.ShowLrcNow();
  EXPECT_EQ(Message(),
            QStringLiteral("       自动下载歌词功能未启用!\r\n开启位置:智能纠错>自动下载歌词"));
  EXPECT_EQ(searches_.size(), 1);
}

TEST_F(LyricsControllerTest, LoadsAFileEndingAtOneMinuteIgnoringTenMinuteTags) {
  WriteSong(MakeLrcLines(20, 60) << QStringLiteral("[10:00.00]尾声")
                                 << QStringLiteral("[offset:-500]"));
  controller_.AdvanceOffset();
  controller_.ShowLrcNow();
  EXPECT_EQ(display_.loadedFile(), Song());
  EXPECT_FLOAT_EQ(controller_.state().lastLyricTime, 60);
  EXPECT_FLOAT_EQ(controller_.offsetMs(), 0);
  EXPECT_TRUE(searches_.isEmpty());
}

TEST_F(LyricsControllerTest, RowFileNeedsPlayingWhileTagTitleFileDoesNot) {
  WriteSong(MakeLrcLines(20, 200));
  WriteSong(MakeLrcLines(20, 180, {QStringLiteral("[offset:700]")}), QStringLiteral("Tag Title"));
  player_.SetTag(QStringLiteral("Title"), QStringLiteral(" Tag Title "));
  player_.SetState(PlayState::Paused);
  controller_.ShowLrcNow();
  EXPECT_TRUE(QFile::exists(Song()));
  EXPECT_EQ(display_.loadedFile(), App(QStringLiteral("lrc/Tag Title.lrc")));
  EXPECT_FLOAT_EQ(controller_.offsetMs(), 700);
  player_.SetState(PlayState::Playing);
  controller_.ShowLrcNow();
  EXPECT_EQ(display_.loadedFile(), Song());
}

TEST_F(LyricsControllerTest, TitlesNeverReachFilesOutsideTheLyricsFolder) {
  QDir(App(QString())).mkpath(QStringLiteral("lrc/a"));
  const QString outside[] = {outer_.Path(QStringLiteral("x.lrc")), App(QStringLiteral("x.lrc")),
                             App(QStringLiteral("lrc/a/b.lrc"))};
  for (const QString& path : outside) Write(path, "broken");
  for (const char* title : {"../../x", "../x", "a/b", "..", "/"}) {
    playback_.titleText = QString::fromUtf8(title);
    controller_.ShowLrcNow();
    controller_.OnPollTick();
  }
  for (const QString& path : outside) EXPECT_EQ(Read(path), "broken") << path.toStdString();
  EXPECT_FALSE(QDir(App(QStringLiteral("bin/backup"))).exists());
}

TEST_F(LyricsControllerTest, SavingTheOffsetRewritesTheFileInItsEncoding) {
  controller_.SaveLrcOffset();  // nothing loaded yet
  struct Case {
    QByteArray prefix;  // how the file starts; the generated lyrics follow
    QByteArray savedPrefix;
    bool utf8Bom;
  } cases[] = {
      {"[ti:x]\r\n[offset:-200]\r\n", "[ti:x]\r\n[offset:1000]\r\n", false},
      {"[ti:x]\r\n", "[ti:x]\r\n[offset:1000]\r\n[00:00.00]", false},
      {"\xEF\xBB\xBF[ti:x]\r\n", "\xEF\xBB\xBF[ti:x]\r\n[offset:1000]\r\n[00:00.00]", true},
  };
  for (const Case& c : cases) {
    const QString body = MakeLrcLines(20, 200, {}).join("\r\n") + "\r\n";
    Write(Song(), c.prefix + (c.utf8Bom ? body.toUtf8() : common::EncodeGbk(body)));
    controller_.ShowLrcNow();
    controller_.AdvanceOffset();
    controller_.AdvanceOffset();
    controller_.SaveLrcOffset();
    const QByteArray saved = Read(Song());
    EXPECT_TRUE(saved.startsWith(c.savedPrefix)) << saved.left(40).toStdString();
    EXPECT_EQ(common::DecodeFileText(saved).count(QStringLiteral("第20行")), 1);
  }
  ASSERT_EQ(prompter_.asked().size(), 4);
  const PromptMessage& error = prompter_.asked()[0].message;
  EXPECT_EQ(error.text, QStringLiteral("发生错误!可能原因:无媒体载入\\无匹配歌词\\空的文件路径"));
  EXPECT_EQ(error.title, QStringLiteral("Error"));
  EXPECT_EQ(error.icon, PromptIcon::Exclamation);
  const PromptMessage& done = prompter_.asked()[3].message;
  EXPECT_EQ(done.text, QStringLiteral("offset已成功写入并保存!"));
  EXPECT_EQ(done.title, QStringLiteral("操作已成功"));
  EXPECT_EQ(done.icon, PromptIcon::Information);
}

TEST_F(LyricsControllerTest, PositionTextRoundsToOneDecimal) {
  struct Case {
    double seconds;
    float offset;
    const char* text;
  } cases[] = {{83.44, 0, "83.4"},
               {1.0996, 0, "1.1"},
               {10, 500, "10.5"},
               {0.2, -500, "0.0"},
               {125.95, -1000, "124.9"}};
  for (const Case& c : cases) {
    playback_.lyricsOffset = c.offset;
    EXPECT_EQ(controller_.PositionText(c.seconds), QString::fromUtf8(c.text)) << c.seconds;
  }
}

TEST_F(LyricsControllerTest, StopsAdvancingAfterTheLastLyricAndKeepsTheIndicator) {
  WriteSong(MakeLrcLines(20, 60));  // a line every 60/19 s
  controller_.ShowLrcNow();
  controller_.AdvanceOffset();
  controller_.OnLyricsTick(59.0);
  EXPECT_EQ(display_.currentLine(), 18);
  EXPECT_EQ(controller_.indicatorCaption(), QStringLiteral("offset=500"));
  controller_.ResetOffset();
  controller_.OnLyricsTick(60.0);
  EXPECT_EQ(display_.currentLine(), 18);
  EXPECT_TRUE(controller_.indicatorVisible());
  // 200 s of song against 60 s of lyrics: the lyrics may be wrong, unless the check is off.
  EXPECT_TRUE(controller_.noticeVisible());
  config_.sets[7] = false;
  controller_.OnLyricsTick(76.0);
  EXPECT_FALSE(controller_.noticeVisible());
}

TEST_F(LyricsControllerTest, PollPicksUpADownloadedFileWhateverItsCase) {
  controller_.ShowLrcNow();
  ASSERT_EQ(searches_.size(), 1);
  WriteSong(MakeLrcLines(20, 190));
  controller_.OnPollTick();
  EXPECT_EQ(display_.loadedFile(), Song());
  EXPECT_TRUE(controller_.IsLyricLengthPlausible());

  playback_.titleText = QStringLiteral("Mixed Case");
  WriteSong(MakeLrcLines(20, 190), QStringLiteral("MIXED CASE"));
  controller_.ShowLrcIfNeeded();
  EXPECT_EQ(display_.loadedFile(), App(QStringLiteral("lrc/MIXED CASE.lrc")));
}

TEST_F(LyricsControllerTest, PickedLineSeeksOnlyWithinTheDownloadedPart) {
  player_.SetDownload(50);  // 100 of 200 seconds have arrived
  playback_.lyricsOffset = 500;
  controller_.OnPositionPicked(90.0);
  controller_.OnPositionPicked(100.6);
  player_.SetState(PlayState::Paused);
  controller_.OnPositionPicked(10.0);
  EXPECT_EQ(player_.calls(), QStringList{QStringLiteral("seek:89.5")});
}

}  // namespace
