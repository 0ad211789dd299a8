// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QPixmap>
#include <QPoint>
#include <QRegion>
#include <QSet>
#include <QTimer>
#include <QWidget>

class QToolButton;

// The base of every window of the program: frameless, painted skin (title strip, edges,
// bottom grip), the close button T1, rounded corners re-applied on every resize, moving by the
// title strip and resizing by the bottom grip. Controls are placed on it in twips.
class SkinnedWindow : public QWidget {
  Q_OBJECT

 public:
  explicit SkinnedWindow(const QString& caption, QWidget* parent = nullptr);
  ~SkinnedWindow() override;

  // Sizes and places the window in twips (15 twips per logical pixel).
  void SetGeometryTwips(int left, int top, int width, int height);
  // The window's place and size in twips.
  QRect geometryTwips() const;
  void MoveTwips(const QPoint& topLeft);
  // Height of the title strip that moves the window, in pixels.
  void SetTitleHeight(int px);
  int titleHeight() const { return titleHeight_; }
  // The playlist window cannot be dragged away.
  void SetMovable(bool movable) { movable_ = movable; }
  bool movable() const { return movable_; }
  // Resizing by the bottom grip; minimum height in twips (0 = not resizable).
  void SetResizableHeight(bool resizable, int minHeightTwips = 0);
  bool resizableHeight() const { return resizable_; }
  QToolButton* closeButton() const { return closeButton_; }
  // The caption drawn in the title strip, when it is not the window's title: a marquee scrolls
  // here while the desktop's taskbar keeps the whole text. A null text draws the title again.
  void SetDrawnCaption(const QString& caption);
  QString drawnCaption() const { return drawnCaption_.isNull() ? windowTitle() : drawnCaption_; }
  // Keeps the window above other windows (the lyrics download window leaves this band before
  // the shrink animation). Changing the flag re-creates the native window; visibility stays.
  void SetTopmost(bool topmost);

  // Child widgets that act as skin pieces: pressing on a title piece moves the window,
  // pressing on a grip piece resizes its height. Children that ignore the mouse (labels,
  // pictures) already pass presses to the window itself.
  void AddTitlePiece(QWidget* piece);
  void AddGripPiece(QWidget* piece);

  // Rounded corners: a rounded rectangle with a 5-pixel corner ellipse. Called on every
  // resize; public for windows that change size without a resize event reaching them.
  void SetRoundRegion();
  static QRegion RoundRegion(const QSize& size);

 signals:
  void CloseClicked();  // T1 clicked; the window has already hidden itself
  void DragReleased();  // the left button went up after a move or resize on a skin piece
  void UserMoved();     // the window moved under the user's drag
  void Resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  // What a new drawn caption repaints: the caption area, less anything drawn over its end.
  virtual QRect CaptionStrip() const;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class Drag { None, Move, Resize };
  void LayoutCloseButton();
  void BeginDrag(Drag drag, const QPoint& global);
  void DragTo(const QPoint& global);
  bool EndDrag();
  QToolButton* closeButton_;
  QPixmap frame_;  // the frame without its caption, at the size it was drawn for
  QString drawnCaption_;
  QTimer frameRelease_;  // a still window gives the picture's memory back
  int frameTitleHeight_ = -1;
  bool frameGrip_ = false;
  int titleHeight_ = 18;
  bool movable_ = true;
  bool resizable_ = false;
  int minHeightPx_ = 0;
  Drag drag_ = Drag::None;
  QPoint dragStart_;
  QSet<QObject*> titlePieces_;
  QSet<QObject*> gripPieces_;
};
