// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "shell/ui/skinnedwindow.h"

// "关于软件": the program's name and version, what it is, and the libraries it is built on.
class AboutWindow : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kWidth = 4500;
  static constexpr int kHeight = 1920;

  explicit AboutWindow(QWidget* parent = nullptr);
};
