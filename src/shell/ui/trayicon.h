// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

class TrayPopup;
class QWidget;

// The main window's tray icon: its tip shows the playing title, a double-click restores the
// main window and a right click opens the SysTray popup near the notification area.
class TrayIcon : public QObject {
  Q_OBJECT

 public:
  TrayIcon(QWidget* mainWindow, TrayPopup* popup, QObject* parent = nullptr);

  // Whether the desktop has a tray at all. Without one the main window must never be hidden
  // to it (button 11), or nothing could bring it back.
  static bool Available();
  // Shows the icon; false when there is no tray.
  bool Show();
  bool visible() const { return icon_.isVisible(); }
  // Removes the icon (shutdown).
  void Remove() { icon_.hide(); }

  void SetPlayingTitle(const QString& title);
  QString toolTip() const { return icon_.toolTip(); }

  void OnActivated(QSystemTrayIcon::ActivationReason reason);
  void RestoreMainWindow();
  void ShowPopup();

  QSystemTrayIcon& icon() { return icon_; }

 private:
  QPointer<QWidget> main_;
  TrayPopup* popup_;
  QSystemTrayIcon icon_;
  QString tip_;  // the tip last set
};
