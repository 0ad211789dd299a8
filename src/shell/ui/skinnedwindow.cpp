// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/skinnedwindow.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolButton>

#include "common/twips.h"
#include "shell/ui/skin.h"

namespace {

// How long the frame's picture outlives the last repaint: while a song plays, something repaints
// ten times a second; an idle window needs no picture.
constexpr int kFrameKeepMs = 3000;

// T1: painted from the skin's normal, hover and pressed pictures.
class CloseButton : public QToolButton {
 public:
  using QToolButton::QToolButton;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const skin::ButtonState state = isDown()       ? skin::ButtonState::Pressed
                                    : underMouse() ? skin::ButtonState::Hover
                                                   : skin::ButtonState::Normal;
    skin::PaintCloseButton(p, QRectF(rect()), state);
  }
  void enterEvent(QEnterEvent* e) override {
    update();
    QToolButton::enterEvent(e);
  }
  void leaveEvent(QEvent* e) override {
    update();
    QToolButton::leaveEvent(e);
  }
};

}  // namespace

SkinnedWindow::SkinnedWindow(const QString& caption, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), closeButton_(new CloseButton(this)) {
  setWindowTitle(caption);
  setAttribute(Qt::WA_StyledBackground, false);
  frameRelease_.setSingleShot(true);
  frameRelease_.setInterval(kFrameKeepMs);
  connect(&frameRelease_, &QTimer::timeout, this, [this] { frame_ = QPixmap(); });
  closeButton_->setObjectName(QStringLiteral("T1"));
  closeButton_->setFocusPolicy(Qt::NoFocus);
  closeButton_->setToolTip(QStringLiteral("关闭"));
  connect(closeButton_, &QToolButton::clicked, this, [this] {
    hide();
    emit CloseClicked();
  });
}

void SkinnedWindow::SetGeometryTwips(int left, int top, int width, int height) {
  setGeometry(common::TwipsRect(left, top, width, height));
}

QRect SkinnedWindow::geometryTwips() const {
  const QRect g = geometry();
  return QRect(common::PxToTwips(g.x()), common::PxToTwips(g.y()), common::PxToTwips(g.width()),
               common::PxToTwips(g.height()));
}

void SkinnedWindow::MoveTwips(const QPoint& topLeft) {
  move(common::TwipsToPx(topLeft.x()), common::TwipsToPx(topLeft.y()));
}

void SkinnedWindow::SetTopmost(bool topmost) {
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == topmost) return;
  const bool visible = isVisible();
  setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
  if (visible) show();
}

void SkinnedWindow::SetDrawnCaption(const QString& caption) {
  if (caption == drawnCaption_ && caption.isNull() == drawnCaption_.isNull()) return;
  drawnCaption_ = caption;
  update(CaptionStrip());
}

QRect SkinnedWindow::CaptionStrip() const {
  return skin::CaptionArea(rect(), titleHeight_);
}

void SkinnedWindow::SetTitleHeight(int px) {
  titleHeight_ = px;
  LayoutCloseButton();
  update();
}

void SkinnedWindow::SetResizableHeight(bool resizable, int minHeightTwips) {
  resizable_ = resizable;
  minHeightPx_ = common::TwipsToPx(minHeightTwips);
  setMouseTracking(resizable);  // for the resize cursor over the grip
  update();
}

SkinnedWindow::~SkinnedWindow() {
  // Child pieces die after this object's sets, in QWidget's destructor: their destroyed
  // signals must no longer reach the sets.
  for (QObject* piece : titlePieces_ + gripPieces_) disconnect(piece, nullptr, this, nullptr);
}

void SkinnedWindow::AddTitlePiece(QWidget* piece) {
  if (!piece) return;
  titlePieces_.insert(piece);
  piece->installEventFilter(this);
  connect(piece, &QObject::destroyed, this, [this](QObject* o) { titlePieces_.remove(o); });
}

void SkinnedWindow::AddGripPiece(QWidget* piece) {
  if (!piece) return;
  gripPieces_.insert(piece);
  piece->installEventFilter(this);
  piece->setCursor(Qt::SizeVerCursor);
  connect(piece, &QObject::destroyed, this, [this](QObject* o) { gripPieces_.remove(o); });
}

