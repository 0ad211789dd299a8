// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/ui/piclist.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

#include "config/menuform.h"
#include "extras/picsearch.h"
#include "extras/picturecache.h"
#include "shell/ui/skin.h"

namespace {

constexpr int kColumns = 4;
constexpr int kThumbW = 68, kThumbH = 51, kGap = 4;

QToolButton* MakeButton(QWidget* parent, const QString& name, const QString& text) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setText(text);
  b->setAutoRaise(true);
  b->setCursor(Qt::PointingHandCursor);
  b->setStyleSheet(
      QStringLiteral("QToolButton { color: rgb(33,101,198); border: 1px solid rgb(189,215,231);"
                     " border-radius: 3px; background: rgb(228,240,250); padding: 0 4px; }"
                     "QToolButton:hover { background: rgb(191,221,245); }"
                     "QToolButton::menu-indicator { image: none; }"));
  return b;
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  QPalette pal = l->palette();
  pal.setColor(QPalette::WindowText, skin::kText);
  l->setPalette(pal);
  return l;
}

}  // namespace

PicList::PicList(PicSearch& search, MenuForm& menus, QWidget* parent)
    : SkinnedWindow(QStringLiteral("写真图片"), parent), search_(search) {
  setObjectName(QStringLiteral("PicList"));
  SetGeometryTwips(0, 0, kWidth, kHeight);
  const int left = 8, width = this->width() - 2 * left;
  int top = titleHeight() + 6;

  text1_ = new QLineEdit(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setText(PicSearch::kHint);
  text1_->installEventFilter(this);
  auto* image8 = MakeButton(this, QStringLiteral("Image8"), QStringLiteral("搜索"));
  auto* kinds = MakeButton(this, QStringLiteral("Image9"), QStringLiteral("类别"));
  auto* menu = new QMenu(kinds);
  menu->addActions(menus.Items(QStringLiteral("BiZhi")));
  menu->addSeparator();
  menu->addActions(menus.Items(QStringLiteral("PicFormat")));
  kinds->setMenu(menu);
  kinds->setPopupMode(QToolButton::InstantPopup);
  text1_->setGeometry(left, top, width - 96, 22);
  image8->setGeometry(left + width - 92, top, 44, 22);
  kinds->setGeometry(left + width - 44, top, 44, 22);
  top += 26;

  label5_ = MakeLabel(this, QStringLiteral("Label5"), QString());
  label5_->setGeometry(left, top, width - 80, 20);
  auto_ = new QCheckBox(QStringLiteral("自动搜索"), this);
  auto_->setObjectName(QStringLiteral("Check1"));
  auto_->setChecked(true);
  auto_->setGeometry(left + width - 76, top, 76, 20);
  top += 24;

  const int gridLeft = left + (width - kColumns * kThumbW - (kColumns - 1) * kGap) / 2;
  for (int i = 0; i < extras::kThumbnailSlots; ++i) {
    auto* slot = new QLabel(this);
    slot->setObjectName(QStringLiteral("Image1_%1").arg(i));
    slot->setAlignment(Qt::AlignCenter);
    slot->setFrameShape(QFrame::Box);
    slot->setStyleSheet(
        QStringLiteral("QLabel { border: 1px solid rgb(189,215,231);"
                       " background: rgb(240,247,253); }"));
    slot->setCursor(Qt::PointingHandCursor);
    slot->setGeometry(gridLeft + (i % kColumns) * (kThumbW + kGap),
                      top + (i / kColumns) * (kThumbH + kGap), kThumbW, kThumbH);
    slot->installEventFilter(this);
    slots_ << slot;
  }
  top += (extras::kThumbnailSlots / kColumns) * (kThumbH + kGap) + 4;

  image2_ = MakeButton(this, QStringLiteral("Image2"), QStringLiteral("上一页"));
  label1_ = MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("1"));
  auto* slash = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("/"));
  label3_ = MakeLabel(this, QStringLiteral("Label3"), QStringLiteral("1"));
  image3_ = MakeButton(this, QStringLiteral("Image3"), QStringLiteral("下一页"));
  const int mid = left + width / 2;
  image2_->setGeometry(mid - 110, top, 56, 22);
  label1_->setGeometry(mid - 48, top, 40, 22);
  label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  slash->setGeometry(mid - 5, top, 10, 22);
  label3_->setGeometry(mid + 8, top, 40, 22);
  image3_->setGeometry(mid + 54, top, 56, 22);
  image2_->hide();
  image3_->hide();

  auto run = [this] {
    if (search_.Image8_Click(text1_->text())) text1_->setText(text1_->text().trimmed());
  };
  connect(image8, &QToolButton::clicked, this, run);
  connect(text1_, &QLineEdit::returnPressed, this, run);
  connect(image2_, &QToolButton::clicked, &search_, &PicSearch::Image2_Click);
  connect(image3_, &QToolButton::clicked, &search_, &PicSearch::Image3_Click);
  connect(&search_, &PicSearch::TitleChanged, label5_, &QLabel::setText);
  connect(&search_, &PicSearch::PagesChanged, this, &PicList::ShowPages);
  connect(&search_, &PicSearch::SlotsCleared, this, &PicList::ClearSlots);
  connect(&search_, &PicSearch::ThumbnailReady, this, &PicList::ShowThumbnail);
  connect(&search_, &PicSearch::SearchBoxChanged, text1_, &QLineEdit::setText);
}

void PicList::SearchFor(const QString& words) {
  text1_->setText(words);
  search_.Image8_Click(words);
}

bool PicList::autoSearch() const {
  return auto_->isChecked();
}

void PicList::ShowPages(int current, int count) {
  label1_->setText(QString::number(current));
  label3_->setText(QString::number(count));
  image2_->setVisible(current > 1);
  image3_->setVisible(current < count);
}

void PicList::ClearSlots() {
  for (QLabel* slot : slots_) {
    slot->clear();
    slot->setToolTip(QString());
  }
}

void PicList::ShowThumbnail(int slot, const QString& path) {
  QLabel* label = slots_.value(slot);
  const QImage image = extras::LoadPicture(path);
  if (!label || image.isNull()) return;
  label->setPixmap(QPixmap::fromImage(
      image.scaled(label->size() - QSize(2, 2), Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

bool PicList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text1_) {
    // The hint leaves on a click and comes back when the box is left empty.
    if (event->type() == QEvent::MouseButtonPress && text1_->text() == PicSearch::kHint)
      text1_->clear();
    else if (event->type() == QEvent::FocusOut && text1_->text().trimmed().isEmpty())
      text1_->setText(PicSearch::kHint);
  } else if (event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const qsizetype slot = slots_.indexOf(qobject_cast<QLabel*>(watched));
    if (slot >= 0 && mouse->button() == Qt::LeftButton) {
      search_.Image1_Click(static_cast<int>(slot));
      return true;
    }
  }
  return SkinnedWindow::eventFilter(watched, event);
}
