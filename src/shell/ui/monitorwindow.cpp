// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/monitorwindow.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableView>

#include "common/twips.h"
#include "shell/ui/gridstyle.h"
#include "shell/ui/skin.h"

namespace {
constexpr int kMargin = 4;
constexpr int kMinExtraHeightTwips = 2500;

// The NowPlay picture the song grids show: a play triangle in the playing green.
QIcon NowPlayIcon() {
  QPixmap pm(12, 12);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(77, 163, 12));
  p.drawPolygon(QPolygonF({QPointF(2, 1), QPointF(11, 6), QPointF(2, 11)}));
  return QIcon(pm);
}
}  // namespace

MonitorWindow::MonitorWindow(MonitorModel& model, QWidget* parent)
    : SkinnedWindow(QStringLiteral("监视窗口"), parent),
      model_(model),
      grid_(new QTableView(this)) {
  setObjectName(QStringLiteral("frmstate"));
  model_.SetMarkIcon(NowPlayIcon());
  grid_->setObjectName(QStringLiteral("MSFlexGrid1"));
  grid_->setModel(&model_);
  skin::ApplyGridStyle(grid_);
  skin::SetColumnWidthsTwips(grid_, {450, 1350});
  grid_->horizontalHeader()->setStretchLastSection(true);
  connect(grid_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { OnRowDoubleClicked(index.row() + 1); });
  SetResizableHeight(true, 2500);
  SetGeometryTwips(0, 0, 4230, 6000);
}

void MonitorWindow::OnRowDoubleClicked(int row) {
  if (row < MonitorModel::kFirstCandidateRow || row >= MonitorModel::kRows) return;
  if (webPlaying_ && !webPlaying_()) return;
  emit CandidateChosen(row - MonitorModel::kFirstCandidateRow);
}

void MonitorWindow::FitToMainWindow(const QRect& mainTwips) {
  const int minHeight = mainTwips.height() + kMinExtraHeightTwips;
  SetResizableHeight(true, minHeight);
  const QRect g = geometryTwips();
  SetGeometryTwips(g.left(), g.top(), mainTwips.width(), qMax(g.height(), minHeight));
}

void MonitorWindow::resizeEvent(QResizeEvent* event) {
  grid_->setGeometry(kMargin, titleHeight() + kMargin, width() - 2 * kMargin,
                     height() - titleHeight() - skin::kGripHeight - 2 * kMargin);
  SkinnedWindow::resizeEvent(event);
}
