// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// An INI file as a user or another program left it. A value written reads back, in memory and
// from the file written whole, whatever else the file holds.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "config/inicls.h"
#include "fuzz/fuzzcheck.h"

namespace {
QString IniPath() {
  static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tw-fuzz-ini-XXXXXX"));
  return dir.filePath(QStringLiteral("config.ini"));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = IniPath();
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(fuzz::Bytes(data, size));
  file.close();

  iniCLS ini;
  ini.SpecifyIni(path);
  ini.ReadString(QStringLiteral("playlist"), QStringLiteral("defaultlist"), 50);
  ini.ReadInt(QStringLiteral("lrccolor"), QStringLiteral("forecolor"));
  ini.DeferWrites();
  ini.WriteString(QStringLiteral("playlist"), QStringLiteral("defaultlist"),
                  QStringLiteral("mine"));
  ini.WriteString(QStringLiteral("fuzz"), QStringLiteral("key"), QStringLiteral("值"));
  fuzz::Check(ini.ReadString(QStringLiteral("playlist"), QStringLiteral("defaultlist")) ==
                  QLatin1String("mine"),
              "a deferred write reads back");
  if (!ini.Commit()) return 0;

  iniCLS again;
  again.SpecifyIni(path);
  fuzz::Check(again.ReadString(QStringLiteral("PLAYLIST"), QStringLiteral("DefaultList")) ==
                  QLatin1String("mine"),
              "a committed write reads back from the file");
  fuzz::Check(
      again.ReadString(QStringLiteral("fuzz"), QStringLiteral("key")) == QStringLiteral("值"),
      "a new section reads back from the file");
  return 0;
}
