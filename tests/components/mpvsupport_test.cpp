// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/mpvsupport.h"

#include <gtest/gtest.h>

#include <QDir>

#include "common/gbk.h"

using namespace components;

TEST(PlayableTarget, WebSchemesPassAndEverythingElseIsRefused) {
  const std::pair<const char*, const char*> passing[] = {
      {"http://music.example/a.mp3", "http://music.example/a.mp3"},
      {"HTTPS://music.example/a.mp3?x=1&y=2", "https://music.example/a.mp3?x=1&y=2"},
      {"mms://radio.example/live", "mms://radio.example/live"},
      {"mmsh://radio.example/live", "mmsh://radio.example/live"},
      {"rtsp://radio.example:554/live", "rtsp://radio.example:554/live"},
      {"rtmp://radio.example/app/live", "rtmp://radio.example/app/live"},
      {"http://music.example/my song.mp3", "http://music.example/my%20song.mp3"},
      {"  http://music.example/a.mp3 ", "http://music.example/a.mp3"},
      {"/music/a;quit.mp3", "/music/a;quit.mp3"},
      {"file:///music/a.mp3", "/music/a.mp3"},
      {"file://localhost/music/a.mp3", "/music/a.mp3"}};
  for (const auto& [address, target] : passing)
    EXPECT_EQ(PlayableTarget(QString::fromUtf8(address)).value_or("<refused>"),
              QString::fromUtf8(target));
  for (const char* address :
       {"lavfi://sine", "av://lavfi:sine", "edl:///music/a.mp3", "ytdl://x", "memory://x", "fd://0",
        "file://server.example/music/a.mp3", "http:///no-host", "ftp://music.example/a.mp3",
        "http://music.example/a\nquit", ""})
    EXPECT_FALSE(PlayableTarget(QString::fromUtf8(address)).has_value()) << address;
}

TEST(PlayableTarget, RelativePathsBecomeAbsoluteSoNoPartReadsAsAProtocol) {
  const QString target = PlayableTarget(QStringLiteral("music/lavfi://x.mp3")).value_or("");
  EXPECT_TRUE(target.startsWith(QDir::currentPath() + QStringLiteral("/music/")))
      << target.toStdString();
  EXPECT_TRUE(PlayableTarget(QStringLiteral("歌/后来.mp3"))->startsWith(u'/'));
  EXPECT_TRUE(IsNetworkAddress(QStringLiteral("Http://a.example/x")));
  EXPECT_FALSE(IsNetworkAddress(QStringLiteral("/music/http://x")));
}

TEST(DecodeTagBytes, TurnsGbkBackIntoTextWhicheverWayItArrived) {
  const QByteArray gbk = common::EncodeGbk(QStringLiteral("后来"));
  // Raw GBK bytes are not UTF-8.
  EXPECT_EQ(DecodeTagBytes(gbk), QStringLiteral("后来"));
  // GBK bytes declared Latin-1, handed over as UTF-8 of those Latin-1 characters.
  EXPECT_EQ(DecodeTagBytes(QString::fromLatin1(gbk).toUtf8()), QStringLiteral("后来"));
  // Real text stays as it is: UTF-8 Chinese, and Latin-1 that is no GBK.
  EXPECT_EQ(DecodeTagBytes(QStringLiteral("后来").toUtf8()), QStringLiteral("后来"));
  EXPECT_EQ(DecodeTagBytes(QStringLiteral("Beyoncé").toUtf8()), QStringLiteral("Beyoncé"));
  EXPECT_EQ(DecodeTagBytes("Plain"), QStringLiteral("Plain"));
}

TEST(SplitStreamTitle, SplitsArtistFromTitleAtTheFirstDash) {
  auto t = SplitStreamTitle(QStringLiteral("刘若英 - 后来 - Live"));
  EXPECT_EQ(t.artist, QStringLiteral("刘若英"));
  EXPECT_EQ(t.title, QStringLiteral("后来 - Live"));
  t = SplitStreamTitle(QStringLiteral("Station jingle"));
  EXPECT_EQ(t.artist, QString());
  EXPECT_EQ(t.title, QStringLiteral("Station jingle"));
}

// Cases the headless runs cannot bring about on demand.
TEST(MapState, FollowsTheFirstMatchingCondition) {
  auto facts = [](auto change) {
    MpvFacts f;
    f.loaded = true;
    f.restarted = true;
    change(f);
    return MapState(f);
  };
  EXPECT_EQ(facts([](MpvFacts&) {}), PlayState::Playing);
  EXPECT_EQ(facts([](MpvFacts& f) { f.pausedForCache = true; }), PlayState::Buffering);
  EXPECT_EQ(facts([](MpvFacts& f) { f.seeking = true; }), PlayState::Transitioning);
  EXPECT_EQ(facts([](MpvFacts& f) { f.paused = f.pausedForCache = true; }), PlayState::Paused);
  // Still idle from the song before while the new one is being opened.
  EXPECT_EQ(facts([](MpvFacts& f) { f.idle = f.loading = true; }), PlayState::Transitioning);
  EXPECT_EQ(facts([](MpvFacts& f) { f.ended = f.failed = true; }), PlayState::Ready);
  EXPECT_EQ(facts([](MpvFacts& f) { f.ended = f.failed = f.userStopped = true; }),
            PlayState::Stopped);
  EXPECT_EQ(MapState(MpvFacts()), PlayState::Undefined);
}

TEST(IsTruncatedEnd, NeedsMoreThanTheBufferedTailMissing) {
  EXPECT_TRUE(IsTruncatedEnd(100, 200));
  EXPECT_FALSE(IsTruncatedEnd(199, 200));  // whole seconds and the output's buffer
  EXPECT_FALSE(IsTruncatedEnd(10, 0));     // a live stream has no length
}
