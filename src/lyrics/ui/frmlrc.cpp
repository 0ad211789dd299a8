// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "lyrics/ui/frmlrc.h"

#include <QBitmap>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QToolButton>

#include "common/twips.h"
#include "common/vbcolor.h"
#include "components/lyricsdisplay.h"
#include "config/menuform.h"
#include "lyrics/lyricscontroller.h"

namespace {
const QString kLrcp = QStringLiteral("Lrcp");
const QString kShowtype = QStringLiteral("showtype");

// Display placement inside the window, twips.
constexpr int kDisplayLeft = 90;
constexpr int kDisplayTop = 345;
constexpr int kSideMargins = 180;
constexpr int kTopAndBottom = 995;
constexpr int kMinHeightTwips = 2500;
// Unchecking the transparent background keys out a grey nothing is drawn in.
constexpr uint32_t kNeutralColorKey = common::Rgb(199, 199, 199);

QLabel* MakeLabel(QWidget* parent, int index, const QString& text, uint32_t vbColor) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QStringLiteral("CheckLabel_%1").arg(index));
  label->setTextFormat(Qt::PlainText);
  label->setStyleSheet(QStringLiteral("color: %1; background: transparent;")
                           .arg(common::ColorFromVb(vbColor).name()));
  label->hide();
  return label;
}

QToolButton* MakeButton(QWidget* parent, int index, const QString& text, const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QStringLiteral("Image3_%1").arg(index));
  button->setText(text);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  button->setCursor(Qt::PointingHandCursor);
  button->setStyleSheet(QStringLiteral(
      "QToolButton { color: rgb(33,101,198); border: 1px solid rgb(189,215,231);"
      " border-radius: 3px; background: rgb(228,240,250); padding: 0 3px; font-size: 11px; }"
      "QToolButton:hover { background: rgb(191,221,245); }"));
  return button;
}
}  // namespace

FrmLrc::FrmLrc(LyricsController& controller, LyricsDisplay& display, QWidget* displayWidget,
               MenuForm& menus, QWidget* parent)
    : SkinnedWindow(QStringLiteral("Tunewharf歌词秀"), parent),
      controller_(controller),
      display_(display),
      displayWidget_(displayWidget),
      menus_(menus),
      gecii_(new QMenu(QStringLiteral("歌词选项"), this)) {
  setObjectName(QStringLiteral("frmLrc"));
  displayWidget_->setParent(this);
  displayWidget_->setObjectName(QStringLiteral("LRC1"));
  displayWidget_->show();

  checkLabels_[0] =
      MakeLabel(this, 0, QStringLiteral("点此关闭此类提醒"), common::Rgb(41, 115, 189));
  checkLabels_[1] =
      MakeLabel(this, 1, QStringLiteral("歌词可能有误,请手动更换!"), common::Rgb(41, 115, 189));
  checkLabels_[2] = MakeLabel(this, 2, QString(), common::Rgb(77, 163, 12));
  QFont link = checkLabels_[0]->font();
  link.setUnderline(true);
  checkLabels_[0]->setFont(link);
  for (int k = 0; k < 2; ++k) {
    checkLabels_[k]->setCursor(Qt::PointingHandCursor);
    checkLabels_[k]->installEventFilter(this);
  }
  image3_[0] = MakeButton(this, 0, QStringLiteral("选项"), QStringLiteral("歌词选项"));
  image3_[1] = MakeButton(this, 1, QStringLiteral("搜索"), QStringLiteral("手动选择"));
  connect(image3_[0], &QToolButton::clicked, this, &FrmLrc::PopupOptions);
  connect(image3_[1], &QToolButton::clicked, this, &FrmLrc::ManualSearchWanted);

  AddOptionsMenu(menus_);
  menus_.Connect(kLrcp, this, &FrmLrc::Lrcp_Click);
  menus_.Connect(kShowtype, this, &FrmLrc::showtype_Click);
  connect(display_.notifier(), &LyricsDisplayNotifier::NeededWidth, this, &FrmLrc::OnNeededWidth);
  connect(&controller_, &LyricsController::OffsetIndicatorChanged, this,
          [this](bool visible, const QString& caption) {
            checkLabels_[2]->setText(caption);
            checkLabels_[2]->adjustSize();
            checkLabels_[2]->setVisible(visible);
            LayoutControls();
          });
  connect(&controller_, &LyricsController::LengthNoticeChanged, this, [this](bool visible) {
    checkLabels_[0]->setVisible(visible);
    checkLabels_[1]->setVisible(visible);
  });
  connect(&controller_, &LyricsController::PositionShown, this, &FrmLrc::ApplyColorKey);

  SetResizableHeight(true, kMinHeightTwips);
  SetGeometryTwips(0, 0, kDefaultWidthTwips, kDefaultHeightTwips);
  display_.ShowMessage(QStringLiteral("Tunewharf歌词秀"));
}

