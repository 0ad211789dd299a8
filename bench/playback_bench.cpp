// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one spectrum frame: bars from a captured block, then drawing them.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "playback/spectrumbars.h"
#include "playback/ui/spectrumview.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  SpectrumView view;
  view.resize(72, 45);
  QImage image(72, 45, QImage::Format_RGB32);
  QByteArray block(8820, '\0');
  constexpr int kFrames = 20000;
  std::vector<double> us;
  us.reserve(kFrames);
  for (int i = 0; i < kFrames; ++i) {
    for (int b = 0; b < 17; ++b) block[b] = static_cast<char>((i * 31 + b * 57) & 0xFF);
    QElapsedTimer t;
    t.start();
    view.SetBarHeights(playback::ComputeBarHeights(block, view.height()));
    QPainter p(&image);
    view.DrawFrame(p);
    p.end();
    us.push_back(t.nsecsElapsed() / 1000.0);
  }
  std::sort(us.begin(), us.end());
  std::printf(
      "spectrum frame (72x45, 17 bars x 15 segments): median %.1f us, p99 %.1f us, max %.1f us\n",
      us[us.size() / 2], us[us.size() * 99 / 100], us.back());
  return 0;
}
