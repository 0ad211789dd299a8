// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QTimer>

// The main window's shrink animation: a first tick closes the satellite windows, then the
// window narrows in 20-twip steps down to 20 twips and widens again in 400-twip steps back to
// the width it started from. Each timer's tick is public so tests can step it.
class ShrinkAnimation : public QObject {
  Q_OBJECT

 public:
  static constexpr int kShrinkStepTwips = 20;
  static constexpr int kGrowStepTwips = 400;
  static constexpr int kNarrowestTwips = 20;

  explicit ShrinkAnimation(QObject* parent = nullptr);

  // Starts from the main window's current width (Timer3).
  void Start(int widthTwips);
  // Buttons 10 and 11 stop all three timers; the width stays where it is.
  void Stop();
  bool running() const;
  int widthTwips() const { return width_; }

  void OnCloseTick();   // Timer3, 10 ms
  void OnShrinkTick();  // Timer5, 100 ms
  void OnGrowTick();    // Timer4, 10 ms

  QTimer& closeTimer() { return timer3_; }
  QTimer& shrinkTimer() { return timer5_; }
  QTimer& growTimer() { return timer4_; }

 signals:
  void CloseSatellites();
  // The main window takes this width; the caller re-applies the rounded region with it.
  void WidthChanged(int widthTwips);

 private:
  QTimer timer3_, timer4_, timer5_;
  int width_ = 0;
  int fullWidth_ = 0;
};
