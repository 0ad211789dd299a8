// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QTimer>

#include "shell/ui/skinnedwindow.h"

class MenuForm;
class QMenu;
class MtvHitModel;
class MusicVideo;
class QLabel;
class QLineEdit;
class QTableView;
class QToolButton;
class VideoSurface;

// The music-video window: the search box, the video area the window's own player draws into,
// the status and count lines and the hit grid. It forwards every command to MusicVideo.
// The native video surface is made only when the first video plays, so the window and its
// siblings stay plain (non-native) widgets until then.
class MtvWindow : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kWidthTwips = 4815;
  static constexpr int kHeightTwips = 6450;
  static constexpr int kLoadingFrames = 8;
  static constexpr int kLoadingTickMs = 100;  // Timer2

  MtvWindow(MusicVideo& mtv, MtvHitModel& hits, MenuForm& menus, QWidget* parent = nullptr);

  // Makes the video surface on first use; returns its native window id.
  quintptr EnsureVideoSurface();
  VideoSurface* videoSurface() const { return surface_; }
  QWidget* videoArea() const { return videoArea_; }
  QLineEdit* searchBox() const { return text2_; }
  QTableView* grid() const { return grid_; }
  QLabel* statusLabel() const { return label1_; }
  QLabel* countLabel() const { return count_; }
  // The search box's words (from the main window's song), placeholder when empty.
  void SetSearchText(const QString& text);
  // Full screen for the video: the window fills the screen with the video area alone.
  void SetVideoFullScreen(bool on);
  bool videoFullScreen() const { return fullScreen_; }
  int loadingFrame() const { return frame_; }
  bool loadingShown() const { return loadingTimer_.isActive(); }
  void SetLoading(bool on);
  // The popup last opened by a right click (for tests); null when none is open.
  QMenu* lastPopup() const;

 signals:
  void CloseRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void LayoutControls();
  void Search();
  void ShowGridMenu(const QPoint& pos);
  void ShowPlayerMenu(const QPoint& globalPos);
  void Popup(QMenu* menu, const QPoint& globalPos);

  MusicVideo& mtv_;
  MtvHitModel& hits_;
  MenuForm& menus_;
  QLineEdit* text2_;
  QToolButton* image99_;
  QWidget* videoArea_;  // Image4
  VideoSurface* surface_ = nullptr;
  QLabel* label1_;
  QLabel* count_;
  QLabel* pic2_;
  QTableView* grid_;
  QTimer loadingTimer_;  // Timer2
  int frame_ = 0;
  bool fullScreen_ = false;
  QRect normalGeometry_;
  QMenu* popup_ = nullptr;
};
