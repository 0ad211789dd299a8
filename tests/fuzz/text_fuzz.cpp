// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// File text decoding (GBK, UTF-8, UTF-8 with a byte-order mark) and line splitting. Text that
// was read cleanly is written back in its own encoding byte for byte.
#include "common/gbk.h"
#include "common/textfile.h"
#include "fuzz/fuzzcheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes = fuzz::Bytes(data, size);
  common::TextEncoding encoding;
  const QString text = common::DecodeFileText(bytes, &encoding);
  common::SplitLines(text);
  common::CutToGbkBytes(text, 49);
  // Qt's UTF-8 decoder also drops a second byte-order mark right after the first; harmless.
  const bool twoMarks = bytes.startsWith("\xEF\xBB\xBF\xEF\xBB\xBF");
  if (encoding != common::TextEncoding::Gbk && !twoMarks &&
      !text.contains(QChar::ReplacementCharacter))
    fuzz::Check(common::EncodeFileText(text, encoding) == bytes, "UTF-8 text round-trips");
  return 0;
}
