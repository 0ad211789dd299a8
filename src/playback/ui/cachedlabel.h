// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QLabel>
#include <QPixmap>

// A plain-text label that lays its text out once and then only copies the picture: the status
// line moves ten times a second while its text stays the same for the whole song.
class CachedLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap picture_;
  QString pictureText_;
  QPalette picturePalette_;
  QFont pictureFont_;
};
