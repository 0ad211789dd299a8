// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/ui/frmnet.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "common/twips.h"
#include "extras/picturecache.h"
#include "extras/singerprofile.h"
#include "shell/ui/skin.h"

namespace {
constexpr int kPicturePx = 100;
constexpr int kBusyTickMs = 120;

// The stand-by picture: a head and shoulders on the skin's light blue.
QPixmap StandbyPicture() {
  QPixmap pixmap(kPicturePx, kPicturePx);
  pixmap.fill(skin::kLight);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(skin::kMidBlue);
  p.drawEllipse(QPointF(50, 38), 18, 18);
  p.drawChord(QRectF(18, 62, 64, 64), 0, 180 * 16);
  return pixmap;
}

QLabel* PlainLabel(QWidget* parent, const QString& name, const QString& text = QString()) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setStyleSheet(QStringLiteral("color: rgb(76,97,143); background: transparent;"));
  return label;
}

QToolButton* Button(QWidget* parent, const QString& name, const QString& text, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(name);
  button->setText(text);
  button->setToolTip(tip);
  button->setCursor(Qt::PointingHandCursor);
  return button;
}
}  // namespace

FrmNet::FrmNet(SingerProfile& profile, QWidget* parent)
    : SkinnedWindow(QStringLiteral("歌手档案"), parent),
      profile_(profile),
      image1_(new QLabel(this)),
      readyImg_(new QLabel(this)),
      l1_(PlainLabel(this, QStringLiteral("L1"))),
      label1_(PlainLabel(this, QStringLiteral("Label1"))),
      label2_(PlainLabel(this, QStringLiteral("Label2"))),
      text2_(new QLineEdit(SingerProfile::kHint, this)),
      image99_(Button(this, QStringLiteral("Image99"), QStringLiteral("搜索"),
                      QStringLiteral("搜索歌手"))),
      image8_(Button(this, QStringLiteral("Image8"), QStringLiteral("模式1"),
                     QStringLiteral("切换到模式2"))),
      image4_(Button(this, QStringLiteral("Image4"), QStringLiteral("全部播放"),
                     QStringLiteral("播放全部歌曲"))),
      image7_(Button(this, QStringLiteral("Image7"), QStringLiteral("选中播放"),
                     QStringLiteral("播放选中的歌曲"))),
      text1_(new QPlainTextEdit(this)),
      list1_(new QListWidget(this)),
      frame3_(new QFrame(this)),
      busyText_(PlainLabel(frame3_, QStringLiteral("Frame3Text"))),
      timer1_(new QTimer(this)) {
  setObjectName(QStringLiteral("frmNet"));
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setTextFormat(Qt::PlainText);
  readyImg_->setTextFormat(Qt::PlainText);
  image1_->setAlignment(Qt::AlignCenter);
  image1_->setStyleSheet(QStringLiteral("border: 1px solid rgb(41,89,156); background: white;"));
  readyImg_->setObjectName(QStringLiteral("ReadyIMG"));
  readyImg_->setPixmap(StandbyPicture());
  readyImg_->hide();
  shown_ = readyImg_->pixmap();
  image1_->setPixmap(shown_);

  QFont bold = l1_->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  l1_->setFont(bold);
  const QString captions[] = {QStringLiteral("英文名："), QStringLiteral("所属地区："),
                              QStringLiteral("专辑数："), QStringLiteral("单曲数：")};
  for (int i = 0; i < 4; ++i) {
    factCaptions_[i] = PlainLabel(this, QStringLiteral("L%1").arg(2 * i + 2), captions[i]);
    facts_[i] = PlainLabel(this, QStringLiteral("L%1").arg(2 * i + 3));
  }
  label1_->setCursor(Qt::PointingHandCursor);
  label1_->setStyleSheet(QStringLiteral(
      "color: rgb(33,101,198); text-decoration: underline; background: transparent;"));
  label1_->installEventFilter(this);

  text2_->setObjectName(QStringLiteral("Text2"));
  text2_->installEventFilter(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setReadOnly(true);
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setSelectionMode(QAbstractItemView::ExtendedSelection);

  frame3_->setObjectName(QStringLiteral("Frame3"));
  frame3_->setFrameShape(QFrame::Box);
  frame3_->setStyleSheet(
      QStringLiteral("QFrame#Frame3 { background: rgb(226,240,251); border: 1px "
                     "solid rgb(41,89,156); }"));
  busyText_->setAlignment(Qt::AlignCenter);
  frame3_->hide();
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kBusyTickMs);
  connect(timer1_, &QTimer::timeout, this, [this] {
    busyStep_ = (busyStep_ + 1) % 4;
    busyText_->setText(QStringLiteral("正在获取") + QString(busyStep_ + 1, u'.'));
  });

  connect(image99_, &QToolButton::clicked, this, &FrmNet::Search);
  connect(text2_, &QLineEdit::returnPressed, this, &FrmNet::Search);
  connect(image8_, &QToolButton::clicked, this, [this] { profile_.SwitchMode(text2_->text()); });
  connect(image4_, &QToolButton::clicked, &profile_, &SingerProfile::PlayAll);
  connect(image7_, &QToolButton::clicked, this, [this] {
    QList<int> rows;
    for (const QModelIndex& index : list1_->selectionModel()->selectedRows()) rows << index.row();
    std::sort(rows.begin(), rows.end());
    profile_.PlaySelected(rows);
  });
  connect(&profile_, &SingerProfile::ViewChanged, this, &FrmNet::Refresh);
  connect(&profile_, &SingerProfile::ModeChanged, this, &FrmNet::OnModeChanged);
  OnModeChanged(profile_.mode());

  resize(common::TwipsToPx(kWidthTwips), common::TwipsToPx(kHeightTwips));
  Refresh();
}

