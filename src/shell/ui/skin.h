// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

// The program's one skin: its colours and the painting of window frames, grids and buttons.
namespace skin {

inline const QColor kDeepBlue{9, 62, 154};
inline const QColor kMidBlue{33, 101, 198};
inline const QColor kLight{191, 221, 245};
inline const QColor kText{76, 97, 143};
inline const QColor kAccent{33, 219, 255};
inline const QColor kDivider{41, 89, 156};

void PaintFrame(QPainter& painter, const QRect& rect, int titleHeight, const QString& caption,
                bool bottomGrip);
QString CloseButtonStyle();

}  // namespace skin
