// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/monitorvalues.h"

#include "config/appconfig.h"
#include "common/numparse.h"
#include "playback/playbackstate.h"

namespace playback {

namespace {
enum Row {
  kSearchEngine = 0,
  kSongName,
  kSearchChr,
  kListSinger,
  kAlbumArts,
  kRealUrl,
  kCount,
  kEntry1,
  kOnline,
  kM3UList,
  kPlayRow,
  kPlayList,
  kDecodeMod,
  kLrcEngine,
  kPlayMod,
  kReUrl,
  kRowCount
};

QString EngineName(int engine) {
  switch (engine) {
    case 1:
      return QStringLiteral("百度(Baidu)引擎");
    case 2:
      return QStringLiteral("搜搜(Soso)引擎");
    default:
      return QStringLiteral("搜狗(Sogou)引擎");
  }
}

QString ModeName(int mode) {
  static const char16_t* const kNames[] = {u"单曲播放", u"单曲循环", u"顺序播放", u"列表循环",
                                           u"随机播放"};
  if (mode < 0 || mode > 4) return QString::number(mode);
  return QString::fromUtf16(kNames[mode]);
}
}  // namespace

QStringList MonitorRowNames() {
  return {QStringLiteral("SearchEngine"), QStringLiteral("SongName"),  QStringLiteral("SearchChr."),
          QStringLiteral("ListSinger"),   QStringLiteral("AlbumArts"), QStringLiteral("RealUrl"),
          QStringLiteral("Count"),        QStringLiteral("Entry1"),    QStringLiteral("Online"),
          QStringLiteral("M3UList"),      QStringLiteral("PlayRow"),   QStringLiteral("PlayList"),
          QStringLiteral("DecodeMod"),    QStringLiteral("LrcEngine"), QStringLiteral("PlayMod"),
          QStringLiteral("ReUrl")};
}

QStringList MonitorValues(const AppConfig& config, const PlaybackState& state) {
  QStringList v;
  for (int i = 0; i < kRowCount; ++i) v << QString();
  v[kSearchEngine] = EngineName(config.searchEngine);
  v[kPlayList] = config.currentList + QStringLiteral(".lst");
  v[kM3UList] =
      QStringLiteral("%AplicationPath%playlist\\") + config.currentList + QStringLiteral(".lst");
  v[kEntry1] = QString::number(static_cast<int>(state.playingGrid)) + QStringLiteral("  ||  CL=") +
               state.titleText;
  if (!state.streamTitle.isEmpty()) v[kEntry1] += QStringLiteral(" ♪ ") + state.streamTitle;
  v[kPlayRow] = common::ThreeDigits(state.currentRow);
  v[kDecodeMod] = QString::number(static_cast<int>(state.listKind));
  v[kCount] = QStringLiteral("Auto=") + QString::number(state.altAddressCount) +
              QStringLiteral("  ||  Manual=") + QString::number(state.manualAddressCount);
  v[kLrcEngine] =
      (config.lyricsEngine == 1 ? QStringLiteral("百度歌词引擎") : QStringLiteral("红叶歌词网")) +
      QStringLiteral(" || offset =") + QString::number(state.lyricsOffset);
  v[kPlayMod] = ModeName(config.playMode);
  return v;
}

}  // namespace playback
