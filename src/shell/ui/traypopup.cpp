// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/traypopup.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "shell/traylayout.h"
#include "shell/ui/skin.h"

namespace {
constexpr int kItemHeight = 20;
constexpr int kPad = 4;
constexpr int kWidth = 104;
const QColor kHighlight(33, 101, 198);
}  // namespace

TrayPopup::TrayPopup(QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("SysTray"));
  setMouseTracking(true);
  setFixedSize(kWidth, 2 * kPad + kItems * kItemHeight);
  timer_.setInterval(100);
  connect(&timer_, &QTimer::timeout, this, &TrayPopup::OnTimerTick);
}

void TrayPopup::Popup(const QPoint& topLeftPx) {
  highlighted_ = -1;
  move(topLeftPx);
  show();
  raise();
  activateWindow();
  timer_.start();
}

QRect TrayPopup::itemRect(int i) const {
  return QRect(kPad, kPad + i * kItemHeight, width() - 2 * kPad, kItemHeight);
}

int TrayPopup::ItemAt(const QPoint& pos) const {
  for (int i = 0; i < kItems; ++i)
    if (itemRect(i).contains(pos)) return i;
  return -1;
}

void TrayPopup::Close() {
  timer_.stop();
  hide();
}

void TrayPopup::OnTimerTick() {
  if (QApplication::activePopupWidget() == this || QApplication::activeWindow() == this) return;
  Close();
}

void TrayPopup::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient back(0, 0, 0, height());
  back.setColorAt(0, skin::kLight);
  back.setColorAt(1, skin::kBodyBottom);
  p.fillRect(rect(), back);
  p.setPen(QPen(skin::kDeepBlue, 1));
  p.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
  const QStringList& captions = shell::TrayItemCaptions();
  for (int i = 0; i < kItems; ++i) {
    const QRect r = itemRect(i);
    const bool lit = i == highlighted_;
    if (lit) {
      p.setPen(Qt::NoPen);
      p.setBrush(kHighlight);
      p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    }
    p.setPen(lit ? QColor(Qt::white) : skin::kText);
    p.drawText(r.adjusted(10, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, captions[i]);
    if (i == 1 || i == 6) {  // group the transport, volume and window commands
      p.setPen(QPen(skin::kMidBlue.lighter(150), 1));
      p.drawLine(QPointF(r.left() + 4, r.bottom() + 0.5), QPointF(r.right() - 4, r.bottom() + 0.5));
    }
  }
}

void TrayPopup::mouseMoveEvent(QMouseEvent* event) {
  const int i = ItemAt(event->position().toPoint());
  if (i != highlighted_) {
    highlighted_ = i;
    update();
  }
}

void TrayPopup::leaveEvent(QEvent*) {
  highlighted_ = -1;
  update();
}

void TrayPopup::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int i = ItemAt(event->position().toPoint());
  Close();
  if (i >= 0) emit ControlChosen(i);
}
