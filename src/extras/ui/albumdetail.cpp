// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/ui/albumdetail.h"

#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "shell/ui/skin.h"

AlbumDetail::AlbumDetail(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("Detail"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(2);
  const char* names[] = {"Label1", "Label2", "Label3", "Label4"};
  for (int i = 0; i < 4; ++i) {
    lines_[i] = new QLabel(this);
    lines_[i]->setObjectName(QLatin1String(names[i]));
    lines_[i]->setTextFormat(Qt::PlainText);
    lines_[i]->setStyleSheet(QStringLiteral("color: rgb(9, 62, 154);"));
    layout->addWidget(lines_[i]);
  }
}

void AlbumDetail::ShowAlbum(const extras::AlbumItem& album, const QPoint& globalPos) {
  lines_[0]->setText(QStringLiteral("专辑：") + album.title);
  lines_[1]->setText(QStringLiteral("歌手：") + album.singer);
  lines_[2]->setText(QStringLiteral("时间：") + album.date);
  lines_[3]->setText(QStringLiteral("主打歌：") + album.hitSong);
  // A singer's album list has no date or hit song.
  lines_[2]->setVisible(!album.date.isEmpty());
  lines_[3]->setVisible(!album.hitSong.isEmpty());
  adjustSize();
  move(globalPos + QPoint(16, 16));
  show();
  raise();
}

QString AlbumDetail::text() const {
  QStringList shown;
  for (QLabel* line : lines_)
    if (!line->isHidden()) shown << line->text();
  return shown.join(u'\n');
}

void AlbumDetail::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), skin::kLight);
  p.setPen(skin::kDeepBlue);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}
