// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/servicehosts.h"

#include <QFileInfo>
#include <QUrl>

#include "common/textfile.h"

namespace {
const QString kSection = QStringLiteral("[hosts]");

QString CleanHost(QString host) {
  host = host.trimmed();
  while (host.endsWith(u'/')) host.chop(1);
  if (!host.isEmpty() && !host.contains(QStringLiteral("://")))
    host.prepend(QStringLiteral("http://"));
  return host;
}
}  // namespace

const QList<ServiceHosts::Service>& ServiceHosts::Services() {
  static const QList<Service> services{
      {kSogouSearch, QStringLiteral("Sogou music search")},
      {kSogouListen, QStringLiteral("Sogou listening service")},
      {kBaiduSearch, QStringLiteral("Baidu music search")},
      {kSosoSearch, QStringLiteral("Soso music search")},
      {kOnlineNotice, QStringLiteral("online notice page, served at /notice.htm")},
      {kHomePage, QStringLiteral("the program's home page, opened in the browser at /index.htm")},
      {kLyricsSite, QStringLiteral("first lyrics site (search at /, lyrics links below its root)")},
      {kBaiduLyrics, QStringLiteral("Baidu lyrics search, at /m")},
      {kSogouForum, QStringLiteral("Sogou forum, a singer's forum page at /t")},
      {QStringLiteral("ChartSiteA"), QStringLiteral("chart site A")},
      {QStringLiteral("ChartSiteB"), QStringLiteral("chart site B")},
      {QStringLiteral("ChartBaidu"), QStringLiteral("Baidu music lists")},
      {QStringLiteral("ChartSogou"), QStringLiteral("Sogou charts")},
      {QStringLiteral("ChartSiteC"), QStringLiteral("chart site C")},
      {QStringLiteral("ChartSiteD"), QStringLiteral("chart site D")},
      {QStringLiteral("ChartSoso"), QStringLiteral("Soso charts")},
      {QStringLiteral("ChartSiteE"), QStringLiteral("chart site E")},
      {kMtvSite, QStringLiteral("music-video search at /mtv/search.php; root of its hit links")},
      {kMtvVideoHost, QStringLiteral("music-video host: its server table at /v/js/path.js")},
      {kMtvFallback, QStringLiteral("music-video fallback server (port 8080), videos in /mtv/")},
      {QStringLiteral("PictureSearch"), QStringLiteral("picture search, at /pics")},
  };
  return services;
}

ServiceHosts::ServiceHosts() {
  for (const Service& s : Services()) hosts_.insert(s.key, kDefaultHost);
}

std::optional<ServiceHosts> ServiceHosts::Read(const QString& path, bool* complete) {
  const auto content = common::ReadTextFile(path, 1 << 20);
  if (complete) *complete = false;
  if (!content) return std::nullopt;
  ServiceHosts hosts;
  int found = 0;
  for (const QString& raw : content->lines) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#') || line.startsWith(u'['))
      continue;
    const qsizetype eq = line.indexOf(u'=');
    if (eq <= 0) continue;
    const QString key = line.left(eq).trimmed();
    const QString value = CleanHost(line.mid(eq + 1));
    if (value.isEmpty()) continue;
    if (hosts.hosts_.contains(key)) ++found;
    hosts.hosts_.insert(key, value);
  }
  if (complete) *complete = found >= Services().size();
  return hosts;
}

ServiceHosts ServiceHosts::Load(const QString& path) {
  bool complete = false;
  ServiceHosts hosts = Read(path, &complete).value_or(ServiceHosts());
  // A missing file, or one from before a service was added, is completed and written back.
  if (!complete) hosts.Save(path);
  return hosts;
}

bool ServiceHosts::Save(const QString& path) const {
  QStringList lines{
      QStringLiteral("; Hosts of the web services: scheme://host[:port], one per key."), kSection};
  for (const Service& s : Services()) {
    lines << QStringLiteral("; ") + s.description;
    lines << s.key + u'=' + Host(s.key);
  }
  // Keys of services this build does not know are kept for the builds that do.
  for (auto it = hosts_.cbegin(); it != hosts_.cend(); ++it) {
    bool known = false;
    for (const Service& s : Services()) known = known || s.key == it.key();
    if (!known) lines << it.key() + u'=' + it.value();
  }
  return common::WriteTextFile(path, lines);
}

QString ServiceHosts::Host(const QString& key) const {
  return hosts_.value(key, kDefaultHost);
}

void ServiceHosts::SetHost(const QString& key, const QString& host) {
  hosts_.insert(key, CleanHost(host));
}

void ServiceHosts::PointAllAt(const QString& base) {
  for (const Service& s : Services()) SetHost(s.key, base);
}

QString ServiceHosts::HostName(const QString& key) const {
  return QUrl(Host(key)).host();
}

QUrl ServiceHosts::HomePageUrl() const {
  const QUrl url(Host(kHomePage) + QStringLiteral("/index.htm"));
  const QString scheme = url.scheme();
  if (!url.isValid() || url.host().isEmpty() ||
      (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
    return QUrl();
  return url;
}
