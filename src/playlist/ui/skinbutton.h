// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAbstractButton>

// A tab header or menu button of the playlist window, painted in the skin colours: normal,
// hover and (for tabs) selected pictures.
class SkinButton : public QAbstractButton {
  Q_OBJECT

 public:
  enum class Shape { Tab, Menu };
  SkinButton(Shape shape, const QString& text, QWidget* parent = nullptr);

  void SetSelected(bool selected);
  bool selected() const { return selected_; }
  bool hovered() const { return hovered_; }
  // Back to the normal picture (the pointer moved over the background or a grid).
  void ClearHover();

 signals:
  void Pressed(Qt::MouseButton button);
  void Released(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  Shape shape_;
  bool selected_ = false;
  bool hovered_ = false;
};
