// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// The demo service's songs: invented titles and singers, each with a generated WAV tune
// (longer than a minute) and a few mirrors, some of them deliberately dead.
struct DemoSong {
  int id = 0;
  QString title;
  QString singer;
  int seconds = 0;
  QByteArray wav;
};

enum class MirrorState { Good, Missing, Stalled };

class DemoCatalogue {
 public:
  static constexpr int kMirrors = 5;

  DemoCatalogue();  // generates every song's audio

  const QList<DemoSong>& songs() const { return songs_; }
  const DemoSong* Song(int id) const;
  // Songs whose title or singer holds every blank-separated word of query.
  QList<const DemoSong*> Match(const QString& query) const;
  // Mirror 0 of every third song answers 404 and of every fifth song stalls; the rest play.
  static MirrorState Mirror(int id, int mirror);

  // 8 kHz 8-bit mono: a short tune of song `id` repeated for `seconds`.
  static QByteArray MakeWav(int id, int seconds);

 private:
  QList<DemoSong> songs_;
};
