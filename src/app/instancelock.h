// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

// One running instance per user. The first holds a lock file and listens on a local socket;
// a second one finds the lock taken, asks the first to come to the front and exits.
class InstanceLock : public QObject {
  Q_OBJECT

 public:
  static QString DefaultName() { return QStringLiteral("Tunewharf 网络音乐播放器"); }

  // folder: where the lock and the socket live (the per-user runtime folder).
  explicit InstanceLock(const QString& folder, const QString& name = DefaultName(),
                        QObject* parent = nullptr);
  ~InstanceLock() override;

  // Takes the lock; true when another instance holds it.
  bool IsAlreadyRunning();
  // Asks the running instance to restore and raise its main window. False when it is gone.
  bool ActivatePreviousInstance();
  void ReleaseInstanceLock();

 signals:
  // A second instance asked this one to come to the front.
  void ActivationRequested();

 private:
  QString lockPath() const;
  QString socketPath() const;

  QString folder_;
  QString name_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
};
