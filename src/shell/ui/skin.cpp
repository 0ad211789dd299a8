// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/skin.h"

#include <QLinearGradient>
#include <QPainterPath>

namespace skin {

namespace {
constexpr qreal kCorner = 2.5;  // half the 5-pixel corner ellipse of the window region
}

namespace {
// Where the caption goes: right of the accent mark, left of the close button.
QRect CaptionRect(const QRect& r, int titleHeight) {
  const qreal mark = qMax(4.0, titleHeight * 0.3);
  const int textLeft = static_cast<int>(r.left() + 7 + mark) + 6;
  return QRect(textLeft, r.top(), r.width() - textLeft - titleHeight - 4, titleHeight);
}
}  // namespace

void PaintFrame(QPainter& p, const QRect& r, int titleHeight, const QString& caption,
                bool bottomGrip) {
  PaintFrameBody(p, r, titleHeight, bottomGrip);
  PaintCaption(p, r, titleHeight, caption);
}

void PaintFrameBody(QPainter& p, const QRect& r, int titleHeight, bool bottomGrip) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF outer = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);

  QLinearGradient body(r.topLeft(), r.bottomLeft());
  body.setColorAt(0, kLight);
  body.setColorAt(1, kBodyBottom);
  p.fillRect(r, body);

  // Title strip: deep blue with a lighter top line and an accent rule under it.
  QLinearGradient title(0, r.top(), 0, r.top() + titleHeight);
  title.setColorAt(0, kMidBlue);
  title.setColorAt(1, kDeepBlue);
  p.fillRect(QRect(r.left(), r.top(), r.width(), titleHeight), title);
  p.setPen(QPen(kMidBlue.lighter(135), 1));
  p.drawLine(QPointF(r.left() + 2, r.top() + 1.5), QPointF(r.right() - 1, r.top() + 1.5));
  p.setPen(QPen(kAccent, 1));
  p.drawLine(QPointF(r.left(), r.top() + titleHeight - 0.5),
             QPointF(r.right() + 1, r.top() + titleHeight - 0.5));

  // A small accent mark before the caption.
  const qreal mark = qMax(4.0, titleHeight * 0.3);
  const QRectF markRect(r.left() + 7, r.top() + (titleHeight - mark) / 2, mark, mark);
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(markRect);

  if (bottomGrip) {
    const QRectF grip(r.left(), r.bottom() + 1 - kGripHeight, r.width(), kGripHeight);
    QLinearGradient g(grip.topLeft(), grip.bottomLeft());
    g.setColorAt(0, kMidBlue);
    g.setColorAt(1, kDeepBlue);
    p.fillRect(grip, g);
    p.setPen(Qt::NoPen);
    p.setBrush(kAccent);
    const qreal cx = grip.center().x();
    for (int i = -2; i <= 2; ++i) p.drawEllipse(QPointF(cx + i * 6, grip.center().y()), 1.1, 1.1);
  }

  // Edges: a light bevel inside the deep blue border.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 255, 255, 140), 1));
  p.drawRoundedRect(outer.adjusted(1, titleHeight, -1, -1), kCorner, kCorner);
  p.setPen(QPen(kDeepBlue, 1));
  p.drawRoundedRect(outer, kCorner, kCorner);
  p.restore();
}

void PaintCaption(QPainter& p, const QRect& r, int titleHeight, const QString& caption) {
  p.save();
  QFont f = p.font();
  f.setPixelSize(qMax(9, titleHeight - 7));
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  // drawText never interprets markup.
  const QRect textRect = CaptionRect(r, titleHeight);
  p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
             p.fontMetrics().elidedText(caption, Qt::ElideRight, textRect.width()));
  p.restore();
}

QRect CaptionArea(const QRect& rect, int titleHeight) {
  return CaptionRect(rect, titleHeight);
}

void PaintCloseButton(QPainter& p, const QRectF& rect, ButtonState state) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  const QRectF box = rect.adjusted(0.5, 0.5, -0.5, -0.5);
  QColor cross = Qt::white;
  if (state == ButtonState::Hover) {
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(kAccent);
    p.drawRoundedRect(box, 2, 2);
    cross = kDeepBlue;
  } else if (state == ButtonState::Pressed) {
    p.setPen(QPen(kDeepBlue, 1));
    p.setBrush(kLight);
    p.drawRoundedRect(box, 2, 2);
    cross = kDeepBlue;
  } else {
    p.setPen(QPen(kLight, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box, 2, 2);
  }
  const qreal inset = box.width() * 0.3;
  const QRectF x = box.adjusted(inset, inset, -inset, -inset)
                       .translated(state == ButtonState::Pressed ? 0.5 : 0, 0);
  p.setPen(QPen(cross, qMax(1.4, box.width() / 9), Qt::SolidLine, Qt::RoundCap));
  p.drawLine(x.topLeft(), x.bottomRight());
  p.drawLine(x.topRight(), x.bottomLeft());
  p.restore();
}

QString CloseButtonStyle() {
  return QStringLiteral(
      "QToolButton{color:white;border:none;background:transparent;font-weight:bold;}"
      "QToolButton:hover{background:rgb(33,219,255);color:rgb(9,62,154);}"
      "QToolButton:pressed{background:rgb(191,221,245);}");
}

QString MenuStyle() {
  return QStringLiteral(
      "QMenu{background:rgb(241,249,252);border:1px solid rgb(9,62,154);color:rgb(76,97,143);"
      "padding:2px;}"
      "QMenu::item{padding:3px 18px 3px 22px;}"
      "QMenu::item:selected{background:rgb(33,101,198);color:white;}"
      "QMenu::item:disabled{color:rgb(160,175,200);}"
      "QMenu::separator{height:1px;background:rgb(189,215,231);margin:3px 6px;}");
}

}  // namespace skin
