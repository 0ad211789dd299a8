// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

namespace shell {

// Captions of the tray popup's nine items; item i runs control-menu command i.
const QStringList& TrayItemCaptions();

// The tray icon's tip: the playing title, or the program's name when none is known.
QString TrayTip(const QString& playingTitle);

// Top-left of the tray popup in twips, near the notification area of a screen of
// `screenPx` pixels; the pixel counts scaled by 0.244 and 0.599 are used as twips:
//   1280x800 px screen, 1500x2700 twips popup => (19200-1500-312, 12000-2700-479)
QPoint TrayPopupPosition(const QSize& screenPx, const QSize& popupTwips);

}  // namespace shell
