// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A download's proposed file name is built from a title and an address that came from the web:
// whatever they hold, the name stays directly inside the download folder.
#include <QDir>
#include <cstddef>
#include <cstdint>

#include "common/safefilename.h"
#include "download/songdownload.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString input =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const qsizetype cut = input.indexOf(QLatin1Char('\n'));
  const QString title = cut < 0 ? input : input.left(cut);
  const QString address = cut < 0 ? QString() : input.mid(cut + 1);
  const QString folder = QStringLiteral("/tmp/tw-fuzz-download");
  const QString path = download::ProposedPath(folder, title, address);
  if (path != folder && !common::IsDirectlyInside(folder, path)) __builtin_trap();
  return 0;
}
