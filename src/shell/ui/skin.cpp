// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/skin.h"

#include <QLinearGradient>

namespace skin {

void PaintFrame(QPainter& p, const QRect& r, int titleHeight, const QString& caption,
                bool bottomGrip) {
  p.setRenderHint(QPainter::Antialiasing, false);
  QLinearGradient body(r.topLeft(), r.bottomLeft());
  body.setColorAt(0, kLight);
  body.setColorAt(1, QColor(226, 240, 251));
  p.fillRect(r, body);
  QLinearGradient title(0, 0, 0, titleHeight);
  title.setColorAt(0, kMidBlue);
  title.setColorAt(1, kDeepBlue);
  p.fillRect(QRect(0, 0, r.width(), titleHeight), title);
  p.setPen(Qt::white);
  p.drawText(QRect(8, 0, r.width() - 40, titleHeight), Qt::AlignVCenter | Qt::AlignLeft, caption);
  if (bottomGrip) p.fillRect(QRect(0, r.height() - 5, r.width(), 5), kMidBlue);
  p.setPen(kDeepBlue);
  p.drawRect(r.adjusted(0, 0, -1, -1));
}

QString CloseButtonStyle() {
  return QStringLiteral(
      "QToolButton{color:white;border:none;background:transparent;font-weight:bold;}"
      "QToolButton:hover{background:rgb(33,219,255);color:rgb(9,62,154);}"
      "QToolButton:pressed{background:rgb(191,221,245);}");
}

}  // namespace skin
