// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/ui/donload.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "download/downloader.h"
#include "shell/ui/gridstyle.h"
#include "shell/ui/skin.h"

Donload::Donload(Downloader& downloader, QWidget* parent)
    : SkinnedWindow(QStringLiteral("下载"), parent) {
  setObjectName(QStringLiteral("Donload"));
  SetGeometryTwips(0, 0, kWidth, kHeight);
  const int left = 8, width = this->width() - 2 * left;
  int top = titleHeight() + 4;

  list_ = new QTableView(this);
  list_->setObjectName(QStringLiteral("MSlabel"));
  list_->setModel(&downloader.list());
  skin::ApplyGridStyle(list_);
  skin::SetColumnWidthsTwips(list_, {1350, 800, 800});
  list_->horizontalHeader()->setStretchLastSection(true);
  list_->setGeometry(left, top, width, 90);
  top += 94;

  text1_ = new QLabel(this);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setTextFormat(Qt::PlainText);
  text1_->setWordWrap(true);
  QPalette pal = text1_->palette();
  pal.setColor(QPalette::WindowText, skin::kText);
  text1_->setPalette(pal);
  text1_->setGeometry(left, top, width - 70, 36);

  auto* close = new QPushButton(QStringLiteral("关闭"), this);
  close->setObjectName(QStringLiteral("Image15"));
  close->setGeometry(left + width - 64, top + 4, 64, 24);
  connect(close, &QPushButton::clicked, this, &QWidget::hide);

  connect(&downloader, &Downloader::StatusText, text1_, &QLabel::setText);
  connect(&downloader, &Downloader::DownloadComplete, this, &Donload::OnComplete);
}

QString Donload::statusText() const {
  return text1_->text();
}

void Donload::OnComplete(qint64, const QString& savePath, bool success) {
  text1_->setText(success ? QStringLiteral("文件下载完成!")
                          : QStringLiteral("很抱歉!\r\n下载") + savePath +
                                QStringLiteral("发生错误！"));
}
