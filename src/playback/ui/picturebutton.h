// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractButton>

// A button of the main window drawn in code in the skin's colours, with its normal, hover and
// pressed pictures; a toggle shows its "on" picture while checked.
class PictureButton : public QAbstractButton {
  Q_OBJECT

 public:
  enum class Glyph {
    Sound,
    Muted,
    Previous,
    Play,
    Pause,
    Note,
    Stop,
    Next,
    Shrink,
    Playlist,
    Spectrum,
    Search,
    HideAll,
    Tray,
    Text
  };

  PictureButton(Glyph glyph, const QString& text, QWidget* parent = nullptr);
  void SetGlyph(Glyph glyph);
  // Buttons on the dark title strip draw in white.
  void SetOnDark(bool onDark) { onDark_ = onDark; }
  Glyph glyph() const { return glyph_; }
  QSize sizeHint() const override { return {20, 20}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void PaintGlyph(QPainter& p, const QRectF& r, const QColor& color) const;
  Glyph glyph_;
  bool hover_ = false;
  bool onDark_ = false;
};
