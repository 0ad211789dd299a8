// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/ui/lrcshow.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "common/numparse.h"
#include "common/textfile.h"
#include "common/twips.h"
#include "common/vbcolor.h"

namespace {
constexpr int kMarginPx = 8;
constexpr int kScrollMs = 300;
}  // namespace

LrcShow::LrcShow(QWidget* parent)
    : QWidget(parent),
      fore_(common::ColorFromVb(9396556)),
      back_(common::ColorFromVb(16579057)),
      highlight_(common::ColorFromVb(13067302)) {
  // Every pixel is painted each time, so Qt need not clear first: no flash between frames.
  setAttribute(Qt::WA_OpaquePaintEvent);
  QFont f = font();
  f.setPointSizeF(11);
  setFont(f);
  scroll_.setDuration(kScrollMs);
  scroll_.setEasingCurve(QEasingCurve::OutCubic);
  connect(&scroll_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
    offset_ = v.toDouble();
    update();
  });
}

int LrcShow::LineHeight() const {
  return fontMetrics().height() * 3 / 2;
}

void LrcShow::LoadFile(const QString& path) {
  scroll_.stop();
  loadedFile_ = path;
  doc_ = LrcDocument::Load(path).value_or(LrcDocument());
  message_.clear();
  current_ = -1;
  offset_ = 0;
  update();
  int widest = 0;
  const QFontMetrics metrics = fontMetrics();
  for (const auto& line : doc_.lines()) widest = qMax(widest, metrics.horizontalAdvance(line.text));
  emit notifier()->NeededWidth(common::PxToTwips(widest + 2 * kMarginPx));
}

void LrcShow::Clear() {
  scroll_.stop();
  doc_ = LrcDocument();
  loadedFile_.clear();
  message_.clear();
  current_ = -1;
  offset_ = 0;
  update();
}

void LrcShow::ShowMessage(const QString& text) {
  message_ = common::SplitLines(text);
  if (message_.isEmpty()) message_ << QString();
  update();
}

void LrcShow::ShowPosition(const QString& seconds) {
  const int line = doc_.LineAt(common::Val(seconds));
  if (line == current_) return;
  current_ = line;
  ScrollTo(qMax(line, 0));
}

void LrcShow::ScrollTo(int line) {
  scroll_.stop();
  // A jump of many lines (a seek) is not worth animating line by line.
  if (!isVisible() || std::abs(line - offset_) > 8) {
    offset_ = line;
    update();
    return;
  }
  scroll_.setStartValue(offset_);
  scroll_.setEndValue(double(line));
  scroll_.start();
}

void LrcShow::SetAlignment(int alignment) {
  alignment_ = qBound(-1, alignment, 1);
  update();
}

void LrcShow::SetForeColor(const QColor& color) {
  fore_ = color;
  update();
}

void LrcShow::SetBackColor(const QColor& color) {
  back_ = color;
  update();
}

void LrcShow::SetHighlightColor(const QColor& color) {
  highlight_ = color;
  update();
}

void LrcShow::SetGeometryTwips(int left, int top, int width, int height) {
  setGeometry(common::TwipsRect(left, top, qMax(0, width), qMax(0, height)));
}

int LrcShow::widthTwips() const {
  return common::PxToTwips(width());
}

int LrcShow::LineAtPoint(const QPoint& point) const {
  if (!message_.isEmpty() || doc_.isEmpty()) return -1;
  const double fromCentre = (point.y() - height() / 2.0) / LineHeight();
  const int line = static_cast<int>(std::floor(offset_ + fromCentre + 0.5));
  return line >= 0 && line < doc_.lines().size() ? line : -1;
}

void LrcShow::DrawLines(QPainter& painter, const QStringList& texts, double top, int highlight) {
  const int lineHeight = LineHeight();
  const int flags = Qt::TextSingleLine | Qt::AlignVCenter |
                    (alignment_ < 0   ? Qt::AlignLeft
                     : alignment_ > 0 ? Qt::AlignRight
                                      : Qt::AlignHCenter);
  const int first = qMax(0, static_cast<int>(std::floor(-top / lineHeight)));
  for (int i = first; i < texts.size(); ++i) {
    const double y = top + i * lineHeight;
    if (y > height()) break;
    painter.setPen(i == highlight ? highlight_ : fore_);
    const QRectF box(kMarginPx, y, width() - 2 * kMarginPx, lineHeight);
    painter.drawText(box, flags, texts.at(i));
  }
}

void LrcShow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), back_);
  const int lineHeight = LineHeight();
  if (!message_.isEmpty()) {
    const double top = (height() - message_.size() * lineHeight) / 2.0;
    DrawLines(painter, message_, top, -1);
    return;
  }
  if (doc_.isEmpty()) return;
  QStringList texts;
  texts.reserve(doc_.lines().size());
  for (const auto& line : doc_.lines()) texts << line.text;
  // The line at offset_ sits in the middle of the widget.
  const double top = height() / 2.0 - lineHeight / 2.0 - offset_ * lineHeight;
  DrawLines(painter, texts, top, current_);
}

void LrcShow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const int line = LineAtPoint(event->position().toPoint());
  if (line >= 0) emit notifier()->PositionPicked(doc_.lines().at(line).time);
}

void LrcShow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) update();
  QWidget::changeEvent(event);
}
