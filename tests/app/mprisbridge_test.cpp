// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's view of the player over the real engine and a fake player: what it announces,
// and that its commands are the engine's own.
#include "app/mprisbridge.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "playback/enginefixture.h"
#include "playback/knobgeometry.h"

namespace {

const QString kPlaying = QStringLiteral("Playing");

class MprisBridgeTest : public EngineFixture {
 protected:
  MprisBridgeTest() {
    Fill(playlist, 3);
    QObject::connect(&player, &MediaPlayer::PlayStateChanged, &bridge,
                     &MprisBridge::OnPlayStateChanged);
    QObject::connect(&engine, &PlaybackEngine::Seeked, &bridge, &MprisBridge::OnSeeked);
    QObject::connect(&engine, &PlaybackEngine::VolumeChanged, &bridge,
                     &MprisBridge::ScheduleRefresh);
  }

  MprisBridge::Hooks MakeHooks() {
    MprisBridge::Hooks h;
    h.setPlayMode = [this](int mode) { modesSet << mode, config.playMode = mode; };
    h.lyricLine = [this] { return lyricLine; };
    h.artFor = [this](const QString& singer) { return art.value(singer); };
    return h;
  }

  // The properties announced by the pending refresh.
  QVariantMap Announced() {
    changes.clear();
    bridge.Refresh();
    return changes.isEmpty() ? QVariantMap() : changes.takeFirst().at(0).toMap();
  }
  QString Meta(const char* key) const {
    return bridge.metadata().value(QString::fromLatin1(key)).toString();
  }

