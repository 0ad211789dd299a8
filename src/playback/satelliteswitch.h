// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <functional>

struct AppConfig;

// The main window's toggles of the side windows (Menus(0..3) and MTV1): the side windows
// share one place beside the main window, so showing one hides the others. The windows
// themselves are reached through callbacks the wiring sets.
class SatelliteSwitch {
 public:
  enum Window { Lyrics = 0, Singer = 1, Pictures = 2, Albums = 3, MusicVideo = 4, Monitor = 5 };
  static constexpr int kWindowCount = 6;

  struct Hooks {
    std::function<bool()> visible;
    std::function<void(bool)> setVisible;
  };

  explicit SatelliteSwitch(AppConfig& config) : config_(config) {}

  void SetWindow(Window window, Hooks hooks) { windows_[window] = std::move(hooks); }

  std::function<void()> saveConfig;
  std::function<bool()> songPlaying;
  std::function<bool()> musicVideoPlaying;
  std::function<void()> stopMusicVideo;
  std::function<void()> showLyricsNow;      // loads the playing song's lyrics when not loaded
  std::function<void()> lookUpSinger;       // the singer lookup for the playing song
  std::function<void()> searchMusicVideos;  // after MTV1 showed its window

  // Menus(i) for i = 0..3, and 4 for MTV1. Returns whether the window is now shown.
  bool Toggle(int index);
  bool IsVisible(Window window) const;

 private:
  void SetVisible(Window window, bool on);

  AppConfig& config_;
  std::array<Hooks, kWindowCount> windows_;
};
