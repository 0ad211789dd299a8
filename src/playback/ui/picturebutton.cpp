// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/ui/picturebutton.h"

#include <QPainter>
#include <QPainterPath>

#include "shell/ui/skin.h"

PictureButton::PictureButton(Glyph glyph, const QString& text, QWidget* parent)
    : QAbstractButton(parent), glyph_(glyph) {
  setText(text);
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
}

void PictureButton::SetGlyph(Glyph glyph) {
  glyph_ = glyph;
  update();
}

void PictureButton::enterEvent(QEnterEvent* event) {
  hover_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
  hover_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

void PictureButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor fill = Qt::transparent;
  QColor ink = onDark_ ? QColor(Qt::white) : skin::kDeepBlue;
  if (isDown()) {
    fill = skin::kMidBlue;
    ink = Qt::white;
  } else if (hover_) {
    fill = skin::kAccent;
    ink = skin::kDeepBlue;
  } else if (isChecked()) {
    fill = skin::kMidBlue;
    ink = Qt::white;
  }
  if (!isEnabled()) ink = skin::kDivider;
  const bool round = glyph_ != Glyph::Text;
  p.setPen(fill == Qt::transparent ? Qt::NoPen : QPen(skin::kDivider, 1));
  p.setBrush(fill);
  if (round)
    p.drawEllipse(r);
  else
    p.drawRoundedRect(r, 3, 3);
  if (glyph_ == Glyph::Text) {
    p.setPen(isChecked() || isDown() ? Qt::white : skin::kText);
    QFont f = font();
    f.setPixelSize(std::max(9, height() - 5));
    p.setFont(f);
    p.drawText(rect(), Qt::AlignCenter, text());
    return;
  }
  PaintGlyph(p,
             r.adjusted(r.width() * 0.25, r.height() * 0.25, -r.width() * 0.25, -r.height() * 0.25),
             ink);
}

void PictureButton::PaintGlyph(QPainter& p, const QRectF& g, const QColor& color) const {
  p.setPen(QPen(color, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(color);
  const qreal l = g.left(), t = g.top(), w = g.width(), h = g.height();
  auto tri = [&](qreal x0, qreal x1) {  // a triangle pointing right (x0 < x1) or left
    QPainterPath path;
    path.moveTo(x0, t);
    path.lineTo(x1, t + h / 2);
    path.lineTo(x0, t + h);
    path.closeSubpath();
    p.drawPath(path);
  };
  switch (glyph_) {
    case Glyph::Sound:
    case Glyph::Muted: {
      QPainterPath speaker;
      speaker.moveTo(l, t + h * 0.35);
      speaker.lineTo(l + w * 0.3, t + h * 0.35);
      speaker.lineTo(l + w * 0.6, t);
      speaker.lineTo(l + w * 0.6, t + h);
      speaker.lineTo(l + w * 0.3, t + h * 0.65);
      speaker.lineTo(l, t + h * 0.65);
      speaker.closeSubpath();
      p.drawPath(speaker);
      p.setBrush(Qt::NoBrush);
      if (glyph_ == Glyph::Sound) {
        p.drawArc(QRectF(l + w * 0.5, t + h * 0.2, w * 0.4, h * 0.6), -60 * 16, 120 * 16);
      } else {
        p.drawLine(QPointF(l + w * 0.72, t + h * 0.3), QPointF(l + w, t + h * 0.7));
        p.drawLine(QPointF(l + w * 0.72, t + h * 0.7), QPointF(l + w, t + h * 0.3));
      }
      break;
    }
    case Glyph::Previous:
      p.drawRect(QRectF(l, t, w * 0.12, h));
      tri(l + w, l + w * 0.2);
      break;
    case Glyph::Next:
      tri(l, l + w * 0.8);
      p.drawRect(QRectF(l + w * 0.88, t, w * 0.12, h));
      break;
    case Glyph::Play:
      tri(l + w * 0.1, l + w);
      break;
    case Glyph::Pause:
      p.drawRect(QRectF(l + w * 0.1, t, w * 0.25, h));
      p.drawRect(QRectF(l + w * 0.65, t, w * 0.25, h));
      break;
    case Glyph::Stop:
      p.drawRect(QRectF(l + w * 0.05, t + h * 0.05, w * 0.9, h * 0.9));
      break;
    case Glyph::Note:
      p.drawEllipse(QRectF(l, t + h * 0.6, w * 0.45, h * 0.4));
      p.drawLine(QPointF(l + w * 0.45, t + h * 0.8), QPointF(l + w * 0.45, t));
      p.drawLine(QPointF(l + w * 0.45, t), QPointF(l + w, t + h * 0.25));
      break;
    case Glyph::Shrink:
      p.drawLine(QPointF(l, t + h / 2), QPointF(l + w, t + h / 2));
      break;
    case Glyph::Playlist:
      for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(l, t + h * (0.15 + 0.35 * i)),
                   QPointF(l + w, t + h * (0.15 + 0.35 * i)));
      break;
    case Glyph::Spectrum:
      for (int i = 0; i < 4; ++i) {
        const qreal bh = h * (0.35 + 0.2 * ((i * 7) % 4));
        p.drawRect(QRectF(l + w * 0.27 * i, t + h - bh, w * 0.15, bh));
      }
      break;
    case Glyph::Search:
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(l, t, w * 0.65, h * 0.65));
      p.drawLine(QPointF(l + w * 0.58, t + h * 0.58), QPointF(l + w, t + h));
      break;
    case Glyph::HideAll:
      p.setBrush(Qt::NoBrush);
      p.drawLine(QPointF(l, t), QPointF(l + w, t + h));
      p.drawLine(QPointF(l, t + h), QPointF(l + w, t));
      break;
    case Glyph::Tray:
      p.drawLine(QPointF(l + w / 2, t), QPointF(l + w / 2, t + h * 0.7));
      p.drawLine(QPointF(l + w * 0.2, t + h * 0.4), QPointF(l + w / 2, t + h * 0.7));
      p.drawLine(QPointF(l + w * 0.8, t + h * 0.4), QPointF(l + w / 2, t + h * 0.7));
      p.drawLine(QPointF(l, t + h), QPointF(l + w, t + h));
      break;
    case Glyph::Text:
      break;
  }
}
