// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/ui/mtvwindow.h"

#include <QAction>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLibrary>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <cstdlib>

#include "common/twips.h"
#include "components/ui/videosurface.h"
#include "config/menuform.h"
#include "extras/mtvhitmodel.h"
#include "extras/musicvideo.h"
#include "shell/ui/gridstyle.h"

namespace {
// Waits until the X server has seen every request of ours, so the surface made a moment ago
// exists when the player, a separate X client, draws into it. Qt keeps requests buffered;
// without this mpv could find no such window and open one of its own. libxcb is what Qt's
// X11 platform runs on, so it is loaded from there rather than linked.
void SyncWithXServer() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return;
  struct Cookie {
    unsigned int sequence;
  };
  using Request = Cookie (*)(xcb_connection_t*);
  using Reply = void* (*)(xcb_connection_t*, Cookie, void**);
  static QLibrary xcb(QStringLiteral("xcb"), 1);
  static const auto request = reinterpret_cast<Request>(xcb.resolve("xcb_get_input_focus"));
  static const auto reply = reinterpret_cast<Reply>(xcb.resolve("xcb_get_input_focus_reply"));
  if (!request || !reply) return;
  void* error = nullptr;
  std::free(reply(x11->connection(), request(x11->connection()), &error));
  std::free(error);
}

QLabel* PlainLabel(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  // Titles and singers from the site are shown as text, never as markup.
  label->setTextFormat(Qt::PlainText);
  label->setStyleSheet(QStringLiteral("color: rgb(33,101,198); background: transparent;"));
  return label;
}
}  // namespace

MtvWindow::MtvWindow(MusicVideo& mtv, MtvHitModel& hits, MenuForm& menus, QWidget* parent)
    : SkinnedWindow(QStringLiteral("MTV欣赏"), parent),
      mtv_(mtv),
      hits_(hits),
      menus_(menus),
      text2_(new QLineEdit(this)),
      image99_(new QToolButton(this)),
      videoArea_(new QWidget(this)),
      label1_(PlainLabel(this, QStringLiteral("Label1"))),
      count_(PlainLabel(this, QStringLiteral("Label2"))),
      pic2_(PlainLabel(this, QStringLiteral("Pic2"))),
      grid_(new QTableView(this)) {
  setObjectName(QStringLiteral("MTV"));
  text2_->setObjectName(QStringLiteral("Text2"));
  text2_->setText(MusicVideo::kPlaceholder);
  text2_->installEventFilter(this);
  image99_->setObjectName(QStringLiteral("Image99"));
  image99_->setText(QStringLiteral("搜索"));
  image99_->setCursor(Qt::PointingHandCursor);

  videoArea_->setObjectName(QStringLiteral("Image4"));
  videoArea_->setStyleSheet(QStringLiteral("background: black;"));
  videoArea_->setAttribute(Qt::WA_StyledBackground);
  videoArea_->installEventFilter(this);

  count_->setText(QStringLiteral("共找到 0 条相关信息"));
  pic2_->hide();

  grid_->setObjectName(QStringLiteral("MSF"));
  grid_->setModel(&hits_);
  skin::ApplyGridStyle(grid_);
  grid_->verticalHeader()->hide();
  skin::SetColumnWidthsTwips(grid_, {450, 2400, 1320, 10});
  grid_->setMouseTracking(true);
  grid_->setContextMenuPolicy(Qt::CustomContextMenu);

  loadingTimer_.setInterval(kLoadingTickMs);
  connect(&loadingTimer_, &QTimer::timeout, this, [this] {
    frame_ = (frame_ + 1) % kLoadingFrames;
    static const QString kFrames[kLoadingFrames] = {"●○○○○○○○", "○●○○○○○○", "○○●○○○○○", "○○○●○○○○",
                                                    "○○○○●○○○", "○○○○○●○○", "○○○○○○●○", "○○○○○○○●"};
    pic2_->setText(kFrames[frame_]);
  });

  connect(image99_, &QToolButton::clicked, this, &MtvWindow::Search);
  connect(text2_, &QLineEdit::returnPressed, this, &MtvWindow::Search);
  // Hovering makes the row under the mouse the picked one.
  connect(grid_, &QAbstractItemView::entered, this, [this](const QModelIndex& index) {
    grid_->selectRow(index.row());
    mtv_.SetPickedRow(index.row() + 1);
  });
  connect(grid_, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& index) { mtv_.SetPickedRow(index.row() + 1); });
  connect(grid_, &QAbstractItemView::activated, this,
          [this](const QModelIndex& index) { mtv_.PlayRow(index.row() + 1); });
  connect(grid_, &QWidget::customContextMenuRequested, this, &MtvWindow::ShowGridMenu);
  connect(&mtv_, &MusicVideo::StatusChanged, label1_, &QLabel::setText);
  connect(&mtv_, &MusicVideo::CountChanged, count_, &QLabel::setText);
  connect(&mtv_, &MusicVideo::LoadingChanged, this, &MtvWindow::SetLoading);
  connect(&mtv_, &MusicVideo::FullScreenWanted, this, [this] { SetVideoFullScreen(true); });
  connect(this, &SkinnedWindow::CloseClicked, this, [this] {
    SetVideoFullScreen(false);
    mtv_.Close();
  });

  resize(common::TwipsToPx(kWidthTwips), common::TwipsToPx(kHeightTwips));
}

