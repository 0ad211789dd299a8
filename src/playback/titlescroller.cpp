// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/titlescroller.h"

#include "common/gbk.h"

QString TitleScroller::Tick(const QString& statusText) {
  // "001. 歌名 ----- 歌手" reads "001. 歌名 -- 歌手" in the caption; the blank run keeps the
  // end of the text apart from its start as the window wraps round.
  QString text = statusText;
  text.remove(QStringLiteral("---"));
  text += QStringLiteral("      ");
  const int length = static_cast<int>(text.size());
  if (position_ >= length) position_ = 0;
  if (text != text_) {
    text_ = text;
    widths_.resize(text.size());
    for (int k = 0; k < length; ++k) {
      const QChar c = text.at(k);
      widths_[k] = c.unicode() < 0x80 ? 1 : common::GbkByteCount(QString(c));
    }
  }

  QString caption;
  int bytes = 0;
  // At most one lap, so a text shorter than the window is not repeated inside it.
  for (int k = 0; k < length; ++k) {
    const int at = (position_ + k) % length;
    const QChar c = text.at(at);
    const int b = widths_[at];
    if (bytes + b > kCaptionBytes) break;
    bytes += b;
    caption += c;
  }
  position_ = (position_ + 1) % length;
  return caption;
}
