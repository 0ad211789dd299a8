// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/skinnedwindow.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QToolButton>

#include "common/twips.h"
#include "shell/ui/skin.h"

namespace {
constexpr int kGripHeight = 6;
}

SkinnedWindow::SkinnedWindow(const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), closeButton_(new QToolButton(this)) {
  setWindowTitle(caption);
  setAttribute(Qt::WA_StyledBackground, false);
  closeButton_->setObjectName(QStringLiteral("T1"));
  closeButton_->setAutoRaise(true);
  closeButton_->setFocusPolicy(Qt::NoFocus);
  closeButton_->setStyleSheet(skin::CloseButtonStyle());
  closeButton_->setText(QStringLiteral("×"));
  connect(closeButton_, &QToolButton::clicked, this, [this] {
    hide();
    emit CloseClicked();
  });
}

void SkinnedWindow::SetGeometryTwips(int left, int top, int width, int height) {
  setGeometry(common::TwipsRect(left, top, width, height));
}

void SkinnedWindow::SetTitleHeight(int px) {
  titleHeight_ = px;
  update();
}

void SkinnedWindow::SetResizableHeight(bool resizable, int minHeightTwips) {
  resizable_ = resizable;
  minHeightPx_ = common::TwipsToPx(minHeightTwips);
}

void SkinnedWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  skin::PaintFrame(p, rect(), titleHeight_, windowTitle(), resizable_);
}

void SkinnedWindow::resizeEvent(QResizeEvent*) {
  const int size = titleHeight_ - 4;
  closeButton_->setGeometry(width() - size - 4, 2, size, size);
  SetRoundRegion();
  emit Resized();
}

void SkinnedWindow::SetRoundRegion() {
  // A 5-pixel corner ellipse, as the skin pieces are drawn for it.
  QPainterPath path;
  path.addRoundedRect(QRectF(rect()), 2.5, 2.5);
  setMask(QRegion(path.toFillPolygon().toPolygon()));
}

void SkinnedWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const int y = static_cast<int>(event->position().y());
  dragStart_ = event->globalPosition().toPoint();
  if (resizable_ && y >= height() - kGripHeight)
    drag_ = Drag::Resize;
  else if (movable_ && y < titleHeight_)
    drag_ = Drag::Move;
  else
    drag_ = Drag::None;
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint global = event->globalPosition().toPoint();
  const QPoint delta = global - dragStart_;
  if (drag_ == Drag::Move) {
    move(pos() + delta);
    dragStart_ = global;
    emit UserMoved();
  } else if (drag_ == Drag::Resize) {
    const int h = qMax(minHeightPx_, height() + delta.y());
    if (h != height()) {
      resize(width(), h);
      dragStart_.setY(dragStart_.y() + delta.y());
    }
  }
}

void SkinnedWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && drag_ != Drag::None) {
    drag_ = Drag::None;
    emit DragReleased();
  }
}
