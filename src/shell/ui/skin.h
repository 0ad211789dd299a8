// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QPainter>
#include <QRect>
#include <QString>

// The program's one skin: its colours and the painting of window frames, grids and buttons.
// Everything is drawn as vectors, so it stays crisp at any device pixel ratio.
namespace skin {

inline const QColor kDeepBlue{9, 62, 154};
inline const QColor kMidBlue{33, 101, 198};
inline const QColor kLight{191, 221, 245};
inline const QColor kText{76, 97, 143};
inline const QColor kAccent{33, 219, 255};
inline const QColor kDivider{41, 89, 156};
inline const QColor kBodyBottom{226, 240, 251};

inline constexpr int kGripHeight = 6;  // the bottom edge piece, in pixels

enum class ButtonState { Normal, Hover, Pressed };  // the T2, T4 and T3 pictures

void PaintFrame(QPainter& painter, const QRect& rect, int titleHeight, const QString& caption,
                bool bottomGrip);
// The frame in two layers: everything but the caption (which windows cache), then the caption.
void PaintFrameBody(QPainter& painter, const QRect& rect, int titleHeight, bool bottomGrip);
void PaintCaption(QPainter& painter, const QRect& rect, int titleHeight, const QString& caption);
// The strip the caption is drawn in; nothing else of the frame is painted there.
QRect CaptionArea(const QRect& rect, int titleHeight);
// The close button's picture in one of its three states.
void PaintCloseButton(QPainter& painter, const QRectF& rect, ButtonState state);
QString CloseButtonStyle();
// Popup menus in the skin's colours: light body, deep-blue border, blue highlight.
QString MenuStyle();

}  // namespace skin
