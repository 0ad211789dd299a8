// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "scrapeprint.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

void PrintTsvLine(const QStringList& fields) {
  QStringList clean;
  for (QString f : fields)
    clean << f.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
  std::fputs(clean.join(u'\t').toUtf8().append('\n').constData(), stdout);
}

void PrintOutput(const ScrapeOutput& out, bool json) {
  if (json) {
    QJsonArray rows;
    for (const QStringList& row : out.rows) {
      QJsonObject o;
      for (int i = 0; i < out.fields.size(); ++i) o.insert(out.fields[i], row.value(i));
      rows.append(o);
    }
    QJsonObject all = out.values;
    all.insert(QStringLiteral("rows"), rows);
    std::fputs(QJsonDocument(all).toJson(QJsonDocument::Compact).append('\n').constData(), stdout);
    return;
  }
  PrintTsvLine(out.fields);
  for (const QStringList& row : out.rows) PrintTsvLine(row);
  for (auto it = out.values.begin(); it != out.values.end(); ++it)
    PrintTsvLine({QStringLiteral("# ") + it.key(), it.value().toVariant().toString()});
}
