// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/ui/videosurface.h"

VideoSurface::VideoSurface(QWidget* parent) : QWidget(parent) {
  // Its own X window, without turning the parents into native windows as well.
  setAttribute(Qt::WA_DontCreateNativeAncestors);
  setAttribute(Qt::WA_NativeWindow);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::black);
  setPalette(p);
  setAutoFillBackground(true);
}

quintptr VideoSurface::videoWindowId() {
  return static_cast<quintptr>(winId());
}
