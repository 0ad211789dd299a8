// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QTimer>

// The main window's shrink and grow animation: Timer3 closes the satellite windows and hands
// over to Timer5, which narrows the window 20 twips a tick down to 20 twips; Timer4 widens it
// again 400 twips a tick.
class WindowAnimation : public QObject {
  Q_OBJECT

 public:
  static constexpr int kFullWidth = 4500;
  static constexpr int kShrunkWidth = 20;
  static constexpr int kShrinkStep = 20;
  static constexpr int kGrowStep = 400;

  explicit WindowAnimation(QObject* parent = nullptr);

  void StartShrink();
  void StartGrow();
  void StopAll();
  int width() const { return width_; }
  bool shrunk() const { return width_ < kFullWidth; }
  bool running() const;

  void OnTimer3Tick();
  void OnTimer4Tick();
  void OnTimer5Tick();

 signals:
  void SatellitesHideWanted();
  void WidthChanged(int twips);

 private:
  QTimer timer3_;
  QTimer timer4_;
  QTimer timer5_;
  int width_ = kFullWidth;
};
