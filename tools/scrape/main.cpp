// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tunewharf-scrape KIND FILE [--services FILE] [--arg N] [--json]: runs one scraper over a
// saved page (raw GBK bytes, as the fetcher writes them) and prints its rows as UTF-8,
// tab-separated, or with --json as one object with the rows and the scraper's other values.
#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QStringList>
#include <cstdio>
#include <functional>

#include "albumkinds.h"
#include "common/gbk.h"
#include "common/numparse.h"
#include "common/textfile.h"
#include "lyrickinds.h"
#include "mtvkinds.h"
#include "scrapekind.h"
#include "scrapeprint.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"
#include "web/songscan.h"

namespace {
using Page = ScrapePage;
using Rows = ScrapeRows;
using Kind = ScrapeKind;

Rows CandidateRows(const QList<web::Candidate>& candidates) {
  Rows rows;
  for (const auto& c : candidates) rows << QStringList{c.address, c.slot};
  return rows;
}

Rows AddressRow(const QString& address) {
  return address.isEmpty() ? Rows() : Rows{QStringList{address}};
}

// Every scraper the command knows; a new scraper adds one line.
const QStringList kCandidateFields{"candidate", "slot"};
const QStringList kAddressFields{"address"};

const QList<Kind>& Kinds() {
  static const QList<Kind> kinds = [] {
    QList<Kind> all{
        {"sogou-search", kHitFields,
         [](const Page& p) { return HitRows(web::ScanSogouResults(p.joined)); }},
        {"baidu-search", kHitFields,
         [](const Page& p) { return HitRows(web::ScanBaiduResults(p.joined)); }},
        {"sogou-candidates", kCandidateFields,
         [](const Page& p) {
           return CandidateRows(web::CollectSogouCandidates(p.joined, p.hosts.ListenPrefix()));
         }},
        {"baidu-candidates", kCandidateFields,
         [](const Page& p) { return CandidateRows(web::CollectBaiduCandidates(p.joined)); }},
        {"soso-candidates", kCandidateFields,
         [](const Page& p) { return CandidateRows(web::CollectSosoCandidates(p.joined)); }},
        {"sogou-listen", kAddressFields,
         [](const Page& p) { return AddressRow(web::ParseSogouListen(p.lines)); }},
        {"baidu-decode", kAddressFields,
         [](const Page& p) { return AddressRow(web::FindUrlaAnchor(p.joined)); }},
    };
    all << ChartKinds();
    all << SingerKinds();
    all << AlbumKinds();
    all << PictureKinds();
    return all;
  }();
  return kinds;
}

int Usage(const char* message) {
  std::fprintf(stderr,
               "tunewharf-scrape: %s\nusage: tunewharf-scrape KIND FILE [--services FILE] [--arg "
               "N] [--json]\n",
               message);
  return 2;
}

int Help() {
  std::printf("usage: tunewharf-scrape KIND FILE [--services FILE] [--arg N] [--json]\nkinds:\n");
  for (const Kind& k : Kinds())
    std::printf("  %-18s %s%s[%s]\n", k.name, k.help, *k.help ? " " : "",
                qPrintable(k.fields.join(u',')));
  std::printf("  %s\n", qPrintable(LyricsKindNames()));
  std::printf("  %s (--path-script FILE)\n", qPrintable(MtvKindNames()));
  return 0;
}

// Takes "--name VALUE" out of args; false when the value is missing.
bool TakeOption(QStringList& args, const QString& name, QString* value) {
  const qsizetype at = args.indexOf(name);
  if (at < 0) return true;
  if (at + 1 >= args.size()) return false;
  *value = args.at(at + 1);
  args.remove(at, 2);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) return Help();
  QString servicesFile, argText;
  if (!TakeOption(args, QStringLiteral("--services"), &servicesFile))
    return Usage("--services needs a file");
  if (!TakeOption(args, QStringLiteral("--arg"), &argText)) return Usage("--arg needs a number");
  const bool json = args.removeAll(QStringLiteral("--json")) > 0;
  bool argOk = true;
  const int arg = argText.isEmpty() ? 0 : argText.toInt(&argOk);
  if (!argOk) return Usage("--arg needs a number");
  if (const int rc = RunMtvKind(args, servicesFile, json); rc >= 0) return rc;
  if (args.size() != 2) return Usage("expected KIND and FILE");
  if (const int rc = RunLyricsKind(args.at(0), args.at(1), servicesFile, json); rc >= 0) return rc;
  const Kind* kind = nullptr;
  for (const Kind& k : Kinds())
    if (args.at(0) == QLatin1String(k.name)) kind = &k;
  if (!kind) return Usage(qPrintable(QStringLiteral("unknown kind ") + args.at(0)));

  QFile file(args.at(1));
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "tunewharf-scrape: cannot read %s\n", qPrintable(args.at(1)));
    return 2;
  }
  // The read-back rule: the page as GBK text, its lines joined without separators.
  Page page;
  page.arg = arg;
  QJsonObject values;
  page.values = &values;
  page.lines = common::SplitLines(
      web::BytesToText(file.read(PageFetcher::kMaxBodyBytes), QStringLiteral("GB2312")));
  page.joined = page.lines.join(QString());
  // Without --services the hosts stay at their defaults; the file is only read, never written.
  ServiceHosts hosts;
  if (!servicesFile.isEmpty()) {
    const auto read = ServiceHosts::Read(servicesFile);
    if (!read) {
      std::fprintf(stderr, "tunewharf-scrape: cannot read %s\n", qPrintable(servicesFile));
      return 2;
    }
    hosts = *read;
  }
  page.hosts = {hosts.Host(ServiceHosts::kSogouSearch), hosts.Host(ServiceHosts::kSogouListen),
                hosts.Host(ServiceHosts::kBaiduSearch), hosts.Host(ServiceHosts::kSosoSearch)};
  page.services = &hosts;

  const Rows rows = kind->run(page);
  if (json) {
    QJsonArray list;
    for (const QStringList& row : rows) {
      QJsonObject o;
      for (int i = 0; i < kind->fields.size(); ++i) o.insert(kind->fields.at(i), row.value(i));
      list.append(o);
    }
    values.insert(QStringLiteral("kind"), QString::fromLatin1(kind->name));
    values.insert(QStringLiteral("rows"), list);
    std::fputs(QJsonDocument(values).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
  }
  PrintTsvLine(kind->fields);
  for (const QStringList& row : rows) PrintTsvLine(row);
  return 0;
}
