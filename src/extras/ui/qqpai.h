// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>

#include "shell/ui/skinnedwindow.h"

class AlbumBrowser;
class AlbumDetail;
class MenuForm;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QScrollArea;
class QToolButton;

// The album window: group, style and page menus, the singer box, a grid of album covers
// and an album's page with its tracks. It shows what the album browser reports and hands
// every command to it.
class QQPai : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kWidthTwips = 7500;
  static constexpr int kHeightTwips = 9000;
  static inline const QString kHint = QStringLiteral("输入歌手名...");

  QQPai(AlbumBrowser& browser, MenuForm& menus, QWidget* parent = nullptr);

  QToolButton* coverButton(int slot) const { return covers_.value(slot); }
  QLabel* coverCaption(int slot) const { return captions_.value(slot); }
  QLineEdit* searchBox() const { return text2_; }
  QListWidget* trackList() const { return list1_; }
  QToolButton* playButton() const { return play_; }
  QFrame* listFrame() const { return listFrame_; }
  QFrame* pageFrame() const { return pageFrame_; }
  QFrame* busyFrame() const { return frame3_; }
  QLabel* statusLabel() const { return status_; }
  QLabel* pageCover() const { return pageCover_; }
  AlbumDetail* detail() const { return detail_; }
  // Shows the list of covers again after an album page.
  void ShowList();
  // Searches the singer in the box unless it is empty or the hint.
  void Search();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  QToolButton* MenuButton(const QString& name, const QString& caption, const QString& array);
  void OnAlbumsShown();
  void OnAlbumPageShown();
  void OnCover(int slot, const QString& path);
  void OnBusy(bool busy);

  AlbumBrowser& browser_;
  MenuForm& menus_;
  QList<QToolButton*> menuButtons_;
  QLineEdit* text2_ = nullptr;
  QToolButton* search_ = nullptr;
  QLabel* status_ = nullptr;
  QFrame* frame3_ = nullptr;
  QFrame* listFrame_ = nullptr;
  QScrollArea* scroll_ = nullptr;
  QList<QToolButton*> covers_;
  QList<QLabel*> captions_;
  QFrame* pageFrame_ = nullptr;
  QLabel* pageCover_ = nullptr;
  QList<QLabel*> facts_;
  QPlainTextEdit* text1_ = nullptr;
  QListWidget* list1_ = nullptr;
  QToolButton* play_ = nullptr;
  QToolButton* back_ = nullptr;
  AlbumDetail* detail_ = nullptr;
};
