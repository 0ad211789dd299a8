// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The first-run marker: its absence means the splash is shown once before the main window.
namespace app {

// firstrun.jc in the per-user configuration folder.
QString FirstRunMarkerPath();
bool IsFirstRun(const QString& markerPath);
// Writes the single line "Tunewharf" + CR LF.
bool WriteFirstRunMarker(const QString& markerPath);

}  // namespace app
