// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "playback/spectrumbars.h"

// The spectrum picture box (picFrequency): 17 bars of 3-pixel segments on black, lit from the
// bottom up. It keeps the last frame until a new one arrives.
class SpectrumView : public QWidget {
  Q_OBJECT

 public:
  explicit SpectrumView(QWidget* parent = nullptr);

  void ShowIdleBars();
  void ShowBlock(const QByteArray& block);
  void SetBarHeights(const playback::BarHeights& heights);
  const playback::BarHeights& barHeights() const { return heights_; }
  // Draws one frame at this widget's height.
  void DrawFrame(QPainter& painter) const;

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  playback::BarHeights heights_{};
};
