// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QJsonObject>
#include <QList>
#include <QStringList>

// What a scrape kind prints: a header of field names, one row per item, and the scan's other
// values (stopped, count, pages).
struct ScrapeOutput {
  QStringList fields;
  QList<QStringList> rows;
  QJsonObject values;
};

// One TSV line; a tab or line break inside a field would break the table, so it becomes a blank.
void PrintTsvLine(const QStringList& fields);

// TSV (the values follow as "# key" comment lines), or one JSON object with `rows` and the values.
void PrintOutput(const ScrapeOutput& out, bool json);
