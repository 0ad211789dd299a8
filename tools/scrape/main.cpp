// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tunewharf-scrape KIND FILE [--services FILE]: runs one scraper over a saved page (raw GBK
// bytes, as the fetcher writes them) and prints its rows as UTF-8, tab-separated.
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <functional>

#include "common/gbk.h"
#include "common/numparse.h"
#include "common/textfile.h"
#include "lyrickinds.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"
#include "web/songscan.h"

namespace {
struct Page {
  QString joined;     // the read-back text the scanners take
  QStringList lines;  // for scrapers that read the page line by line
  web::EngineHosts hosts;
};
using Rows = QList<QStringList>;

Rows HitRows(const QList<web::SearchHit>& hits) {
  Rows rows;
  int n = 1;
  for (const auto& h : hits)
    rows << QStringList{common::ThreeDigits(n++), h.title, h.singer, h.duration, QString()};
  return rows;
}

Rows CandidateRows(const QList<web::Candidate>& candidates) {
  Rows rows;
  for (const auto& c : candidates) rows << QStringList{c.address, c.slot};
  return rows;
}

Rows AddressRow(const QString& address) {
  return address.isEmpty() ? Rows() : Rows{QStringList{address}};
}

// Every scraper the command knows; a new scraper adds one line.
struct Kind {
  const char* name;
  QStringList fields;
  std::function<Rows(const Page&)> run;
};
const QStringList kHitFields{"number", "title", "singer", "duration", "path"};
const QStringList kCandidateFields{"candidate", "slot"};
const QStringList kAddressFields{"address"};

const QList<Kind>& Kinds() {
  static const QList<Kind> kinds{
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
  return kinds;
}

int Usage(const char* message) {
  std::fprintf(
      stderr,
      "tunewharf-scrape: %s\nusage: tunewharf-scrape KIND FILE [--services FILE]\nkinds:", message);
  for (const Kind& k : Kinds()) std::fprintf(stderr, " %s", k.name);
  std::fprintf(stderr, " %s", qPrintable(LyricsKindNames()));
  std::fprintf(stderr, "\n");
  return 2;
}

void PrintRow(const QStringList& fields) {
  QStringList clean;
  // A tab or line break inside a field would break the table.
  for (QString f : fields)
    clean << f.replace(u'\t', u' ').replace(u'\n', u' ').replace(u'\r', u' ');
  std::fputs(clean.join(u'\t').toUtf8().append('\n').constData(), stdout);
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  QString servicesFile;
  const qsizetype s = args.indexOf(QStringLiteral("--services"));
  if (s >= 0) {
    if (s + 1 >= args.size()) return Usage("--services needs a file");
    servicesFile = args.at(s + 1);
    args.remove(s, 2);
  }
  const bool json = args.removeAll(QStringLiteral("--json")) > 0;
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

  PrintRow(kind->fields);
  for (const QStringList& row : kind->run(page)) PrintRow(row);
  return 0;
}
