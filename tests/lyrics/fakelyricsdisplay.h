// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QStringList>

#include "components/lyricsdisplay.h"

// A lyrics display that only remembers what it was told, for the controller's tests.
class FakeLyricsDisplay : public LyricsDisplay {
 public:
  void LoadFile(const QString& path) override {
    loaded = path;
    message.clear();
  }
  void Clear() override {
    loaded.clear();
    message.clear();
  }
  void ShowMessage(const QString& text) override { message = text; }
  QString loadedFile() const override { return loaded; }
  void ShowPosition(const QString& seconds) override { positions << seconds; }
  void SetAlignment(int a) override { alignment = a; }
  QColor foreColor() const override { return fore; }
  QColor backColor() const override { return back; }
  QColor highlightColor() const override { return highlight; }
  void SetForeColor(const QColor& c) override { fore = c; }
  void SetBackColor(const QColor& c) override { back = c; }
  void SetHighlightColor(const QColor& c) override { highlight = c; }
  void SetGeometryTwips(int, int, int width, int) override { widthTw = width; }
  int widthTwips() const override { return widthTw; }

  QString loaded;
  QString message;
  QStringList positions;
  int alignment = 0;
  QColor fore, back, highlight;
  int widthTw = 0;
};
