// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

#include "extras/albumscan.h"

class QLabel;

// The small popup beside a cover the pointer rests on: the album's title, singer, date and
// hit song, as plain text.
class AlbumDetail : public QWidget {
  Q_OBJECT

 public:
  explicit AlbumDetail(QWidget* parent = nullptr);
  void ShowAlbum(const extras::AlbumItem& album, const QPoint& globalPos);
  QString text() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QLabel* lines_[4];
};
