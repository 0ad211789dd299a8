// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/aboutwindow.h"

#include <QLabel>
#include <QtGlobal>

#include "shell/ui/skin.h"

#ifndef TW_VERSION
#define TW_VERSION "0"
#endif

namespace {
QLabel* Line(QWidget* parent, const char* name, const QString& text, int pixelSize, bool bold) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setText(text);
  QFont f = label->font();
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  label->setFont(f);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, skin::kText);
  label->setPalette(pal);
  return label;
}
}  // namespace

AboutWindow::AboutWindow(QWidget* parent) : SkinnedWindow(QStringLiteral("关于软件"), parent) {
  setObjectName(QStringLiteral("About"));
  SetGeometryTwips(0, 0, kWidth, kHeight);
  const int left = 12, width = this->width() - 2 * left;
  int top = titleHeight() + 6;
  auto place = [&](QLabel* label, int height) {
    label->setGeometry(left, top, width, height);
    top += height;
  };
  place(Line(this, "lblName", QStringLiteral("Tunewharf 网络音乐播放器"), 14, true), 20);
  place(Line(this, "lblVersion", QStringLiteral("版本 %1").arg(QStringLiteral(TW_VERSION)), 12,
             false),
        18);
  place(Line(this, "lblWhat",
             QStringLiteral("本地与网络歌曲播放、歌词同步显示、在线搜索的音乐播放器。"), 12, false),
        32);
  place(Line(this, "lblCredits",
             QStringLiteral("使用 Qt %1、libmpv 与 libpulse 构建。")
                 .arg(QString::fromLatin1(qVersion())),
             12, false),
        18);
}
