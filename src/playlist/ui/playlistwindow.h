// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

#include "playlist/playinggrid.h"
#include "playlist/playlistmenus.h"
#include "shell/ui/skinnedwindow.h"

class MenuForm;
class PlaylistCommands;
class PlaylistManager;
class QLabel;
class QMenu;
class QTableView;
class QWidget;
class SkinButton;
class SongGridModel;

// frmList: the window under the main window with the playlist, result and chart grids on three
// tabs, the six menu buttons and the row menus. Commands run in the playlist core; what
// belongs to the engine, lyrics and main window goes out as signals.
class PlaylistWindow : public SkinnedWindow {
  Q_OBJECT

 public:
  PlaylistWindow(PlaylistManager& lists, PlaylistCommands& commands, SongGridModel& results,
                 SongGridModel& charts, MenuForm& menus, QWidget* parent = nullptr);

  // Loading the window: MSF2 gets the chart captions of the BList array without their first
  // four characters, MSF1 is padded to 20 rows.
  void LoadCharts();

  void TabSel(int index);
  int currentTab() const { return currentTab_; }
  void MSF_DblClick();
  void MSF1_DblClick();
  void MSF2_DblClick();
  int chartRow() const { return chartRow_; }  // the MSF2 row last opened

  // Menus owned elsewhere: buttons 2 ("设置"), 3 ("模式") and 4 ("榜单加载"), and the
  // "MTV欣赏" submenus of the row menus.
  void SetButtonMenu(int button, QMenu* menu);
  void SetVideoMenus(QMenu* playlistRows, QMenu* resultRows);
  // The download items stay disabled until a download command is wired.
  void SetDownloadAvailable(bool available) { downloadAvailable_ = available; }
  // True when the chart-list mode of "榜单加载" is checked (false: radio list).
  void SetChartModeProvider(std::function<bool()> chartMode) { chartMode_ = std::move(chartMode); }
  // Whether row `row` of a grid is the song playing now (the row menus enable items by it).
  using RowPlayingQuery = std::function<bool(PlayingGrid grid, int row)>;
  void SetRowPlayingQuery(RowPlayingQuery query) { rowPlaying_ = std::move(query); }

  QTableView* grid(int tab) const { return views_[static_cast<size_t>(tab)]; }
  QLabel* loadsLabel() const { return loads_; }
  // A page load runs (or ended): the "Loads" label with its text, and a busy pointer over the
  // result grid, which is where the rows will land.
  void ShowLoading(bool visible, const QString& text);
  // The popup a button or a right click has open now, if any.
  QMenu* lastPopup() const;

 signals:
  // A double-click (or the row menu's play item) on a song row: core plays it.
  void PlaylistRowActivated(int row);
  void StatusText(const QString& text);  // "加载排行榜单..." while the charts load
  void ResultRowActivated(int row);
  void ChartRowActivated(int row);
  // Download items of the row menus, and the chart-list menu (0 open, 1 chart list, 2 radio).
  void DownloadRequested();
  void ChartListMenuTriggered(int index);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* MakeGrid(SongGridModel& model, const QString& name);
  void LayoutControls();
  void OnMenuButton(int button);
  // The window's own popups, one handler per item array.
  void mnuDels_Click(int index);
  void mnuOps_Click(int index);
  void ZRL_Click(int index);
  void RLs_Click(playlist::PlaylistRowItem item);
  void BRL_Click(playlist::ResultRowItem item);
  void OpenRowMenu(int tab, const QPoint& globalPos);
  QMenu* PopupFromArray(const QString& array, QMenu* extra = nullptr);
  void ShowPopup(QMenu* menu, const QPoint& globalPos);
  void ClearHovers();
  void SyncSelection(int tab);
  bool RowPlaysFrom(int row, PlayingGrid grid) const;

  PlaylistManager& lists_;
  PlaylistCommands& commands_;
  SongGridModel& playlist_;
  SongGridModel& results_;
  SongGridModel& charts_;
  MenuForm& menus_;
  RowPlayingQuery rowPlaying_;

  std::array<SongGridModel*, 3> models_{};
  std::array<QTableView*, 3> views_{};
  std::array<SkinButton*, 3> tabs_{};
  std::array<SkinButton*, 6> buttons_{};
  std::array<QMenu*, 6> foreignMenus_{};
  std::array<QWidget*, 4> panels_{};  // Picture1..3, Picture6
  QLabel* loads_ = nullptr;
  QMenu* videoMenus_[2] = {nullptr, nullptr};
  QPointer<QMenu> lastPopup_;
  std::function<bool()> chartMode_;
  int currentTab_ = 0;
  int chartRow_ = 0;
  bool downloadAvailable_ = false;
};