void FrmNet::PlaceFirstTime(const QRect& mainTwips) {
  if (placed_) return;
  placed_ = true;
  MoveTwips(QPoint(mainTwips.left() + mainTwips.width() + 1, mainTwips.top()));
}

void FrmNet::Search() {
  profile_.Search(text2_->text());
}

void FrmNet::OnModeChanged(int mode) {
  image8_->setText(mode == 1 ? QStringLiteral("模式1") : QStringLiteral("模式2"));
  image8_->setToolTip(mode == 1 ? QStringLiteral("切换到模式2") : QStringLiteral("切换到模式1"));
}

void FrmNet::Refresh() {
  const SingerView& v = profile_.view();
  l1_->setText(v.name);
  const QString* facts[] = {&v.englishName, &v.region, &v.albums, &v.singles};
  for (int i = 0; i < 4; ++i) facts_[i]->setText(*facts[i]);
  label1_->setText(v.linkName);
  label1_->setToolTip(QStringLiteral("访问") + v.linkName + QStringLiteral("的说吧"));
  label2_->setText(v.status);
  if (text1_->toPlainText() != v.intro) text1_->setPlainText(v.intro);
  QStringList shownSongs;
  for (int i = 0; i < list1_->count(); ++i) shownSongs << list1_->item(i)->text();
  if (shownSongs != v.songs) {
    list1_->clear();
    list1_->addItems(v.songs);
  }
  if (v.picturePath != shownPath_) {
    shownPath_ = v.picturePath;
    // A picture that does not decode within the size limit leaves the stand-by picture.
    const QImage picture = v.picturePath.isEmpty() ? QImage() : extras::LoadPicture(v.picturePath);
    standby_ = picture.isNull();
    shown_ = standby_ ? readyImg_->pixmap()
                      : QPixmap::fromImage(picture.scaled(
                            kPicturePx, kPicturePx, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    image1_->setPixmap(shown_);
  }
  ShowBusy(v.busy);
}

void FrmNet::ShowBusy(bool busy) {
  frame3_->setVisible(busy);
  if (busy && !timer1_->isActive()) {
    busyStep_ = 0;
    busyText_->setText(QStringLiteral("正在获取."));
    timer1_->start();
  } else if (!busy) {
    timer1_->stop();
  }
}

bool FrmNet::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text2_) {
    // The hint goes when the box is clicked and comes back when it is left empty.
    // A focus that comes with the window's activation is no click: the hint stays then.
    if (event->type() == QEvent::MouseButtonPress && text2_->text() == SingerProfile::kHint)
      text2_->clear();
    else if (event->type() == QEvent::FocusOut && text2_->text().isEmpty())
      text2_->setText(SingerProfile::kHint);
  } else if (watched == label1_ && event->type() == QEvent::MouseButtonRelease) {
    if (!label1_->text().isEmpty()) emit ForumWanted(label1_->text());
    return true;
  }
  return SkinnedWindow::eventFilter(watched, event);
}

void FrmNet::showEvent(QShowEvent* event) {
  SkinnedWindow::showEvent(event);
  emit VisibilityChanged(true);
}

void FrmNet::hideEvent(QHideEvent* event) {
  SkinnedWindow::hideEvent(event);
  emit VisibilityChanged(false);
}

void FrmNet::resizeEvent(QResizeEvent* event) {
  SkinnedWindow::resizeEvent(event);
  LayoutControls();
}

void FrmNet::LayoutControls() {
  const int m = 8;
  const int top = titleHeight() + 6;
  const int w = width();
  const int row = 20;
  image1_->setGeometry(m, top, kPicturePx + 2, kPicturePx + 2);
  const int x = m + kPicturePx + 10;
  l1_->setGeometry(x, top, w - x - m, row + 2);
  for (int i = 0; i < 4; ++i) {
    const int y = top + (row + 1) * (i + 1);
    factCaptions_[i]->setGeometry(x, y, 62, row);
    facts_[i]->setGeometry(x + 62, y, w - x - 62 - m, row);
  }
  int y = top + kPicturePx + 6;
  label1_->setGeometry(m, y, w - 2 * m, row);
  y += row + 4;
  const int buttonW = 44;
  text2_->setGeometry(m, y, w - 2 * m - 2 * (buttonW + 4), 22);
  image99_->setGeometry(text2_->geometry().right() + 5, y, buttonW, 22);
  image8_->setGeometry(image99_->geometry().right() + 5, y, buttonW, 22);
  y += 28;
  text1_->setGeometry(m, y, w - 2 * m, 86);
  y += 92;
  const int bottomH = 22;
  const int bottom = height() - skin::kGripHeight - m - bottomH;
  list1_->setGeometry(m, y, w - 2 * m, bottom - 6 - y);
  image4_->setGeometry(m, bottom, 64, bottomH);
  image7_->setGeometry(m + 68, bottom, 64, bottomH);
  label2_->setGeometry(m + 136, bottom, w - m - 136 - m, bottomH);
  frame3_->setGeometry(list1_->x() + list1_->width() / 2 - 70, list1_->y() + 20, 140, 36);
  busyText_->setGeometry(0, 0, frame3_->width(), frame3_->height());
}
