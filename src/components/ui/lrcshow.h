// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QStringList>
#include <QVariantAnimation>
#include <QWidget>

#include "components/lrcdocument.h"
#include "components/lyricsdisplay.h"

// The lyrics display: draws the lines of an .lrc file with the line of the play position
// highlighted and centred, scrolling smoothly when the line changes; shows messages instead
// of lyrics; a click on a line reports that line's time.
class LrcShow : public QWidget, public LyricsDisplay {
  Q_OBJECT

 public:
  explicit LrcShow(QWidget* parent = nullptr);

  void LoadFile(const QString& path) override;
  void Clear() override;
  void ShowMessage(const QString& text) override;
  QString loadedFile() const override { return loadedFile_; }
  void ShowPosition(const QString& seconds) override;
  void SetAlignment(int alignment) override;

  QColor foreColor() const override { return fore_; }
  QColor backColor() const override { return back_; }
  QColor highlightColor() const override { return highlight_; }
  void SetForeColor(const QColor& color) override;
  void SetBackColor(const QColor& color) override;
  void SetHighlightColor(const QColor& color) override;

  void SetGeometryTwips(int left, int top, int width, int height) override;
  int widthTwips() const override;

  // For the window and tests: what is shown.
  const LrcDocument& document() const { return doc_; }
  int currentLine() const { return current_; }
  QStringList messageLines() const { return message_; }
  int alignment() const { return alignment_; }
  // Index of the line drawn at a point of the widget, -1 for none.
  int LineAtPoint(const QPoint& point) const;
  bool scrolling() const { return scroll_.state() == QAbstractAnimation::Running; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  int LineHeight() const;
  void ScrollTo(int line);
  void DrawLines(QPainter& painter, const QStringList& texts, double top, int highlight);

  LrcDocument doc_;
  QString loadedFile_;
  QStringList message_;  // shown instead of lyrics while not empty
  int current_ = -1;
  double offset_ = 0;  // the line index drawn at the centre, fractional while scrolling
  QVariantAnimation scroll_;
  int alignment_ = 0;
  QColor fore_;
  QColor back_;
  QColor highlight_;
};