void FrmLrc::AddOptionsMenu(MenuForm& menus) {
  if (menus.Count(kLrcp) > 0) return;
  menus.AddItem(kLrcp, 0, QStringLiteral("整体提前0.5秒"));
  menus.AddItem(kLrcp, 1, QStringLiteral("整体延迟0.5秒"));
  menus.AddItem(kLrcp, 2, QStringLiteral("还原调整值"));
  menus.AddItem(kLrcp, 3, QStringLiteral("保存到歌词文件"));
  menus.AddSeparator(kLrcp, 4);
  menus.AddItem(kLrcp, 5, QStringLiteral("启用鼠标滚轮支持"));
  menus.AddItem(kShowtype, 0, QStringLiteral("居左对齐"), true);
  menus.AddItem(kShowtype, 1, QStringLiteral("居中对齐"), true)->setChecked(true);
  menus.AddItem(kShowtype, 2, QStringLiteral("居右对齐"), true);
  menus.AddSeparator(kShowtype, 3);
  menus.AddItem(kShowtype, 4, QStringLiteral("总在最前"), true);
  menus.AddItem(kShowtype, 5, QStringLiteral("背景透明"), true);
}

void FrmLrc::Lrcp_Click(int index) {
  switch (index) {
    case 0:
      controller_.AdvanceOffset();
      break;
    case 1:
      controller_.DelayOffset();
      break;
    case 2:
      controller_.ResetOffset();
      break;
    case 3:
      controller_.SaveLrcOffset();
      break;
    default:  // the mouse-wheel item has no effect
      break;
  }
}

void FrmLrc::showtype_Click(int index) {
  if (index >= 0 && index <= 2) {
    display_.SetAlignment(index - 1);
    // Not CheckOnly: that would also clear "总在最前" and "背景透明".
    for (int k = 0; k <= 2; ++k) menus_.Item(kShowtype, k)->setChecked(k == index);
  } else if (index == 4) {
    SetAlwaysOnTop(menus_.IsChecked(kShowtype, 4));
  } else if (index == 5) {
    SetTransparent(menus_.IsChecked(kShowtype, 5));
  }
}

void FrmLrc::PopupOptions() {
  gecii_->clear();
  for (QAction* action : menus_.Items(kLrcp)) gecii_->addAction(action);
  gecii_->addSeparator();
  for (QAction* action : menus_.Items(kShowtype)) gecii_->addAction(action);
  // The colour and search menus belong to the settings and the lyrics search; shown when built.
  const QString colorTitles[3] = {QStringLiteral("前景色"), QStringLiteral("背景色"),
                                  QStringLiteral("显示色")};
  QMenu* colors = nullptr;
  for (int k = 0; k < 3; ++k) {
    const QString array = QStringLiteral("Setcolor%1").arg(k + 1);
    if (menus_.Count(array) == 0) continue;
    if (!colors) {
      gecii_->addSeparator();
      colors = gecii_->addMenu(QStringLiteral("颜色配置"));
    }
    colors->addMenu(colorTitles[k])->addActions(menus_.Items(array));
  }
  if (menus_.Count(QStringLiteral("xiazai")) > 0) {
    gecii_->addSeparator();
    gecii_->addActions(menus_.Items(QStringLiteral("xiazai")));
  }
  gecii_->popup(image3_[0]->mapToGlobal(QPoint(0, image3_[0]->height())));
}

