// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/ui/showpic.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QScreen>

#include "config/menuform.h"
#include "extras/picturecache.h"
#include "extras/picviewer.h"

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  l->setStyleSheet(QStringLiteral(
      "QLabel { color: rgb(33,219,255); background: rgba(0,0,0,140); padding: 2px 6px; }"));
  return l;
}

}  // namespace

ShowPic::ShowPic(PicViewer& viewer, MenuForm& menus, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      viewer_(viewer),
      menu_(new QMenu(this)),
      counter_(MakeLabel(this, QStringLiteral("Label1"))),
      caption_(MakeLabel(this, QStringLiteral("Label2"))) {
  setObjectName(QStringLiteral("ShowPic"));
  setWindowTitle(QStringLiteral("图片浏览"));
  setFocusPolicy(Qt::StrongFocus);
  menu_->addActions(menus.Items(QStringLiteral("Switch")));
  counter_->move(12, 12);
  caption_->move(12, 40);
  connect(&viewer_, &PicViewer::PictureChanged, this, &ShowPic::ShowPicture);
  connect(&viewer_, &PicViewer::CloseWanted, this, &QWidget::close);
}

void ShowPic::OpenSet(const QString& folder, const QString& caption) {
  caption_->setText(caption);
  caption_->adjustSize();
  viewer_.Open(folder, caption);
  // Without a window manager a full-screen request changes nothing: cover the screen anyway.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) setGeometry(screen->geometry());
  showFullScreen();
  raise();
  activateWindow();
}

QString ShowPic::counterText() const {
  return counter_->text();
}

QString ShowPic::captionText() const {
  return caption_->text();
}

void ShowPic::ShowPicture(const QString& file, const QString& counter) {
  image_ = file.isEmpty() ? QImage() : extras::LoadPicture(file);
  counter_->setText(counter);
  counter_->adjustSize();
  update();
}

void ShowPic::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  if (image_.isNull()) return;
  // Fitted whole into the screen, never blown up past its own size.
  QSize size = image_.size();
  if (size.width() > width() || size.height() > height())
    size.scale(this->size(), Qt::KeepAspectRatio);
  QRect target(QPoint(0, 0), size);
  target.moveCenter(rect().center());
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(target, image_);
}

void ShowPic::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
      viewer_.StopSlideShow();
      close();
      return;
    case Qt::Key_Q:
      viewer_.StopSlideShow();
      return;
    case Qt::Key_F4:
      if (event->modifiers() & Qt::AltModifier) {
        viewer_.StopSlideShow();
        close();
        return;
      }
      break;
    case Qt::Key_Right:
    case Qt::Key_Space:
    case Qt::Key_PageDown:
      viewer_.Next();
      return;
    case Qt::Key_Left:
    case Qt::Key_PageUp:
      viewer_.Previous();
      return;
    default:
      break;
  }
  QWidget::keyPressEvent(event);
}

void ShowPic::contextMenuEvent(QContextMenuEvent* event) {
  menu_->popup(event->globalPos());
}

void ShowPic::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) viewer_.Next();
  QWidget::mouseReleaseEvent(event);
}

void ShowPic::hideEvent(QHideEvent* event) {
  // However the viewer went away (the window manager's close too), the show ends with it.
  viewer_.StopSlideShow();
  QWidget::hideEvent(event);
}
