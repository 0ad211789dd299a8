// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

#include <QStringList>
#include <QtEndian>
#include <array>
#include <cmath>

namespace {
struct Entry {
  const char* title;
  const char* singer;
};
const Entry kSongs[] = {
    {"月光码头", "林澈"},     {"雨巷来信", "苏晚晴"},   {"风吹麦浪时", "陈野"},
    {"纸飞机", "白小鹿"},     {"夏夜的海", "林澈"},     {"旧城故事", "周沐"},
    {"星河渡口", "苏晚晴"},   {"晚安北方", "许南山"},   {"青石板路", "陈野"},
    {"蓝色信笺", "白小鹿"},   {"候鸟", "周沐"},         {"山间的风", "许南山"},
    {"灯火阑珊处", "叶知秋"}, {"第七个夏天", "叶知秋"}, {"海风(Live版)", "林澈"},
    {"回声", "顾北"},         {"远行的人", "顾北"},     {"落日飞行", "唐一诺"},
    {"梧桐街", "唐一诺"},     {"小城晴天", "苏晚晴"},   {"未寄出的信", "陈野"},
    {"星光下的约定", "周沐"},
};
constexpr int kRate = 8000;

void PutLe32(QByteArray& b, quint32 v) {
  char c[4];
  qToLittleEndian(v, c);
  b.append(c, 4);
}
void PutLe16(QByteArray& b, quint16 v) {
  char c[2];
  qToLittleEndian(v, c);
  b.append(c, 2);
}
}  // namespace

DemoCatalogue::DemoCatalogue() {
  int id = 1;
  for (const Entry& e : kSongs) {
    DemoSong song;
    song.id = id;
    song.title = QString::fromUtf8(e.title);
    song.singer = QString::fromUtf8(e.singer);
    song.seconds = 65 + (id * 7) % 36;  // over a minute: the dead-link rule lets it play
    song.wav = MakeWav(id, song.seconds);
    songs_ << song;
    ++id;
  }
}

const DemoSong* DemoCatalogue::Song(int id) const {
  return (id >= 1 && id <= songs_.size()) ? &songs_[id - 1] : nullptr;
}

QList<const DemoSong*> DemoCatalogue::Match(const QString& query) const {
  const QStringList words = query.split(u' ', Qt::SkipEmptyParts);
  QList<const DemoSong*> out;
  if (words.isEmpty()) return out;
  for (const DemoSong& song : songs_) {
    bool all = true;
    for (const QString& w : words)
      all = all && (song.title.contains(w, Qt::CaseInsensitive) ||
                    song.singer.contains(w, Qt::CaseInsensitive));
    if (all) out << &song;
  }
  return out;
}

MirrorState DemoCatalogue::Mirror(int id, int mirror) {
  if (mirror != 0) return MirrorState::Good;
  if (id % 3 == 1) return MirrorState::Missing;
  if (id % 5 == 0) return MirrorState::Stalled;
  return MirrorState::Good;
}

QByteArray DemoCatalogue::MakeWav(int id, int seconds) {
  static const double kScale[] = {0, 2, 4, 7, 9, 12, 9, 7};  // a pentatonic walk
  const int samples = kRate * seconds;
  QByteArray wav;
  wav.reserve(44 + samples);
  wav.append("RIFF");
  PutLe32(wav, 36 + samples);
  wav.append("WAVEfmt ");
  PutLe32(wav, 16);
  PutLe16(wav, 1);  // PCM
  PutLe16(wav, 1);  // mono
  PutLe32(wav, kRate);
  PutLe32(wav, kRate);
  PutLe16(wav, 1);
  PutLe16(wav, 8);
  wav.append("data");
  PutLe32(wav, samples);
  // A sine table and a fixed-point phase keep generating every song at start-up cheap.
  static const auto kSine = [] {
    std::array<int, 1024> t{};
    for (int k = 0; k < 1024; ++k) t[k] = std::lround(50 * std::sin(2 * M_PI * k / 1024));
    return t;
  }();
  const double base = 220.0 * std::pow(2.0, (id % 12) / 12.0);
  const int noteLen = kRate / 2;
  quint32 step[8];
  for (int n = 0; n < 8; ++n)
    step[n] = static_cast<quint32>(base * std::pow(2.0, kScale[n] / 12.0) / kRate * 4294967296.0);
  wav.resize(44 + samples);
  char* out = wav.data() + 44;
  quint32 phase = 0;
  for (int i = 0; i < samples; ++i) {
    phase += step[(i / noteLen + id) % 8];
    const int fade = 100 - (i % noteLen) * 70 / noteLen;  // percent
    out[i] = static_cast<char>(128 + kSine[phase >> 22] * fade / 100);
  }
  return wav;
}