void SkinnedWindow::paintEvent(QPaintEvent* event) {
  // Labels, the spectrum and the lyrics repaint several times a second over this frame, so the
  // frame is drawn once per size and then only the part under them is copied.
  const qreal ratio = devicePixelRatioF();
  const QSize pixels = size() * ratio;
  if (frame_.size() != pixels || frameTitleHeight_ != titleHeight_ || frameGrip_ != resizable_) {
    frame_ = QPixmap(pixels);
    frame_.setDevicePixelRatio(ratio);
    frame_.fill(Qt::transparent);
    QPainter fp(&frame_);
    skin::PaintFrameBody(fp, rect(), titleHeight_, resizable_);
    frameTitleHeight_ = titleHeight_;
    frameGrip_ = resizable_;
  }
  QPainter p(this);
  const QRect dirty = event->rect();
  p.drawPixmap(dirty, frame_, QRectF(dirty.topLeft() * ratio, dirty.size() * ratio));
  if (dirty.intersects(skin::CaptionArea(rect(), titleHeight_)))
    skin::PaintCaption(p, rect(), titleHeight_, drawnCaption());
  frameRelease_.start();
}

void SkinnedWindow::LayoutCloseButton() {
  const int size = qMax(8, titleHeight_ - 5);
  closeButton_->setGeometry(width() - size - 4, (titleHeight_ - size) / 2, size, size);
}

void SkinnedWindow::resizeEvent(QResizeEvent*) {
  LayoutCloseButton();
  SetRoundRegion();
  emit Resized();
}

QRegion SkinnedWindow::RoundRegion(const QSize& size) {
  // The pixels a 5-pixel corner ellipse cuts away: two on the outer row, one on the next.
  // Built from whole pixels so the edge is the same at every device pixel ratio.
  const int w = size.width(), h = size.height();
  QRegion region(0, 0, w, h);
  if (w < 5 || h < 5) return region;
  for (int y : {0, h - 1}) {
    region -= QRegion(0, y, 2, 1);
    region -= QRegion(w - 2, y, 2, 1);
  }
  for (int y : {1, h - 2}) {
    region -= QRegion(0, y, 1, 1);
    region -= QRegion(w - 1, y, 1, 1);
  }
  return region;
}

void SkinnedWindow::SetRoundRegion() {
  setMask(RoundRegion(size()));
}

void SkinnedWindow::BeginDrag(Drag drag, const QPoint& global) {
  drag_ = drag;
  dragStart_ = global;
}

void SkinnedWindow::DragTo(const QPoint& global) {
  const QPoint delta = global - dragStart_;
  if (drag_ == Drag::Move) {
    if (delta.isNull()) return;
    move(pos() + delta);
    dragStart_ = global;
    emit UserMoved();
  } else if (drag_ == Drag::Resize) {
    const int h = qMax(qMax(minHeightPx_, titleHeight_ + skin::kGripHeight), height() + delta.y());
    if (h != height()) {
      dragStart_.setY(dragStart_.y() + h - height());
      resize(width(), h);
    }
  }
}

bool SkinnedWindow::EndDrag() {
  if (drag_ == Drag::None) return false;
  drag_ = Drag::None;
  emit DragReleased();
  return true;
}

void SkinnedWindow::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const int y = static_cast<int>(event->position().y());
  if (resizable_ && y >= height() - skin::kGripHeight)
    BeginDrag(Drag::Resize, event->globalPosition().toPoint());
  else if (movable_ && y < titleHeight_)
    BeginDrag(Drag::Move, event->globalPosition().toPoint());
  else
    drag_ = Drag::None;
}

void SkinnedWindow::mouseMoveEvent(QMouseEvent* event) {
  if (drag_ == Drag::None) {
    const bool onGrip = resizable_ && event->position().y() >= height() - skin::kGripHeight;
    setCursor(onGrip ? Qt::SizeVerCursor : Qt::ArrowCursor);
    return;
  }
  if (event->buttons() & Qt::LeftButton) DragTo(event->globalPosition().toPoint());
}

void SkinnedWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) EndDrag();
}

bool SkinnedWindow::eventFilter(QObject* watched, QEvent* event) {
  const bool title = titlePieces_.contains(watched);
  if (!title && !gripPieces_.contains(watched)) return QWidget::eventFilter(watched, event);
  const auto type = event->type();
  // Only mouse events may be read as QMouseEvent; the filter sees every event.
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
      type != QEvent::MouseButtonRelease)
    return QWidget::eventFilter(watched, event);
  auto* me = static_cast<QMouseEvent*>(event);
  switch (type) {
    case QEvent::MouseButtonPress:
      if (me->button() != Qt::LeftButton) break;
      if (title && !movable_) break;
      if (!title && !resizable_) break;
      BeginDrag(title ? Drag::Move : Drag::Resize, me->globalPosition().toPoint());
      return true;
    case QEvent::MouseMove:
      if (drag_ == Drag::None) break;
      DragTo(me->globalPosition().toPoint());
      return true;
    case QEvent::MouseButtonRelease:
      if (me->button() == Qt::LeftButton && EndDrag()) return true;
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}
