// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

class MenuForm;

// The settings menu item arrays of the popup-menu form and their captions. Every engine,
// format, option and error-correction item carries a check mark when created; LoadConfig then
// sets the stored ones.
namespace app {

inline const QString kEngineMenu = QStringLiteral("sousuo");
inline const QString kLyricsEngineMenu = QStringLiteral("cige");
inline const QString kFormatMenu = QStringLiteral("geshi");
inline const QString kModeMenu = QStringLiteral("mnuModes");
inline const QString kOptionsMenu = QStringLiteral("more");
inline const QString kSetsMenu = QStringLiteral("Sets");
inline const QString kSortsMenu = QStringLiteral("mnuSorts");
inline const QString kListMenu = QStringLiteral("LList");
// Items of mnuSorts that are commands rather than submenus.
enum class SortsItem { Monitor = 5, About = 6 };
// Setcolor1..3 for k = 0 foreground, 1 background, 2 highlight.
QString ColorMenu(int k);

void CreateSettingsMenus(MenuForm& menus);

}  // namespace app