  QList<int> modesSet;
  QString lyricLine;
  QHash<QString, QString> art;
  MprisBridge bridge{engine, config, MakeHooks()};
  QSignalSpy changes{&bridge, &MprisBridge::PlayerPropertiesChanged};
  QSignalSpy seeks{&bridge, &MprisBridge::Seeked};
};

TEST_F(MprisBridgeTest, ASongStartingPausingAndMovingOnIsAnnouncedOnce) {
  EXPECT_EQ(Meta("mpris:trackid"), MprisBridge::kNoTrack);
  EXPECT_FALSE(bridge.canPlay());
  EXPECT_FALSE(bridge.canGoNext());

  art.insert(QStringLiteral("歌手1"), QStringLiteral("file:///pic/1.jpg"));
  PlayRow(1, 200);
  QVariantMap changed = Announced();
  EXPECT_EQ(changed.value("PlaybackStatus").toString(), kPlaying);
  EXPECT_TRUE(changed.value("CanGoNext").toBool());
  EXPECT_TRUE(changed.value("CanSeek").toBool());
  const QVariantMap meta = changed.value("Metadata").toMap();
  EXPECT_EQ(meta.value("xesam:title").toString(), "歌1");
  EXPECT_EQ(meta.value("xesam:artist").toStringList(), QStringList{"歌手1"});
  EXPECT_EQ(meta.value("mpris:length").toLongLong(), 200'000'000);
  EXPECT_EQ(meta.value("mpris:artUrl").toString(), "file:///pic/1.jpg");
  EXPECT_EQ(meta.value("xesam:url").toString(), "file:///music/1.mp3");
  const QString firstTrack = meta.value("mpris:trackid").toString();
  EXPECT_TRUE(firstTrack.startsWith("/org/tunewharf/track/"));
  EXPECT_TRUE(Announced().isEmpty()) << "nothing changed since";

  // Pause and resume keep the track; only the status is news.
  engine.PlayPause();
  EXPECT_EQ(Announced(), (QVariantMap{{"PlaybackStatus", "Paused"}}));
  engine.PlayPause();
  player.SetState(PlayState::Playing);
  EXPECT_EQ(Announced(), (QVariantMap{{"PlaybackStatus", kPlaying}}));
  EXPECT_EQ(Meta("mpris:trackid"), firstTrack);

  bridge.Next();
  player.SetDuration(90);
  player.SetState(PlayState::Playing);
  changed = Announced();
  EXPECT_EQ(changed.value("Metadata").toMap().value("xesam:title").toString(), "歌2");
  EXPECT_NE(Meta("mpris:trackid"), firstTrack);
  EXPECT_FALSE(bridge.metadata().contains("mpris:artUrl")) << "歌手2 has no picture";
}

TEST_F(MprisBridgeTest, TheGapBetweenTwoSongsIsNotAnnouncedAsAStop) {
  bridge.SetStopSettleMs(1000);
  PlayRow(1);
  Announced();
  player.SetState(PlayState::Stopped);  // the song ends; the next poll tick moves on
  QTest::qWait(100);
  engine.OnPollTick();
  ASSERT_EQ(started, QList<int>{2});
  player.SetState(PlayState::Playing);
  ASSERT_TRUE(changes.wait(3000));
  const QVariantMap changed = changes.at(0).at(0).toMap();
  EXPECT_FALSE(changed.contains("PlaybackStatus"))
      << changed.value("PlaybackStatus").toString().toStdString();
  EXPECT_EQ(changed.value("Metadata").toMap().value("xesam:title").toString(), "歌2");

  // A stop that lasts is announced.
  bridge.Stop();
  ASSERT_TRUE(changes.wait(3000));
  EXPECT_EQ(changes.last().at(0).toMap().value("PlaybackStatus").toString(), "Stopped");
}

TEST_F(MprisBridgeTest, MetadataNeverMixesTwoSongs) {
  PlayRow(1, 200);
  const QString track = Meta("mpris:trackid");
  engine.PlayPlaylistRow(2);  // loading: the engine has the new title, the player no length
  bridge.OnPolled();
  EXPECT_EQ(Meta("xesam:title"), "歌1");
  EXPECT_EQ(Meta("mpris:trackid"), track);
}

TEST_F(MprisBridgeTest, TransportCommandsAreTheButtonsCommands) {
  PlayRow(2);
  bridge.Play();  // already playing: the toggle must not pause
  EXPECT_EQ(player.playState(), PlayState::Playing);
  bridge.Pause();
  EXPECT_EQ(player.playState(), PlayState::Paused);
  EXPECT_EQ(engine.statusLine(), "暂停播放");
  bridge.Pause();
  EXPECT_EQ(player.playState(), PlayState::Paused);
  bridge.Play();
  EXPECT_EQ(player.calls().back(), "play");
  bridge.Previous();
  EXPECT_EQ(engine.state().currentRow, 1);

  bridge.SetVolume(7.0);  // the interface allows more than full volume; the player does not
  EXPECT_EQ(player.volume(), 100);
  EXPECT_EQ(config.volume, 100);
}

TEST_F(MprisBridgeTest, SeeksStayInTheSongAndRunPastItsEndIntoTheNext) {
  PlayRow(1, 200);
  player.SetPosition(50);
  bridge.Seek(30'000'000);
  EXPECT_EQ(player.calls().back(), "seek:80");
  EXPECT_EQ(engine.knobLeft(), playback::KnobLeftFor(80, 200));
  bridge.Seek(-500'000'000);
  EXPECT_EQ(player.calls().back(), "seek:0");
  ASSERT_EQ(seeks.size(), 2);
  EXPECT_EQ(seeks.at(0).at(0).toLongLong(), 80'000'000);
  EXPECT_EQ(seeks.at(1).at(0).toLongLong(), 0);

  const QString track = Meta("mpris:trackid");
  player.ClearCalls();
  bridge.SetPosition(QStringLiteral("/org/tunewharf/track/999999"), 10'000'000);
  bridge.SetPosition(track, 201'000'000);
  bridge.SetPosition(track, -1);
  EXPECT_TRUE(player.calls().isEmpty()) << player.calls().join(' ').toStdString();
  bridge.SetPosition(track, 120'500'000);
  EXPECT_EQ(player.calls().back(), "seek:120.5");

  // The knob is a seek too: the desktop hears of it.
  ASSERT_TRUE(engine.SeekFromTrack(playback::KnobLeftFor(100, 200)));
  EXPECT_EQ(seeks.size(), 4);

  player.SetPosition(190);
  bridge.Seek(20'000'000);
  EXPECT_EQ(engine.state().currentRow, 2);
}

TEST_F(MprisBridgeTest, NoSeekWithoutALength) {
  PlayRow(1, 0);
  bridge.Seek(1'000'000);
  bridge.SetPosition(Meta("mpris:trackid"), 0);
  EXPECT_TRUE(player.calls().isEmpty());
  EXPECT_FALSE(bridge.canSeek());
  EXPECT_TRUE(seeks.isEmpty());
}

// Play modes: 0 single, 1 repeat one, 2 in order, 3 list loop, 4 random.
TEST(MprisPlayModes, LoopStatusAndShuffleMapOntoTheFiveModes) {
  const QString none = QStringLiteral("None"), track = QStringLiteral("Track"),
                list = QStringLiteral("Playlist");
  const QString expectLoop[] = {none, track, none, list, list};
  for (int mode = 0; mode <= 4; ++mode) {
    SCOPED_TRACE(mode);
    EXPECT_EQ(MprisBridge::LoopStatusFor(mode), expectLoop[mode]);
    // Whatever loop status is asked for is what the desktop then reads back.
    for (const QString& status : {none, track, list}) {
      const std::optional<int> next = MprisBridge::ModeForLoopStatus(mode, status);
      ASSERT_TRUE(next.has_value());
      EXPECT_EQ(MprisBridge::LoopStatusFor(*next), status) << status.toStdString();
    }
    EXPECT_EQ(MprisBridge::ModeForShuffle(mode, true), 4);
    EXPECT_NE(MprisBridge::ModeForShuffle(mode, false), 4);
    EXPECT_FALSE(MprisBridge::ModeForLoopStatus(mode, QStringLiteral("track")).has_value());
  }
  // Asking for what already holds changes nothing; leaving random play keeps the loop.
  EXPECT_EQ(MprisBridge::ModeForLoopStatus(0, none), 0);
  EXPECT_EQ(MprisBridge::ModeForLoopStatus(4, list), 4);
  EXPECT_EQ(MprisBridge::ModeForShuffle(4, false), 3);
  EXPECT_EQ(MprisBridge::ModeForShuffle(1, false), 1);
}

TEST_F(MprisBridgeTest, ModeRequestsGoThroughTheModeCommand) {
  config.playMode = 3;
  bridge.SetLoopStatus(QStringLiteral("Playlist"));
  bridge.SetLoopStatus(QStringLiteral("Forever"));
  EXPECT_TRUE(modesSet.isEmpty());
  bridge.SetShuffle(true);
  bridge.SetLoopStatus(QStringLiteral("Track"));
  EXPECT_EQ(modesSet, (QList<int>{4, 1}));
  EXPECT_EQ(Announced(), (QVariantMap{{"LoopStatus", "Track"}}));
}

TEST_F(MprisBridgeTest, StationsLyricsAndUnknownSingers) {
  // A row with the unknown singer takes the file's tag.
  playlist.SetCell(1, 2, QStringLiteral("未知"));
  StartPlaylistRow(1);
  player.SetTag(QStringLiteral("Author"), QStringLiteral("标签歌手"));
  player.SetState(PlayState::Playing);
  EXPECT_EQ(bridge.metadata().value("xesam:artist").toStringList(), QStringList{"标签歌手"});

  lyricLine = QStringLiteral("  第一句  ");
  bridge.OnLyricsMoved();
  EXPECT_EQ(Meta("xesam:asText"), "第一句");
  EXPECT_TRUE(Announced().contains("Metadata"));
  bridge.Stop();
  EXPECT_FALSE(bridge.metadata().contains("xesam:asText"));

  // A station: its stream title is the song, its name the album; the poll brings changes.
  Fill(results, 1);
  engine.PrepareSong(PlayingGrid::Results, 1, ListKind::Radio, QStringLiteral("正在打开媒体..."));
  engine.PlayUrl(QStringLiteral("http://radio.example/live"));
  player.SetState(PlayState::Playing);
  Announced();
  player.SetTag(QStringLiteral("Title"), QStringLiteral("夜曲"));
  engine.OnPollTick();
  bridge.OnPolled();
  EXPECT_EQ(Meta("xesam:title"), "夜曲");
  EXPECT_FALSE(Meta("xesam:album").isEmpty());
  EXPECT_FALSE(bridge.metadata().contains("mpris:length"));
  EXPECT_TRUE(Announced().contains("Metadata"));
}

TEST(MprisArt, TheFirstPictureInTheSingersCacheFolder) {
  QTemporaryDir dir;
  const QString picTmp = dir.path() + QStringLiteral("/PicTmp/");
  QDir().mkpath(picTmp + QStringLiteral("歌手/StarShow"));
  for (const char* name :
       {"歌手/a.txt", "歌手/b.png", "歌手/c.JPG", "歌手/empty.gif", "secret.jpg"}) {
    QFile f(picTmp + QString::fromUtf8(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    if (!QString::fromUtf8(name).contains(QStringLiteral("empty"))) f.write("x");
  }
  EXPECT_EQ(app::CachedSingerPicture(picTmp, QStringLiteral(" 歌手 ")),
            QUrl::fromLocalFile(picTmp + QStringLiteral("歌手/b.png")).toString());
  EXPECT_EQ(app::CachedSingerPicture(picTmp, QStringLiteral("..")), "");
  EXPECT_EQ(app::CachedSingerPicture(picTmp, QStringLiteral("../PicTmp")), "");
  EXPECT_EQ(app::CachedSingerPicture(picTmp, QString()), "");
  EXPECT_EQ(app::CachedSingerPicture(picTmp, QStringLiteral("无图")), "");
  EXPECT_FALSE(QDir(picTmp + QStringLiteral("无图")).exists()) << "a lookup creates nothing";
  // A folder that is a link elsewhere is not ours.
  QDir().mkpath(dir.path() + QStringLiteral("/elsewhere"));
  QFile(picTmp + QStringLiteral("歌手/b.png"))
      .copy(dir.path() + QStringLiteral("/elsewhere/x.png"));
  QFile::link(dir.path() + QStringLiteral("/elsewhere"), picTmp + QStringLiteral("链接"));
  EXPECT_EQ(app::CachedSingerPicture(picTmp, QStringLiteral("链接")), "");
}

}  // namespace
