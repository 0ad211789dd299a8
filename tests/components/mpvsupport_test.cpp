// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/mpvsupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QUrl>

#include "common/gbk.h"
#include "support/tempappdir.h"

using namespace components;

TEST(PlayableTarget, WebSchemesPassFromAnyOriginAndEverythingElseIsRefused) {
  const std::pair<const char*, const char*> passing[] = {
      {"http://music.example/a.mp3", "http://music.example/a.mp3"},
      {"HTTPS://music.example/a.mp3?x=1&y=2", "https://music.example/a.mp3?x=1&y=2"},
      {"mms://radio.example/live", "mms://radio.example/live"},
      {"mmsh://radio.example/live", "mmsh://radio.example/live"},
      {"rtsp://radio.example:554/live", "rtsp://radio.example:554/live"},
      {"rtmp://radio.example/app/live", "rtmp://radio.example/app/live"},
      {"http://music.example/my song.mp3", "http://music.example/my%20song.mp3"},
      {"  http://music.example/a.mp3 ", "http://music.example/a.mp3"}};
  for (UrlOrigin origin : {UrlOrigin::User, UrlOrigin::Web}) {
    for (const auto& [address, target] : passing)
      EXPECT_EQ(PlayableTarget(QString::fromUtf8(address), origin).value_or("<refused>"),
                QString::fromUtf8(target));
    for (const char* address :
         {"lavfi://sine", "av://lavfi:sine", "edl:///music/a.mp3", "ytdl://x", "memory://x",
          "fd://0", "file://server.example/music/a.mp3", "http:///no-host",
          "ftp://music.example/a.mp3", "http://music.example/a\nquit", ""})
      EXPECT_FALSE(PlayableTarget(QString::fromUtf8(address), origin).has_value()) << address;
  }
  EXPECT_TRUE(IsNetworkAddress(QStringLiteral("Http://a.example/x")));
  EXPECT_FALSE(IsNetworkAddress(QStringLiteral("/music/http://x")));
}

// A device or a FIFO would hang or flood the player; a page may not name local files at all.
TEST(PlayableTarget, LocalPathsPlayOnlyFromTheUserAndOnlyAsRegularFiles) {
  TempAppDir dir;
  dir.WriteFile(QStringLiteral("a;quit.mp3"), "ID3");
  const QString song = dir.Path(QStringLiteral("a;quit.mp3"));
  ASSERT_TRUE(QFile::link(song, dir.Path(QStringLiteral("link.mp3"))));
  ASSERT_TRUE(QDir(dir.root()).mkdir(QStringLiteral("folder.mp3")));
  ASSERT_EQ(mkfifo(QFile::encodeName(dir.Path(QStringLiteral("fifo.mp3"))).constData(), 0600), 0);
  const QString fileUrl = QUrl::fromLocalFile(song).toString(QUrl::FullyEncoded);
  const std::pair<QString, QString> songs[] = {
      {song, song},
      {dir.Path(QStringLiteral("link.mp3")), dir.Path(QStringLiteral("link.mp3"))},
      {fileUrl, song},
      {QString(fileUrl).replace(QStringLiteral("file://"), QStringLiteral("file://localhost")),
       song}};
  for (const auto& [address, target] : songs) {
    EXPECT_EQ(PlayableTarget(address, UrlOrigin::User).value_or("<refused>"), target);
    EXPECT_FALSE(PlayableTarget(address, UrlOrigin::Web).has_value()) << address.toStdString();
  }
  for (const QString& address :
       {QStringLiteral("/dev/zero"), QStringLiteral("file:///dev/zero"), QStringLiteral("/dev/"),
        dir.Path(QStringLiteral("fifo.mp3")), dir.Path(QStringLiteral("folder.mp3")),
        dir.Path(QStringLiteral("missing.mp3"))})
    for (UrlOrigin origin : {UrlOrigin::User, UrlOrigin::Web})
      EXPECT_FALSE(PlayableTarget(address, origin).has_value()) << address.toStdString();

  // A relative path becomes absolute, so no part of it reads as one of mpv's protocols.
  ASSERT_TRUE(QDir(dir.root()).mkdir(QStringLiteral("music")));
  dir.WriteFile(QStringLiteral("music/lavfi:x.mp3"), "ID3");
  const QString saved = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(dir.root()));
  const auto relative = PlayableTarget(QStringLiteral("music/lavfi:x.mp3"), UrlOrigin::User);
  QDir::setCurrent(saved);
  EXPECT_EQ(relative.value_or("<refused>"), dir.Path(QStringLiteral("music/lavfi:x.mp3")));
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
