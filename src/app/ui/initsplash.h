// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QWidget>

// The "please wait" form shown once, on the first run, before the main window.
class InitSplash : public QWidget {
  Q_OBJECT

 public:
  explicit InitSplash(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
