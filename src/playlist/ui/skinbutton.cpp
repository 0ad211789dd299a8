// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/ui/skinbutton.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "shell/ui/skin.h"

SkinButton::SkinButton(Shape shape, const QString& text, QWidget* parent)
    : QAbstractButton(parent), shape_(shape) {
  setText(text);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover, true);
}

void SkinButton::SetSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  update();
}

void SkinButton::ClearHover() {
  if (!hovered_) return;
  hovered_ = false;
  update();
}

void SkinButton::enterEvent(QEnterEvent*) {
  hovered_ = true;
  update();
}

void SkinButton::leaveEvent(QEvent*) {
  ClearHover();
}

void SkinButton::mousePressEvent(QMouseEvent* event) {
  emit Pressed(event->button());
  event->accept();
}

void SkinButton::mouseReleaseEvent(QMouseEvent* event) {
  if (rect().contains(event->position().toPoint())) emit Released(event->button());
  event->accept();
}

void SkinButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  QColor ink = Qt::white;
  if (shape_ == Shape::Tab) {
    if (selected_) {
      g.setColorAt(0, Qt::white);
      g.setColorAt(1, QColor(241, 249, 252));
      ink = skin::kDeepBlue;
    } else if (hovered_) {
      g.setColorAt(0, skin::kAccent);
      g.setColorAt(1, skin::kMidBlue);
    } else {
      g.setColorAt(0, skin::kMidBlue);
      g.setColorAt(1, skin::kDeepBlue);
    }
    QPainterPath path;
    path.addRoundedRect(r.adjusted(0, 0, 0, 4), 4, 4);  // open at the bottom, toward the grid
    p.setClipRect(rect());
    p.fillPath(path, g);
    p.setPen(QPen(skin::kDivider, 1));
    p.drawPath(path);
  } else {
    if (hovered_) {
      g.setColorAt(0, skin::kAccent.lighter(120));
      g.setColorAt(1, skin::kMidBlue);
    } else {
      g.setColorAt(0, skin::kMidBlue);
      g.setColorAt(1, skin::kDeepBlue);
    }
    p.setBrush(g);
    p.setPen(QPen(hovered_ ? Qt::white : skin::kDivider, 1));
    p.drawRoundedRect(r, 3, 3);
  }
  QFont f = font();
  f.setPixelSize(qMax(9, height() - 10));
  f.setBold(shape_ == Shape::Tab && selected_);
  p.setFont(f);
  p.setPen(ink);
  p.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}
