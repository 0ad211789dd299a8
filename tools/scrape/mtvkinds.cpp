// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "mtvkinds.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <optional>

#include "common/textfile.h"
#include "extras/mtvscan.h"
#include "scrapeprint.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {
using Output = ScrapeOutput;

// The page's lines as the fetcher writes and reads them back (GBK).
std::optional<QStringList> ReadLines(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "tunewharf-scrape: cannot read %s\n", qPrintable(file));
    return std::nullopt;
  }
  return common::SplitLines(
      web::BytesToText(in.read(PageFetcher::kMaxBodyBytes), QStringLiteral("GB2312")));
}

Output TableRows(const extras::MtvPathTable& table) {
  Output out{{"name", "prefix"}, {}, {}};
  for (const auto& [name, prefix] : table) out.rows << QStringList{name, prefix};
  return out;
}
}  // namespace

QString MtvKindNames() {
  return QStringLiteral("mtv-search mtv-path-script mtv-video");
}

int RunMtvKind(QStringList& args, const QString& servicesFile, bool json) {
  if (args.isEmpty() || !MtvKindNames().split(u' ').contains(args.at(0))) return -1;
  QString scriptFile;
  if (const qsizetype at = args.indexOf(QStringLiteral("--path-script")); at >= 0) {
    if (at + 1 >= args.size()) {
      std::fprintf(stderr, "tunewharf-scrape: --path-script needs a file\n");
      return 2;
    }
    scriptFile = args.at(at + 1);
    args.remove(at, 2);
  }
  if (args.size() != 2) {
    std::fprintf(stderr, "tunewharf-scrape: expected KIND and FILE\n");
    return 2;
  }
  ServiceHosts hosts;
  if (!servicesFile.isEmpty()) {
    const auto read = ServiceHosts::Read(servicesFile);
    if (!read) {
      std::fprintf(stderr, "tunewharf-scrape: cannot read %s\n", qPrintable(servicesFile));
      return 2;
    }
    hosts = *read;
  }
  const auto lines = ReadLines(args.at(1));
  if (!lines) return 2;
  const QString kind = args.at(0);
  const QString joined = lines->join(QString());
  Output out;
  if (kind == QStringLiteral("mtv-search")) {
    out.fields = QStringList{"number", "title", "singer", "link"};
    int n = 1;
    for (const extras::MtvHit& hit :
         extras::ScanMtvHits(joined, hosts.Host(ServiceHosts::kMtvSite)))
      out.rows << QStringList{QStringLiteral("%1").arg(n++, 3, 10, QLatin1Char('0')), hit.title,
                              hit.singer, hit.link};
    const auto total = extras::ScanMtvTotal(joined);
    out.values.insert(QStringLiteral("total"), total ? *total : 0);
    out.values.insert(QStringLiteral("pages"), total && *total ? extras::MtvPages(*total) : 0);
  } else if (kind == QStringLiteral("mtv-path-script")) {
    out = TableRows(extras::ParsePathScript(*lines));
  } else {
    out.fields = QStringList{"key", "file", "address"};
    if (const auto ref = extras::ScanVideoPage(joined)) {
      extras::MtvPathTable table;
      if (!scriptFile.isEmpty()) {
        const auto script = ReadLines(scriptFile);
        if (!script) return 2;
        table = extras::ParsePathScript(*script);
      }
      const QString fallback = hosts.Host(ServiceHosts::kMtvFallback) + QStringLiteral("/mtv/");
      // An address the player would refuse prints as empty.
      out.rows << QStringList{ref->key, ref->fileName,
                              extras::MtvVideoAddress(table, *ref, fallback).value_or(QString())};
    }
  }
  PrintOutput(out, json);
  return 0;
}
