// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/satelliteswitch.h"

#include "config/appconfig.h"

bool SatelliteSwitch::IsVisible(Window window) const {
  const Hooks& h = windows_[window];
  return h.visible && h.visible();
}

void SatelliteSwitch::SetVisible(Window window, bool on) {
  const Hooks& h = windows_[window];
  if (h.setVisible) h.setVisible(on);
}

bool SatelliteSwitch::Toggle(int index) {
  if (index < Lyrics || index > MusicVideo) return false;
  const auto target = static_cast<Window>(index);
  // A window the program does not have yet: hiding the others for it would only lose them.
  if (!windows_[target].setVisible || !windows_[target].visible) return false;
  const bool show = !IsVisible(target);
  if (show) {
    for (int w = 0; w < kWindowCount; ++w) {
      if (w == index || !IsVisible(static_cast<Window>(w))) continue;
      if (w == MusicVideo && musicVideoPlaying && musicVideoPlaying() && stopMusicVideo)
        stopMusicVideo();
      SetVisible(static_cast<Window>(w), false);
    }
  } else if (target == MusicVideo && musicVideoPlaying && musicVideoPlaying() && stopMusicVideo) {
    stopMusicVideo();
  }
  SetVisible(target, show);

  // The lyrics and singer options remember whether their windows are open.
  // A window the program does not have yet leaves its option as it is.
  if (windows_[Lyrics].visible) config_.showLyrics = IsVisible(Lyrics);
  if (windows_[Singer].visible) config_.showArtist = IsVisible(Singer);
  if (show && target == Lyrics && showLyricsNow) showLyricsNow();
  if (show && target == Singer && songPlaying && songPlaying() && lookUpSinger) lookUpSinger();
  if (saveConfig) saveConfig();
  if (show && target == MusicVideo && searchMusicVideos) searchMusicVideos();
  return show;
}
