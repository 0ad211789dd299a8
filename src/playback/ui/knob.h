// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

// A slider knob (P1, P2): reports where the left button went down, moved and came up, in
// twips of its parent; the owner decides where it may go.
class Knob : public QWidget {
  Q_OBJECT

 public:
  explicit Knob(QWidget* parent = nullptr);
  bool pressed() const { return pressed_; }

 signals:
  void Pressed();
  // left: the knob's new left edge if it followed the pointer (twips, unbounded).
  void Dragged(int left);
  void Released(int left);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  int FollowLeft(QMouseEvent* event) const;
  bool pressed_ = false;
  bool hover_ = false;
  int grabX_ = 0;  // pixels from the knob's left edge where it was grabbed
};