quintptr MtvWindow::EnsureVideoSurface() {
  if (!surface_) {
    surface_ = new VideoSurface(videoArea_);
    surface_->setObjectName(QStringLiteral("WMP"));
    surface_->installEventFilter(this);
    surface_->setGeometry(videoArea_->rect());
    surface_->show();
  }
  const quintptr wid = surface_->videoWindowId();
  SyncWithXServer();
  return wid;
}

void MtvWindow::SetSearchText(const QString& text) {
  text2_->setText(text.trimmed().isEmpty() ? MusicVideo::kPlaceholder : text);
}

void MtvWindow::Search() {
  mtv_.SearchFromBox(text2_->text());
}

void MtvWindow::SetLoading(bool on) {
  pic2_->setVisible(on);
  if (on) {
    frame_ = 0;
    loadingTimer_.start();
  } else {
    loadingTimer_.stop();
  }
}

void MtvWindow::SetVideoFullScreen(bool on) {
  if (on == fullScreen_) return;
  fullScreen_ = on;
  // Everything but the video area steps aside while the video fills the screen.
  for (QWidget* w :
       std::initializer_list<QWidget*>{text2_, image99_, label1_, count_, grid_, closeButton()})
    w->setVisible(!on);
  if (on) {
    normalGeometry_ = geometry();
    showFullScreen();
    // Without a window manager the full-screen request alone moves nothing.
    if (const QScreen* s = screen()) setGeometry(s->geometry());
  } else {
    showNormal();
    setGeometry(normalGeometry_);
    SetRoundRegion();
  }
  LayoutControls();
}

void MtvWindow::keyPressEvent(QKeyEvent* event) {
  if (fullScreen_ && event->key() == Qt::Key_Escape) return SetVideoFullScreen(false);
  SkinnedWindow::keyPressEvent(event);
}

bool MtvWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text2_) {
    // Clicking the box clears the placeholder; leaving it empty puts it back.
    if (event->type() == QEvent::MouseButtonPress && text2_->text() == MusicVideo::kPlaceholder)
      text2_->clear();
    else if (event->type() == QEvent::FocusOut && text2_->text().trimmed().isEmpty())
      text2_->setText(MusicVideo::kPlaceholder);
  } else if (watched == videoArea_ || watched == surface_) {
    if (event->type() == QEvent::MouseButtonDblClick) {
      if (fullScreen_)
        SetVideoFullScreen(false);
      else
        mtv_.abc1_Click(MusicVideo::PlayerItem::FullScreen);
      return true;
    }
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
      ShowPlayerMenu(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
      return true;
    }
    if (event->type() == QEvent::Resize && watched == videoArea_ && surface_)
      surface_->setGeometry(videoArea_->rect());
  }
  return SkinnedWindow::eventFilter(watched, event);
}

void MtvWindow::ShowGridMenu(const QPoint& pos) {
  const QModelIndex index = grid_->indexAt(pos);
  const int row = index.isValid() ? index.row() + 1 : 0;
  mtv_.SetPickedRow(row);
  const bool filled = !hits_.hit(row).title.trimmed().isEmpty();
  auto* menu = new QMenu(QStringLiteral("MTV"), this);
  menu->setObjectName(MusicVideo::kHitMenu);
  for (QAction* item : menus_.Items(MusicVideo::kHitMenu)) {
    item->setEnabled(filled);
    menu->addAction(item);
  }
  Popup(menu, grid_->viewport()->mapToGlobal(pos));
}

void MtvWindow::ShowPlayerMenu(const QPoint& globalPos) {
  auto* menu = new QMenu(QStringLiteral("wmv控制"), this);
  menu->setObjectName(QStringLiteral("WMV1"));
  menu->addActions(menus_.Items(MusicVideo::kPlayerMenu));
  Popup(menu, globalPos);
}

void MtvWindow::Popup(QMenu* menu, const QPoint& globalPos) {
  menu->setAttribute(Qt::WA_DeleteOnClose);
  popup_ = menu;
  menu->popup(globalPos);
}

QMenu* MtvWindow::lastPopup() const {
  return popup_;
}

void MtvWindow::resizeEvent(QResizeEvent* event) {
  SkinnedWindow::resizeEvent(event);
  LayoutControls();
}

void MtvWindow::LayoutControls() {
  if (fullScreen_) {
    videoArea_->setGeometry(rect());
    return;
  }
  const int m = common::TwipsToPx(90);
  const int line = common::TwipsToPx(300);
  const int w = width() - 2 * m;
  int y = titleHeight() + m;
  const int button = common::TwipsToPx(700);
  text2_->setGeometry(m, y, w - button - m, line);
  image99_->setGeometry(width() - m - button, y, button, line);
  y += line + m;
  const int videoHeight = w * 3 / 4;
  videoArea_->setGeometry(m, y, w, videoHeight);
  y += videoHeight + m / 2;
  pic2_->setGeometry(width() - m - common::TwipsToPx(1200), y, common::TwipsToPx(1200), line);
  label1_->setGeometry(m, y, w, line);
  y += line;
  const int bottom = height() - m - line;
  grid_->setGeometry(m, y, w, bottom - y - m / 2);
  count_->setGeometry(m, bottom, w, line);
}
