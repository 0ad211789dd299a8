// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "shell/ui/skinnedwindow.h"

class Downloader;
class QLabel;
class QTableView;

// The download window: the running downloads of its downloader (Downloader1) and one status
// line saying how the last one goes.
class Donload : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kWidth = 4500;
  static constexpr int kHeight = 2400;

  explicit Donload(Downloader& downloader, QWidget* parent = nullptr);

  QString statusText() const;
  QTableView* list() const { return list_; }

 private:
  void OnComplete(qint64 bytesMax, const QString& savePath, bool success);

  QTableView* list_ = nullptr;  // MSlabel
  QLabel* text1_ = nullptr;
};
