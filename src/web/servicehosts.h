// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QMap>
#include <QString>
#include <QUrl>
#include <optional>

// The hosts of the web services the program talks to, one key each, kept in bin/services.ini.
// A host may carry scheme and port ("http://127.0.0.1:8460"); a bare name means http.
class ServiceHosts {
 public:
  // Keys of services.ini. A later service adds its key here and to the table in the .cpp.
  static inline const QString kSogouSearch = QStringLiteral("SogouSearch");
  static inline const QString kSogouListen = QStringLiteral("SogouListen");
  static inline const QString kBaiduSearch = QStringLiteral("BaiduSearch");
  static inline const QString kSosoSearch = QStringLiteral("SosoSearch");
  static inline const QString kOnlineNotice = QStringLiteral("OnlineNotice");
  static inline const QString kHomePage = QStringLiteral("HomePage");
  static inline const QString kLyricsSite = QStringLiteral("LyricsSite");
  static inline const QString kBaiduLyrics = QStringLiteral("BaiduLyrics");
  static inline const QString kSogouForum = QStringLiteral("SogouForum");
  static inline const QString kMtvSite = QStringLiteral("MtvSite");
  static inline const QString kMtvVideoHost = QStringLiteral("MtvVideoHost");
  static inline const QString kMtvFallback = QStringLiteral("MtvFallback");

  // Where the shipped defaults point: the demo web service.
  static inline const QString kDefaultHost = QStringLiteral("http://127.0.0.1:8460");

  struct Service {
    QString key;
    QString description;  // written as a comment above the key
  };
  static const QList<Service>& Services();

  ServiceHosts();  // every key at its default

  // Reads the file; creates it with the defaults when missing and adds keys it lacks.
  static ServiceHosts Load(const QString& path);
  // Reads the file without writing anything; nullopt when it cannot be read. Keys it lacks
  // keep their defaults; `complete` tells whether it had them all.
  static std::optional<ServiceHosts> Read(const QString& path, bool* complete = nullptr);
  bool Save(const QString& path) const;

  // "http://host:port" without a trailing slash; the default for an unknown key.
  QString Host(const QString& key) const;
  void SetHost(const QString& key, const QString& host);
  // Points every service at one base address (the demo service on the port it got).
  void PointAllAt(const QString& base);

  // The program's home page (官网) for the desktop's browser; empty unless http or https, so
  // an edited file cannot make the browser open a local file or run a handler.
  QUrl HomePageUrl() const;

  // The bare host name of a service ("127.0.0.1"), for query values that name a site.
  QString HostName(const QString& key) const;

 private:
  QMap<QString, QString> hosts_;
};
