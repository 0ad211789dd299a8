// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <QDir>

#include "config/appconfig.h"
#include "common/gbk.h"
#include "components/ui/lrcshow.h"
#include "lyrics/lyricscontroller.h"
#include "playback/playbackstate.h"
#include "support/fakemediaplayer.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"

// Lyrics files made by the tests: header tags, then `timeLines` lines spread evenly from
// 0 to `lastSeconds`, each long enough that 16 of them pass the 300-character rule.
inline QStringList MakeLrcLines(int timeLines, double lastSeconds,
                                QStringList head = {"[ti:测试歌曲]", "[ar:测试歌手]"}) {
  for (int k = 0; k < timeLines; ++k) {
    const int cs = qRound(lastSeconds * 100 * k / (timeLines - 1));
    head << QString::asprintf("[%02d:%02d.%02d]", cs / 6000, cs / 100 % 60, cs % 100) +
                QStringLiteral("第%1行 风吹过山岗的时候我想起你").arg(k + 1);
  }
  return head;
}

// The lyrics controller while a 200-second song titled "测试歌曲" plays from a playlist. The
// application folder sits one level down, so "../../x" has somewhere to point.
class LyricsTest : public ::testing::Test {
 protected:
  LyricsTest() {
    QDir(outer_.root()).mkpath(QStringLiteral("app/lrc"));
    playback_.titleText = QStringLiteral(" 测试歌曲 ");
    playback_.playingGrid = PlayingGrid::Playlist;
    player_.SetState(PlayState::Playing);
    player_.SetDuration(200);
    controller_.SetWindowVisible(true);
    controller_.SetSearchLyrics(
        [this](const QString& path, const QString& title) { searches_ << path + u'|' + title; });
  }
  QString App(const QString& rel) const { return outer_.Path("app/" + rel); }
  QByteArray Read(const QString& rel) const { return outer_.ReadFile("app/" + rel); }
  QString Message() const { return display_.messageLines().join(QStringLiteral("\r\n")); }
  void WriteSong(const QStringList& lines, const QString& name = QStringLiteral("测试歌曲")) {
    outer_.WriteFile("app/lrc/" + name + ".lrc", common::EncodeGbk(lines.join("\r\n") + "\r\n"));
  }

  TempAppDir outer_;
  PlaybackState playback_;
  FakeMediaPlayer player_;
  LrcShow display_;
  AppConfig config_;
  ScriptedPrompter prompter_;
  LyricsController controller_{playback_, player_, display_, config_, AppPaths(App(QString())),
                               prompter_};
  QStringList searches_;
  const QString song_ = App(QStringLiteral("lrc/测试歌曲.lrc"));
};
