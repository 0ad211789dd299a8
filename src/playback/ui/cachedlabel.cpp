// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/ui/cachedlabel.h"

#include <QPainter>
#include <QStyle>

void CachedLabel::paintEvent(QPaintEvent*) {
  const qreal ratio = devicePixelRatioF();
  if (picture_.size() != size() * ratio || pictureText_ != text() ||
      picturePalette_ != palette() || pictureFont_ != font()) {
    picture_ = QPixmap(size() * ratio);
    picture_.setDevicePixelRatio(ratio);
    picture_.fill(Qt::transparent);
    QPainter p(&picture_);
    p.setFont(font());
    style()->drawItemText(&p, contentsRect(), QStyle::visualAlignment(layoutDirection(), alignment()),
                          palette(), isEnabled(), text(), foregroundRole());
    pictureText_ = text();
    picturePalette_ = palette();
    pictureFont_ = font();
  }
  QPainter(this).drawPixmap(0, 0, picture_);
}
