// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>

struct ScrapeKind;

// The album kinds: album-list (FILE a group's list page), album-page (an album's page) and
// singer-albums (a singer's page); relative links resolve on the music search host.
const QList<ScrapeKind>& AlbumKinds();
