// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/trayicon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTextDocument>
#include <QWidget>

#include "common/twips.h"
#include "shell/traylayout.h"
#include "shell/ui/skin.h"
#include "shell/ui/traypopup.h"

namespace {

// A note in the skin's colours, drawn at a few sizes so trays of any scale stay sharp.
QIcon MakeIcon() {
  QIcon icon;
  for (int side : {16, 22, 32, 48, 64}) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, true);
    const qreal s = side / 16.0;
    p.setPen(Qt::NoPen);
    p.setBrush(skin::kDeepBlue);
    p.drawRoundedRect(QRectF(0.5 * s, 0.5 * s, 15 * s, 15 * s), 3 * s, 3 * s);
    p.setBrush(skin::kAccent);
    p.drawEllipse(QRectF(3 * s, 9.5 * s, 4.5 * s, 3.5 * s));
    p.drawRect(QRectF(6.5 * s, 3 * s, 1.3 * s, 8 * s));
    QPainterPath flag;
    flag.moveTo(7.8 * s, 3 * s);
    flag.cubicTo(10 * s, 4 * s, 12.5 * s, 5 * s, 12 * s, 8 * s);
    flag.cubicTo(11 * s, 6.5 * s, 9.5 * s, 6 * s, 7.8 * s, 6 * s);
    flag.closeSubpath();
    p.drawPath(flag);
    p.end();
    icon.addPixmap(pm);
  }
  return icon;
}

}  // namespace

TrayIcon::TrayIcon(QWidget* mainWindow, TrayPopup* popup, QObject* parent)
    : QObject(parent), main_(mainWindow), popup_(popup), icon_(MakeIcon()) {
  SetPlayingTitle(QString());
  connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::OnActivated);
}

bool TrayIcon::Available() {
  return QSystemTrayIcon::isSystemTrayAvailable();
}

bool TrayIcon::Show() {
  if (!Available()) return false;
  icon_.show();
  return true;
}

void TrayIcon::SetPlayingTitle(const QString& title) {
  // Tray tips go through Qt's rich-text detection; escape anything that looks like markup.
  const QString tip = shell::TrayTip(title);
  if (tip == tip_ && !tip_.isNull()) return;  // asked again on every caption tick
  tip_ = tip;
  icon_.setToolTip(Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip) : tip);
}

void TrayIcon::OnActivated(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::DoubleClick)
    RestoreMainWindow();
  else if (reason == QSystemTrayIcon::Context)
    ShowPopup();
}

void TrayIcon::RestoreMainWindow() {
  if (!main_) return;
  main_->showNormal();
  main_->raise();
  main_->activateWindow();
}

void TrayIcon::ShowPopup() {
  if (!popup_) return;
  QScreen* screen = main_ && main_->screen() ? main_->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->geometry();
  const QSize popupTwips(common::PxToTwips(popup_->width()), common::PxToTwips(popup_->height()));
  const QPoint tw = shell::TrayPopupPosition(area.size(), popupTwips);
  QPoint px(common::TwipsToPx(tw.x()), common::TwipsToPx(tw.y()));
  px += area.topLeft();
  popup_->Popup(px);
}
