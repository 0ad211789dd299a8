// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QStringList>
#include <functional>

#include "shell/monitormodel.h"
#include "shell/ui/skinnedwindow.h"

class QTableView;

// The monitor window frmstate: a grid of the player's internal state and of the candidate
// addresses of the playing web song; double-clicking a candidate row tries that candidate.
class MonitorWindow : public SkinnedWindow {
  Q_OBJECT

 public:
  // The model lives apart so that it keeps the state while no window shows it.
  explicit MonitorWindow(MonitorModel& model, QWidget* parent = nullptr);

  MonitorModel& model() { return model_; }
  QTableView* grid() const { return grid_; }

  // Whether a web result is playing (playing grid 2, list kind 2); candidates are chosen only
  // then. Unset means always.
  void SetWebResultPlaying(std::function<bool()> isPlaying) { webPlaying_ = std::move(isPlaying); }
  // A double-click on program row `row` (the header is row 0).
  void OnRowDoubleClicked(int row);

  // Width of the main window and a height of at least the main window's plus 2500 twips.
  void FitToMainWindow(const QRect& mainTwips);

 signals:
  // Try candidate k (shown on row 16 + k): the wiring selects the playing row of the result
  // grid, sets the current candidate to k - 1 and plays the row again, which advances it.
  void CandidateChosen(int k);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  MonitorModel& model_;
  QTableView* grid_;
  std::function<bool()> webPlaying_;
};
