// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPointer>
#include <QString>
#include <array>
#include <functional>

#include "shell/ui/skinnedwindow.h"

class MediaPlayer;
class MenuForm;
class PlaylistCommands;
class PlaylistManager;
class QLabel;
class QMenu;
class QTableView;
class QWidget;
class SkinButton;
class SongGridModel;
struct PlaybackState;

// frmList: the window under the main window with the playlist, result and chart grids on three
// tabs, the six menu buttons and the row menus. Commands run in the playlist core; what
// belongs to the engine, lyrics and main window goes out as signals.
class PlaylistWindow : public SkinnedWindow {
  Q_OBJECT

 public:
  PlaylistWindow(PlaylistManager& lists, PlaylistCommands& commands, SongGridModel& results,
                 SongGridModel& charts, MenuForm& menus, PlaybackState& state, MediaPlayer& player,
                 QWidget* parent = nullptr);

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

  QTableView* grid(int tab) const { return views_[static_cast<size_t>(tab)]; }
  QLabel* loadsLabel() const { return loads_; }
  // The popup a button or a right click has open now, if any.
  QMenu* lastPopup() const;

 signals:
  // MSF_DblClick, before the player is touched: reset the engine's per-song counters, hide the
  // lyrics notice, mark the tag button not editable, press stop, enable the status timer,
  // clear the lyrics display, clear the search words and candidates, and reset the main
  // window's knob, time ("00:00") and caption ("Tunewharf"), then show openingText
  // ("正在打开媒体...") in the status line. The row's marks are already set.
  void PlaylistRowStarting(int row, const QString& openingText);
  // After Play(): set the engine's start flag and put the title in the main window's caption.
  void PlaylistRowStarted(int row, const QString& title);
  void StatusText(const QString& text);  // "加载排行榜单..." while the charts load
  void MonitorRefresh();
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
  void OnMenuItem(const QString& array, int index);
  void OpenRowMenu(int tab, const QPoint& globalPos);
  QMenu* PopupFromArray(const QString& array, QMenu* extra = nullptr);
  void ShowPopup(QMenu* menu, const QPoint& globalPos);
  void ClearHovers();
  void SyncSelection(int tab);
  bool RowPlaysFrom(int row, int grid) const;

  PlaylistManager& lists_;
  PlaylistCommands& commands_;
  SongGridModel& playlist_;
  SongGridModel& results_;
  SongGridModel& charts_;
  MenuForm& menus_;
  PlaybackState& state_;
  MediaPlayer& player_;

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
