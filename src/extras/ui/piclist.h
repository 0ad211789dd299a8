// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>

#include "shell/ui/skinnedwindow.h"

class MenuForm;
class PicSearch;
class QCheckBox;
class QLabel;
class QLineEdit;
class QToolButton;

// The picture list: the search box, the picture kind menu, one page of 20 thumbnails and the
// page buttons. Clicks go to PicSearch; the labels and slots show what it reports.
class PicList : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kWidth = 4500;
  static constexpr int kHeight = 6450;

  PicList(PicSearch& search, MenuForm& menus, QWidget* parent = nullptr);

  // Puts words into the box and searches, as the engine does for a new song.
  void SearchFor(const QString& words);
  bool autoSearch() const;
  QLineEdit* searchBox() const { return text1_; }
  QLabel* thumbnail(int slot) const { return slots_.value(slot); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowPages(int current, int count);
  void ShowThumbnail(int slot, const QString& path);
  void ClearSlots();

  PicSearch& search_;
  QLineEdit* text1_ = nullptr;
  QLabel* label5_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label3_ = nullptr;
  QToolButton* image2_ = nullptr;
  QToolButton* image3_ = nullptr;
  QCheckBox* auto_ = nullptr;
  QList<QLabel*> slots_;  // Image1(0..19)
};
