// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/ui/spectrumview.h"

#include <QMouseEvent>
#include <QPainter>

SpectrumView::SpectrumView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  ShowIdleBars();
}

void SpectrumView::ShowIdleBars() {
  SetBarHeights(playback::IdleBarHeights());
}

void SpectrumView::ShowBlock(const QByteArray& block) {
  SetBarHeights(playback::ComputeBarHeights(block, height()));
}

void SpectrumView::SetBarHeights(const playback::BarHeights& heights) {
  if (heights == heights_) return;  // the same frame again (silence, idle bars)
  heights_ = heights;
  update();
}

void SpectrumView::DrawFrame(QPainter& p) const {
  p.setRenderHint(QPainter::Antialiasing, false);
  // Unlit segments are drawn in the background's black, so only lit ones need painting.
  p.fillRect(rect(), playback::kUnlitColor);
  const int segments = playback::SegmentCount(height());
  int x = playback::kBarLeft;
  for (int i = 0; i < playback::kBarCount; ++i) {
    for (int j = 0; j <= segments; ++j) {
      // The box outline from (x, 3j) to (x + 2, 3j + 1) covers all its 3 x 2 pixels.
      if (playback::SegmentLit(j, segments, heights_[i]))
        p.fillRect(x, 3 * j, 3, 2, playback::kLitColor);
    }
    x += playback::kBarStep;
  }
}

void SpectrumView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  DrawFrame(p);
}

void SpectrumView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Clicked();
}