bool FrmLrc::ToggleFromMainWindow() {
  if (isVisible()) {
    hide();
    return false;
  }
  emit SideWindowsHideWanted();
  show();
  controller_.ShowLrcIfNeeded();
  return true;
}

void FrmLrc::PlaceBesideMain(const QRect& mainTwips) {
  MoveTwips(QPoint(mainTwips.left() + mainTwips.width() + 1, mainTwips.top()));
}

void FrmLrc::OnNeededWidth(int twips) {
  const int width = display_.widthTwips() < twips ? twips + kSideMargins : kDefaultWidthTwips;
  resize(common::TwipsToPx(width), height());
}

void FrmLrc::resizeEvent(QResizeEvent* event) {
  SkinnedWindow::resizeEvent(event);
  LayoutControls();
  ApplyColorKey();
}

void FrmLrc::LayoutControls() {
  const int w = common::PxToTwips(width());
  const int h = common::PxToTwips(height());
  display_.SetGeometryTwips(kDisplayLeft, kDisplayTop, w - kSideMargins, h - kTopAndBottom);
  // The notices fill the strip between the display and the bottom grip; the two buttons sit
  // in the title strip, left of the close button.
  const int stripTop = common::TwipsToPx(h - kTopAndBottom + kDisplayTop) + 3;
  const int left = common::TwipsToPx(kDisplayLeft);
  for (QLabel* label : checkLabels_) label->adjustSize();
  checkLabels_[1]->move(left, stripTop);
  checkLabels_[0]->move(left, stripTop + checkLabels_[1]->height() + 2);
  checkLabels_[2]->move(width() - left - checkLabels_[2]->width(), stripTop);
  const int buttonHeight = titleHeight() - 4;
  int x = closeButton()->geometry().left() - 4;
  for (int k = 1; k >= 0; --k) {
    image3_[k]->adjustSize();
    image3_[k]->resize(image3_[k]->width(), buttonHeight);
    x -= image3_[k]->width();
    image3_[k]->move(x, 2);
    x -= 3;
  }
}

void FrmLrc::showEvent(QShowEvent* event) {
  SkinnedWindow::showEvent(event);
  if (changingFlags_) return;
  controller_.SetWindowVisible(true);
  emit VisibilityChanged(true);
}

void FrmLrc::hideEvent(QHideEvent* event) {
  SkinnedWindow::hideEvent(event);
  if (changingFlags_) return;
  controller_.SetWindowVisible(false);
  emit VisibilityChanged(false);
}

bool FrmLrc::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == checkLabels_[0] || watched == checkLabels_[1]) &&
      event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    controller_.DismissLengthNotice();
    emit LengthCheckDismissed();
    return true;
  }
  return SkinnedWindow::eventFilter(watched, event);
}

void FrmLrc::SetAlwaysOnTop(bool on) {
  // Changing the flag hides and re-shows the window; that is not the user hiding it.
  changingFlags_ = true;
  SetTopmost(on);
  changingFlags_ = false;
}

void FrmLrc::SetTransparent(bool on) {
  colorKey_ = on ? display_.backColor() : common::ColorFromVb(kNeutralColorKey);
  ApplyColorKey();
}

void FrmLrc::ApplyColorKey() {
  if (!colorKey_ || !isVisible()) return;
  // Nothing is drawn in the neutral grey, so the window keeps its plain shape; this runs on
  // every lyrics tick, where grabbing the window cost more than the rest of playback.
  if (*colorKey_ == common::ColorFromVb(kNeutralColorKey)) {
    setMask(RoundRegion(size()));
    return;
  }
  // A colour key: every pixel of the key colour lets the desktop show through.
  QImage image = grab().toImage().scaled(size());
  const QBitmap keep =
      QBitmap::fromImage(image.createMaskFromColor(colorKey_->rgb(), Qt::MaskInColor));
  setMask(QRegion(keep) & RoundRegion(size()));
}
