// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

// A native child window the media player draws video into (MpvPlayer::SetVideoWindow with
// videoWindowId()). Black until a video shows; audio-only media leave it black.
class VideoSurface : public QWidget {
  Q_OBJECT

 public:
  explicit VideoSurface(QWidget* parent = nullptr);
  // Creates the native window if needed; valid for the widget's lifetime.
  quintptr videoWindowId();
};
