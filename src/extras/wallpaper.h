// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>

class Prompter;
class QDBusPendingCallWatcher;

// "设为壁纸": the shown picture is copied as MyDesktop.bmp into the program's own folder and
// handed to the desktop by its file address: through the desktop portal's Wallpaper interface,
// else through the GNOME background setting. The user is told how it went; success is only
// claimed when the desktop said so.
class Wallpaper : public QObject {
  Q_OBJECT

 public:
  struct Environment {
    QDBusConnection bus = QDBusConnection::sessionBus();
    QString desktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    QString gsettings;  // the gsettings program; found on PATH when empty
  };

  Wallpaper(QString saveFolder, Prompter& prompter, QObject* parent = nullptr);
  Wallpaper(QString saveFolder, Prompter& prompter, Environment env, QObject* parent = nullptr);

  // DesktopPic. Answers with Finished once the desktop answered.
  void Set(const QString& picture);
  // The copy handed to the desktop.
  QString copyPath() const { return saveFolder_ + QStringLiteral("MyDesktop.bmp"); }

 signals:
  void Finished(bool ok, const QString& message);

 private slots:
  // Slots by name: QDBusConnection::connect takes no member-function pointer in Qt 6.4.
  void OnPortalResponse(uint response, const QVariantMap& results);

 private:
  bool SaveCopy(const QString& picture);
  void CallPortal(const QString& uri);
  void OnPortalReply(QDBusPendingCallWatcher* watcher);
  void TryGnome(const QString& uri);
  void RunGsettings(const QString& program, const QString& key, const QString& uri,
                    std::function<void(bool)> done);
  void Report(bool ok, const QString& message);
  void Unsubscribe();

  QString saveFolder_;
  Prompter& prompter_;
  Environment env_;
  QString uri_;
  QString handle_;  // the portal request we wait on
  int token_ = 0;
  bool busy_ = false;
};
