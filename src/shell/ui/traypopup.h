// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTimer>
#include <QWidget>

// The tray's popup window SysTray: nine command items, the one under the pointer highlighted;
// a click runs control-menu command i and closes it, and it closes by itself once it is no
// longer the foreground window.
class TrayPopup : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kItems = 9;

  explicit TrayPopup(QWidget* parent = nullptr);

  // Shows the popup with its top-left at `topLeftPx` and starts its timer.
  void Popup(const QPoint& topLeftPx);
  QRect itemRect(int i) const;
  int highlighted() const { return highlighted_; }
  QTimer& timer() { return timer_; }

  // Timer1: closes the popup when another window has become the foreground window.
  void OnTimerTick();

 signals:
  // Run control-menu (mnuControls) command `index`.
  void ControlChosen(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  int ItemAt(const QPoint& pos) const;
  void Close();
  QTimer timer_;
  int highlighted_ = -1;
};
