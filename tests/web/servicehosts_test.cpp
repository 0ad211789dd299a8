// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/servicehosts.h"

#include <gtest/gtest.h>

#include "common/gbk.h"
#include "support/tempappdir.h"

TEST(ServiceHosts, MissingFileIsWrittenWithDemoDefaults) {
  TempAppDir dir;
  const QString path = dir.Path(QStringLiteral("bin/services.ini"));
  ASSERT_FALSE(ServiceHosts::Read(path));
  const ServiceHosts hosts = ServiceHosts::Load(path);
  EXPECT_EQ(hosts.Host(QStringLiteral("SogouSearch")), QStringLiteral("http://127.0.0.1:8460"));
  EXPECT_EQ(hosts.HostName(QStringLiteral("SogouSearch")), QStringLiteral("127.0.0.1"));
  const QByteArray bytes = dir.ReadFile(QStringLiteral("bin/services.ini"));
  for (const char* key : {"SogouSearch=", "SogouListen=", "BaiduSearch=", "SosoSearch="})
    EXPECT_TRUE(bytes.contains(QByteArray(key) + "http://127.0.0.1:8460\r\n")) << key;
  EXPECT_FALSE(bytes.contains("\n\n"));  // CR LF only
}

TEST(ServiceHosts, UserHostsAreKeptAndCompleted) {
  TempAppDir dir;
  const QString path = dir.Path(QStringLiteral("bin/services.ini"));
  const QByteArray mine = common::EncodeGbk(QStringLiteral(
      "; 我的服务\nBaiduSearch = mp3.example.org/\nChartSite=http://charts.example:81\n"));
  dir.WriteFile(QStringLiteral("bin/services.ini"), mine);
  bool complete = true;
  ASSERT_TRUE(ServiceHosts::Read(path, &complete));
  EXPECT_FALSE(complete);
  EXPECT_EQ(dir.ReadFile(QStringLiteral("bin/services.ini")), mine);  // Read never writes

  const ServiceHosts hosts = ServiceHosts::Load(path);
  EXPECT_EQ(hosts.Host(QStringLiteral("BaiduSearch")), QStringLiteral("http://mp3.example.org"));
  const auto again = ServiceHosts::Read(path, &complete);
  ASSERT_TRUE(again);
  EXPECT_TRUE(complete);
  EXPECT_EQ(again->Host(QStringLiteral("BaiduSearch")), QStringLiteral("http://mp3.example.org"));
  EXPECT_EQ(again->Host(QStringLiteral("ChartSite")), QStringLiteral("http://charts.example:81"));
  EXPECT_EQ(again->Host(QStringLiteral("SosoSearch")), QStringLiteral("http://127.0.0.1:8460"));

  ServiceHosts moved = *again;
  moved.PointAllAt(QStringLiteral("http://127.0.0.1:5001/"));
  EXPECT_EQ(moved.Host(QStringLiteral("BaiduSearch")), QStringLiteral("http://127.0.0.1:5001"));
}
