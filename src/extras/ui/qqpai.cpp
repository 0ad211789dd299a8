// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/ui/qqpai.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QToolButton>

#include "config/menuform.h"
#include "extras/albumbrowser.h"
#include "extras/albumcatalog.h"
#include "extras/picturecache.h"
#include "extras/ui/albumdetail.h"
#include "shell/ui/skin.h"

namespace {
constexpr int kMargin = 6;
constexpr int kBarHeight = 24;
constexpr int kColumns = 5;
constexpr int kCoverPx = 80;
constexpr int kPageCoverPx = 130;
const QString kBusyText = QStringLiteral("信息获取中,请稍候...");

QLabel* PlainLabel(QWidget* parent, const QString& name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QPixmap Fit(const QImage& image, int px) {
  return QPixmap::fromImage(image.scaled(px, px, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
}  // namespace

QQPai::QQPai(AlbumBrowser& browser, MenuForm& menus, QWidget* parent)
    : SkinnedWindow(QStringLiteral("专辑"), parent), browser_(browser), menus_(menus) {
  setObjectName(QStringLiteral("QQPai"));
  BuildControls();
  connect(&browser_, &AlbumBrowser::AlbumsShown, this, &QQPai::OnAlbumsShown);
  connect(&browser_, &AlbumBrowser::AlbumPageShown, this, &QQPai::OnAlbumPageShown);
  connect(&browser_, &AlbumBrowser::CoverReady, this, &QQPai::OnCover);
  connect(&browser_, &AlbumBrowser::BusyChanged, this, &QQPai::OnBusy);
  connect(&browser_, &AlbumBrowser::Failed, status_, &QLabel::setText);
  SetGeometryTwips(0, 0, kWidthTwips, kHeightTwips);
}

QToolButton* QQPai::MenuButton(const QString& name, const QString& caption, const QString& array) {
  auto* button = new QToolButton(this);
  button->setObjectName(name);
  button->setText(caption);
  button->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(button);
  // The page menu changes with the style: the menu is filled from its array when it opens.
  connect(menu, &QMenu::aboutToShow, menu, [this, menu, array] {
    menu->clear();
    for (QAction* item : menus_.Items(array))
      if (item->isVisible()) menu->addAction(item);
  });
  button->setMenu(menu);
  menuButtons_ << button;
  return button;
}

void QQPai::BuildControls() {
  MenuButton(QStringLiteral("cmdGroup"), QStringLiteral("专辑分类"), AlbumBrowser::kGroupMenu);
  MenuButton(QStringLiteral("cmdStyle"), QStringLiteral("曲风"), AlbumBrowser::kStyleMenu);
  MenuButton(QStringLiteral("cmdPage"), QStringLiteral("页码"), AlbumBrowser::kPageMenu);

  text2_ = new QLineEdit(kHint, this);
  text2_->setObjectName(QStringLiteral("Text2"));
  text2_->installEventFilter(this);
  connect(text2_, &QLineEdit::returnPressed, this, &QQPai::Search);
  search_ = new QToolButton(this);
  search_->setObjectName(QStringLiteral("Image99"));
  search_->setText(QStringLiteral("搜索"));
  connect(search_, &QToolButton::clicked, this, &QQPai::Search);

  status_ = PlainLabel(this, QStringLiteral("Label2"));
  status_->setStyleSheet(QStringLiteral("color: rgb(76, 97, 143);"));

  listFrame_ = new QFrame(this);
  listFrame_->setObjectName(QStringLiteral("Frame1"));
  scroll_ = new QScrollArea(listFrame_);
  scroll_->setFrameShape(QFrame::NoFrame);
  scroll_->setWidgetResizable(true);
  auto* grid = new QWidget;
  auto* layout = new QGridLayout(grid);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(6);
  for (int i = 0; i < extras::kMaxAlbums; ++i) {
    auto* cover = new QToolButton(grid);
    cover->setObjectName(QStringLiteral("Image1_%1").arg(i));
    cover->setFixedSize(kCoverPx + 6, kCoverPx + 6);
    cover->setIconSize(QSize(kCoverPx, kCoverPx));
    cover->setAutoRaise(true);
    cover->installEventFilter(this);
    connect(cover, &QToolButton::clicked, this, [this, i] { browser_.LoadAlbumPage(i); });
    auto* caption = PlainLabel(grid, QStringLiteral("Label1_%1").arg(i));
    caption->setFixedWidth(kCoverPx + 6);
    caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    layout->addWidget(cover, (i / kColumns) * 2, i % kColumns, Qt::AlignHCenter);
    layout->addWidget(caption, (i / kColumns) * 2 + 1, i % kColumns, Qt::AlignHCenter);
    covers_ << cover;
    captions_ << caption;
  }
  layout->setRowStretch(extras::kMaxAlbums / kColumns * 2, 1);
  scroll_->setWidget(grid);

  pageFrame_ = new QFrame(this);
  pageFrame_->setObjectName(QStringLiteral("Frame2"));
  pageCover_ = PlainLabel(pageFrame_, QStringLiteral("Image2"));
  pageCover_->setGeometry(0, 0, kPageCoverPx, kPageCoverPx);
  pageCover_->setAlignment(Qt::AlignCenter);
  pageCover_->setFrameShape(QFrame::Box);
  const char* factNames[] = {"L1", "L2", "L3", "L4", "L5", "L6", "L7"};
  for (int i = 0; i < 7; ++i) {
    QLabel* fact = PlainLabel(pageFrame_, QLatin1String(factNames[i]));
    fact->setGeometry(kPageCoverPx + 10, i * 18, 300, 18);
    facts_ << fact;
  }
  text1_ = new QPlainTextEdit(pageFrame_);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setReadOnly(true);
  list1_ = new QListWidget(pageFrame_);
  list1_->setObjectName(QStringLiteral("List1"));
  list1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  play_ = new QToolButton(pageFrame_);
  play_->setObjectName(QStringLiteral("Image7"));
  play_->setText(QStringLiteral("播放选中"));
  connect(play_, &QToolButton::clicked, this, [this] {
    QList<int> rows;
    for (const QModelIndex& index : list1_->selectionModel()->selectedRows()) rows << index.row();
    browser_.PlaySelected(rows);
  });
  back_ = new QToolButton(pageFrame_);
  back_->setObjectName(QStringLiteral("Image8"));
  back_->setText(QStringLiteral("返回列表"));
  connect(back_, &QToolButton::clicked, this, &QQPai::ShowList);
  pageFrame_->hide();

  frame3_ = new QFrame(this);
  frame3_->setObjectName(QStringLiteral("Frame3"));
  frame3_->setFrameShape(QFrame::Box);
  QLabel* busy = PlainLabel(frame3_, QStringLiteral("Label3"));
  busy->setText(kBusyText);
  busy->setAlignment(Qt::AlignCenter);
  (new QGridLayout(frame3_))->addWidget(busy);
  frame3_->hide();

  detail_ = new AlbumDetail(this);
  detail_->hide();
}

void QQPai::resizeEvent(QResizeEvent* event) {
  const int top = titleHeight() + kMargin;
  const int w = width() - 2 * kMargin;
  int x = kMargin;
  for (QToolButton* b : menuButtons_) {
    b->setGeometry(x, top, 70, kBarHeight);
    x += 74;
  }
  const int searchWidth = 48;
  text2_->setGeometry(x, top, width() - kMargin - searchWidth - 4 - x, kBarHeight);
  search_->setGeometry(width() - kMargin - searchWidth, top, searchWidth, kBarHeight);
  status_->setGeometry(kMargin, top + kBarHeight + 2, w, 18);
  const int bodyTop = top + kBarHeight + 22;
  const QRect body(kMargin, bodyTop, w, height() - bodyTop - skin::kGripHeight - kMargin);
  listFrame_->setGeometry(body);
  scroll_->setGeometry(0, 0, body.width(), body.height());
  pageFrame_->setGeometry(body);
  const int textTop = kPageCoverPx + 8;
  text1_->setGeometry(0, textTop, body.width(), 110);
  const int listTop = textTop + 116;
  list1_->setGeometry(0, listTop, body.width(), body.height() - listTop - kBarHeight - 6);
  play_->setGeometry(0, body.height() - kBarHeight, 80, kBarHeight);
  back_->setGeometry(86, body.height() - kBarHeight, 80, kBarHeight);
  frame3_->setGeometry(
      body.adjusted(body.width() / 4, body.height() / 3, -body.width() / 4, -body.height() / 3));
  SkinnedWindow::resizeEvent(event);
}

void QQPai::hideEvent(QHideEvent* event) {
  detail_->hide();
  SkinnedWindow::hideEvent(event);
}

bool QQPai::eventFilter(QObject* watched, QEvent* event) {
  if (watched == text2_) {
    // The hint goes when the box is entered and comes back when it is left empty.
    if (event->type() == QEvent::FocusIn && text2_->text() == kHint) text2_->clear();
    if (event->type() == QEvent::FocusOut && text2_->text().trimmed().isEmpty())
      text2_->setText(kHint);
  } else if (const int slot = covers_.indexOf(static_cast<QToolButton*>(watched)); slot >= 0) {
    if (event->type() == QEvent::Enter && slot < browser_.albums().size())
      detail_->ShowAlbum(browser_.albums().at(slot), QCursor::pos());
    else if (event->type() == QEvent::Leave)
      detail_->hide();
  }
  return SkinnedWindow::eventFilter(watched, event);
}

void QQPai::Search() {
  const QString name = text2_->text().trimmed();
  if (name.isEmpty() || name == kHint) return;
  browser_.LoadSingerAlbums(name);
}

void QQPai::ShowList() {
  pageFrame_->hide();
  listFrame_->show();
}

void QQPai::OnBusy(bool busy) {
  // The albums hide while a page loads; a failure brings the previous display back.
  frame3_->setVisible(busy);
  if (busy) {
    status_->clear();
    detail_->hide();
  }
  scroll_->setVisible(!busy);
  for (QWidget* w : pageFrame_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    w->setVisible(!busy);
}

void QQPai::OnAlbumsShown() {
  const auto& albums = browser_.albums();
  for (int i = 0; i < covers_.size(); ++i) {
    const bool used = i < albums.size();
    covers_[i]->setIcon(QIcon());
    covers_[i]->setVisible(used);
    covers_[i]->setToolTip(QString());
    captions_[i]->setText(used ? albums.at(i).title : QString());
    captions_[i]->setVisible(used);
  }
  status_->setText(browser_.view() == AlbumBrowser::View::SingerAlbums
                       ? QStringLiteral("共%1张专辑").arg(albums.size())
                       : extras::AlbumGroupCaption(browser_.group()));
  ShowList();
}

void QQPai::OnAlbumPageShown() {
  const extras::AlbumPage& p = browser_.albumPage();
  const QString texts[] = {p.title,
                           QStringLiteral("歌手：") + p.singer,
                           QStringLiteral("曲风：") + p.style,
                           QStringLiteral("公司：") + p.company,
                           QStringLiteral("时间：") + p.date,
                           QStringLiteral("语种：") + p.language,
                           QStringLiteral("地区：") + p.region};
  for (int i = 0; i < facts_.size(); ++i) facts_[i]->setText(texts[i]);
  text1_->setPlainText(p.intro);
  list1_->clear();
  list1_->addItems(p.tracks);
  pageCover_->clear();
  listFrame_->hide();
  pageFrame_->show();
  detail_->hide();
}

void QQPai::OnCover(int slot, const QString& path) {
  const QImage image = extras::LoadPicture(path);
  if (image.isNull()) return;
  if (slot == AlbumBrowser::kPageCoverSlot) return pageCover_->setPixmap(Fit(image, kPageCoverPx));
  if (QToolButton* cover = covers_.value(slot)) cover->setIcon(QIcon(Fit(image, kCoverPx)));
}
