// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>
#include <QWidget>

class MenuForm;
class PicViewer;
class QLabel;
class QMenu;

// The full-screen picture viewer: the shown picture fitted to the screen, its position in the
// set, the set's caption and the Switch menu on a right click. Commands go to PicViewer.
class ShowPic : public QWidget {
  Q_OBJECT

 public:
  ShowPic(PicViewer& viewer, MenuForm& menus, QWidget* parent = nullptr);

  // Opens the set folder and shows it over the whole screen.
  void OpenSet(const QString& folder, const QString& caption);
  QString counterText() const;
  QString captionText() const;
  const QImage& picture() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ShowPicture(const QString& file, const QString& counter);

  PicViewer& viewer_;
  QMenu* menu_;
  QLabel* counter_;
  QLabel* caption_;
  QImage image_;
};
