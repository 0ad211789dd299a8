// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QBuffer>
#include <QImage>

// A plain picture of w x h pixels as the bytes of a `format` file ("PNG", "JPG", "BMP").
inline QByteArray EncodedImage(int w = 8, int h = 8, const char* format = "PNG",
                               QImage::Format pixels = QImage::Format_RGB32) {
  QImage image(w, h, pixels);
  image.fill(1);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return bytes;
}
