// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/ui/knob.h"

#include <QMouseEvent>
#include <QPainter>

#include "common/twips.h"
#include "shell/ui/skin.h"

Knob::Knob(QWidget* parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
}

void Knob::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor fill = pressed_ ? skin::kMidBlue : hover_ ? skin::kAccent : Qt::white;
  p.setPen(QPen(skin::kDeepBlue, 1));
  p.setBrush(fill);
  p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

int Knob::FollowLeft(QMouseEvent* event) const {
  const int parentX = mapToParent(event->position().toPoint()).x();
  return common::PxToTwips(parentX - grabX_);
}

void Knob::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  grabX_ = static_cast<int>(event->position().x());
  update();
  emit Pressed();
}

void Knob::mouseMoveEvent(QMouseEvent* event) {
  if (pressed_ && (event->buttons() & Qt::LeftButton)) emit Dragged(FollowLeft(event));
}

void Knob::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  update();
  emit Released(FollowLeft(event));
}

void Knob::enterEvent(QEnterEvent*) {
  hover_ = true;
  update();
}

void Knob::leaveEvent(QEvent*) {
  hover_ = false;
  update();
}
