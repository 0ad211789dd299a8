// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>

#include "shell/ui/skinnedwindow.h"

class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTimer;
class QToolButton;
class SingerProfile;

// The singer window frmNet: picture, facts, introduction and hot songs of a singer, a search
// box for another name, and buttons that play the songs through the result grid.
class FrmNet : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kWidthTwips = 4200;
  static constexpr int kHeightTwips = 6450;

  explicit FrmNet(SingerProfile& profile, QWidget* parent = nullptr);

  QLineEdit* searchBox() const { return text2_; }
  QListWidget* songList() const { return list1_; }
  // The picture Image1 shows now (the stand-by picture when none was cached).
  const QPixmap& shownPicture() const { return shown_; }
  bool showsStandbyPicture() const { return standby_; }
  // The first showing puts the window where the docked side windows sit (right of the main
  // window); after that it stays where the user or the dock manager left it.
  void PlaceFirstTime(const QRect& mainTwips);

 signals:
  void VisibilityChanged(bool visible);   // the main window's 歌手 button follows
  void ForumWanted(const QString& name);  // Label1 was clicked on a name

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Refresh();
  void OnModeChanged(int mode);
  void ShowBusy(bool busy);
  void Search();
  void LayoutControls();

  SingerProfile& profile_;
  QLabel* image1_;
  QLabel* readyImg_;
  QLabel* l1_;
  QLabel* factCaptions_[4];
  QLabel* facts_[4];  // L3, L5, L7, L9
  QLabel* label1_;
  QLabel* label2_;
  QLineEdit* text2_;
  QToolButton* image99_;
  QToolButton* image8_;
  QToolButton* image4_;
  QToolButton* image7_;
  QPlainTextEdit* text1_;
  QListWidget* list1_;
  QFrame* frame3_;
  QLabel* busyText_;
  QTimer* timer1_;
  int busyStep_ = 0;
  QPixmap shown_;
  bool standby_ = true;
  QString shownPath_;
  bool placed_ = false;
};
