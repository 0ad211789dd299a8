// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a three-song playlist of generated WAV files through the real player, headless.
#include <gtest/gtest.h>

#include <QDataStream>
#include <QTest>
#include <cmath>

#include "config/appconfig.h"
#include "common/numparse.h"
#include "components/mpvplayer.h"
#include "playback/playbackengine.h"
#include "playlist/songgridmodel.h"
#include "support/tempappdir.h"

namespace {

// A mono 16-bit 44.1 kHz sine tone.
QByteArray ToneWav(double seconds, double hz) {
  const quint32 rate = 44100, samples = static_cast<quint32>(seconds * rate);
  QByteArray wav;
  QDataStream out(&wav, QIODevice::WriteOnly);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("RIFF", 4);
  out << quint32(36 + samples * 2);
  out.writeRawData("WAVEfmt ", 8);
  out << quint32(16) << quint16(1) << quint16(1) << rate << rate * 2 << quint16(2) << quint16(16);
  out.writeRawData("data", 4);
  out << samples * 2;
  for (quint32 i = 0; i < samples; ++i)
    out << static_cast<qint16>(8000 * std::sin(2 * M_PI * hz * i / rate));
  return wav;
}

TEST(MpvPlaylistTest, ListLoopPlaysEveryRowAndWraps) {
  TempAppDir dir;
  MpvPlayer::Options options;
  options.audioOutput = QStringLiteral("null");
  MpvPlayer player(options);
  AppConfig config;
  config.playMode = 3;
  config.sets[1] = false;  // the songs are one second long: not fake clips here
  SongGridModel playlist(SongGridModel::Kind::Songs);
  SongGridModel results(SongGridModel::Kind::Songs);
  playlist.Setup();
  playlist.SetRows(1);
  for (int i = 1; i <= 3; ++i) {
    const QString path = dir.Path(QStringLiteral("%1.wav").arg(i));
    dir.WriteFile(QStringLiteral("%1.wav").arg(i), ToneWav(1.0, 220.0 * i));
    playlist.AppendRow({common::ThreeDigits(i), QStringLiteral("曲%1").arg(i),
                        QStringLiteral("未知"), QStringLiteral("00:00"), path});
  }
  playlist.PadToMinRows();

  PlaybackEngine engine(player, config, playlist, results);
  QList<int> started;
  engine.SetRowPlayAction(PlayingGrid::Playlist, [&](int row) {
    started << row;
    engine.PrepareSong(PlayingGrid::Playlist, row, ListKind::Playlist,
                       QStringLiteral("正在打开媒体..."));
    engine.PlayUrl(playlist.path(row), UrlOrigin::User);
  });
  QStringList statuses;
  QObject::connect(&engine, &PlaybackEngine::StatusLineChanged,
                   [&](const QString& text, bool) { statuses << text; });

  playlist.SetSelectedRow(1);
  engine.PrepareSong(PlayingGrid::Playlist, 1, ListKind::Playlist, QString());
  engine.PlayUrl(playlist.path(1), UrlOrigin::User);
  ASSERT_TRUE(QTest::qWaitFor([&] { return started.size() >= 3; }, 20000))
      << "rows started: " << started.size();
  EXPECT_EQ(started.mid(0, 3), (QList<int>{2, 3, 1}));
  // The player's length went back into each row, and the status line showed each song.
  EXPECT_EQ(playlist.cell(3, 3), QStringLiteral("00:01"));
  EXPECT_TRUE(statuses.contains(QStringLiteral("003. 曲3 ----- 未知艺术家")));
  engine.StopButton();
  EXPECT_FALSE(engine.pollTimerActive());
}

}  // namespace
