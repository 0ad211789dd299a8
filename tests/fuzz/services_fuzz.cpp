// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// bin/services.ini as a user edited it. What was read is saved and read back unchanged, so the
// completion at start-up never changes a host the user set.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "fuzz/fuzzcheck.h"
#include "web/servicehosts.h"

namespace {
QString FilePath(const QString& name) {
  static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tw-fuzz-services-XXXXXX"));
  return dir.filePath(name);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString path = FilePath(QStringLiteral("services.ini"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(fuzz::Bytes(data, size));
  file.close();

  const auto hosts = ServiceHosts::Read(path);
  if (!hosts) return 0;
  for (const ServiceHosts::Service& s : ServiceHosts::Services()) hosts->HostName(s.key);
  const QString saved = FilePath(QStringLiteral("saved.ini"));
  if (!hosts->Save(saved)) return 0;
  bool complete = false;
  const auto again = ServiceHosts::Read(saved, &complete);
  fuzz::Check(again.has_value() && complete, "a saved file reads back complete");
  for (const ServiceHosts::Service& s : ServiceHosts::Services())
    fuzz::Check(again->Host(s.key) == hosts->Host(s.key), "every host survives a save");
  return 0;
}
