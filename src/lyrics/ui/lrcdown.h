// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "shell/ui/skinnedwindow.h"

class LrcHitModel;
class MenuForm;
class QLabel;
class QTableView;
class QToolButton;

// The manual lyrics download window (its title strip reads "用户手动下载"): the last search's hits,
// the link of the picked row and the download button. It only forwards the pick; the lyrics search
// downloads.
class LrcDown : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kWidthTwips = 4200;
  static constexpr int kHeightTwips = 4400;

  explicit LrcDown(LrcHitModel& hits, QWidget* parent = nullptr);

  // The lyrics menu's download items: "手动选择" shows the window on top and asks for a search
  // of the playing song; "手动编辑" does nothing.
  enum class Item { ManualPick = 0, ManualEdit = 1 };
  static void AddDownloadMenu(MenuForm& menus);
  void xiazai_Click(Item item);
  void ShowTopmost();
  // Grid row (1 = first hit) of the picked row; 0 when none.
  int currentRow() const;
  QTableView* grid() const { return grid_; }
  QLabel* linkLabel() const { return label1_; }
  QToolButton* downloadButton() const { return image3_; }

  // The search accepted the pick: the window goes and forgets the shown link.
  void OnDownloadStarted();

 signals:
  // The download button with this grid row picked.
  void DownloadWanted(int row);
  void ManualSearchWanted();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnRowPicked();
  void LayoutControls();

  LrcHitModel& hits_;
  QTableView* grid_;
  QLabel* label1_;
  QToolButton* image3_;
  bool placed_ = false;
};
