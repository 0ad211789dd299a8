// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Station lists: the first byte picks the category, the rest is the file's bytes.
#include <cstddef>
#include <cstdint>

#include "common/gbk.h"
#include "common/textfile.h"
#include "web/radiolist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const auto& categories = web::RadioCategories();
  const auto& category = categories.at(data[0] % categories.size());
  const QByteArray bytes(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  const QString text = web::JoinRadioText(common::SplitLines(common::DecodeGbk(bytes)));
  for (const web::RadioStation& s : web::RadioSectionStations(text, category.section)) {
    // A station's address never holds the separators it was cut at.
    if (s.address.contains(u'=') || s.address.contains(QStringLiteral("**"))) __builtin_trap();
  }
  return 0;
}
