// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/initsplash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

InitSplash::InitSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("Init"));
  setWindowTitle(QStringLiteral("请稍候..."));
  setFixedSize(300, 90);
  auto* label = new QLabel(QStringLiteral("Please wait while initializing"), this);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignCenter);
  label->setStyleSheet(QStringLiteral("color: rgb(255,255,255); font-size: 13px;"));
  label->setGeometry(rect());
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void InitSplash::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QColor(201, 225, 249));
  p.setBrush(QColor(9, 62, 154));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}
