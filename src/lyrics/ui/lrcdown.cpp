// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/ui/lrcdown.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTableView>
#include <QToolButton>

#include "common/twips.h"
#include "config/menuform.h"
#include "lyrics/lrchitmodel.h"
#include "shell/ui/gridstyle.h"

LrcDown::LrcDown(LrcHitModel& hits, QWidget* parent)
    : SkinnedWindow(QStringLiteral("用户手动下载"), parent),
      hits_(hits),
      grid_(new QTableView(this)),
      label1_(new QLabel(this)),
      image3_(new QToolButton(this)) {
  setObjectName(QStringLiteral("LrcDown"));

  grid_->setObjectName(QStringLiteral("MSF"));
  grid_->setModel(&hits_);
  skin::ApplyGridStyle(grid_);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->verticalHeader()->hide();
  skin::SetColumnWidthsTwips(grid_, {450, 2000, 1320, 10});

  // Page text: a link is shown as it is, never as markup.
  label1_->setObjectName(QStringLiteral("Label1"));
  label1_->setTextFormat(Qt::PlainText);
  label1_->setStyleSheet(QStringLiteral("color: rgb(33,101,198); background: transparent;"));
  label1_->hide();

  image3_->setObjectName(QStringLiteral("Image3"));
  image3_->setText(QStringLiteral("下载"));
  image3_->setToolTip(QStringLiteral("下载选中的歌词"));
  image3_->setCursor(Qt::PointingHandCursor);

  // A click picks a row even when it already was the current one.
  connect(grid_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &LrcDown::OnRowPicked);
  connect(grid_, &QAbstractItemView::clicked, this, &LrcDown::OnRowPicked);
  connect(image3_, &QToolButton::clicked, this, [this] { emit DownloadWanted(currentRow()); });
  // A new search resets the grid: the old pick means nothing now.
  connect(&hits_, &QAbstractItemModel::modelReset, this, [this] { label1_->hide(); });

  resize(common::TwipsToPx(kWidthTwips), common::TwipsToPx(kHeightTwips));
}

void LrcDown::AddDownloadMenu(MenuForm& menus) {
  menus.AddItem(QStringLiteral("xiazai"), 0, QStringLiteral("手动选择"));
  menus.AddItem(QStringLiteral("xiazai"), 1, QStringLiteral("手动编辑"));
}

void LrcDown::xiazai_Click(Item item) {
  if (item != Item::ManualPick) return;
  ShowTopmost();
  emit ManualSearchWanted();
}

void LrcDown::ShowTopmost() {
  SetTopmost(true);
  if (!placed_) {
    // First showing: the middle of the screen, where no docked window sits.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
      move(screen->availableGeometry().center() - rect().center());
    placed_ = true;
  }
  show();
  raise();
}

int LrcDown::currentRow() const {
  const QModelIndex current = grid_->currentIndex();
  return current.isValid() ? current.row() + 1 : 0;
}

void LrcDown::OnRowPicked() {
  const QString link = hits_.hit(currentRow()).link.trimmed();
  label1_->setText(link);
  label1_->setToolTip(link);
  label1_->show();
}

void LrcDown::OnDownloadStarted() {
  hide();
  label1_->clear();
  label1_->hide();
}

void LrcDown::resizeEvent(QResizeEvent* event) {
  SkinnedWindow::resizeEvent(event);
  LayoutControls();
}

void LrcDown::LayoutControls() {
  const int margin = common::TwipsToPx(90);
  const int title = titleHeight();
  const int buttonHeight = common::TwipsToPx(330);
  const int bottom = height() - margin - buttonHeight;
  grid_->setGeometry(margin, title + margin, width() - 2 * margin,
                     bottom - margin - (title + margin));
  image3_->setGeometry(width() - margin - common::TwipsToPx(900), bottom, common::TwipsToPx(900),
                       buttonHeight);
  label1_->setGeometry(margin, bottom, image3_->x() - 2 * margin, buttonHeight);
}
