// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QPointer>
#include <array>

#include "shell/docklayout.h"

class QWidget;
class SkinnedWindow;

// Keeps the satellite windows docked to the main window: follows the main window's moves and
// resizes, snaps a satellite back into place when it is released near it, and shows the
// monitor window with the windows it displaces hidden.
class DockManager : public QObject {
  Q_OBJECT

 public:
  explicit DockManager(QObject* parent = nullptr);

  void SetMainWindow(QWidget* main);
  // Registers the window of a docking index (DockIndex). The playlist window is made
  // immovable; a window that starts docked is placed at its docked position at once.
  void Register(int index, SkinnedWindow* window);
  void Register(DockIndex index, SkinnedWindow* window) {
    Register(static_cast<int>(index), window);
  }
  SkinnedWindow* window(int index) const;

  DockLayout& layout() { return layout_; }
  bool docked(int index) const { return layout_.docked(index); }
  // Places the window at its docked position and marks it docked.
  void Dock(int index);
  // Every docked window to its docked position, in index order.
  void DockAll();
  // The "监视窗口" toggle. Showing the monitor window hides the singer window, the picture
  // list and the lyrics window, then re-docks. Returns whether it is now visible.
  bool ToggleMonitor();

 signals:
  void DockedChanged(int index, bool docked);
  // After ToggleMonitor: the wiring stores the configuration (the lyrics window may be hidden).
  void MonitorToggled(bool visible);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnReleased(int index);
  QRect MainTwips() const;
  QRect TwipsOf(int index) const;
  QPointer<QWidget> main_;
  std::array<QPointer<SkinnedWindow>, DockLayout::kWindows> windows_{};
  DockLayout layout_;
  bool placing_ = false;
};
