// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instancelock.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

namespace {
const QByteArray kActivate("activate\n");
}

InstanceLock::InstanceLock(const QString& folder, const QString& name, QObject* parent)
    : QObject(parent), folder_(folder), name_(name) {}

InstanceLock::~InstanceLock() { ReleaseInstanceLock(); }

QString InstanceLock::lockPath() const { return QDir(folder_).filePath(name_ + QStringLiteral(".lock")); }
QString InstanceLock::socketPath() const { return QDir(folder_).filePath(name_); }

bool InstanceLock::IsAlreadyRunning() {
  QDir().mkpath(folder_);
  lock_ = std::make_unique<QLockFile>(lockPath());
  lock_->setStaleLockTime(0);  // a lock whose process died is taken over
  if (!lock_->tryLock(0)) {
    lock_.reset();
    return true;
  }
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(socketPath());  // a socket left by a crash
  server_->listen(socketPath());
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = server_->nextPendingConnection()) {
      connect(peer, &QLocalSocket::readyRead, this, [this, peer] {
        if (peer->readAll().contains(kActivate.trimmed())) emit ActivationRequested();
        peer->disconnectFromServer();
      });
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
  return false;
}

bool InstanceLock::ActivatePreviousInstance() {
  QLocalSocket socket;
  socket.connectToServer(socketPath());
  if (!socket.waitForConnected(1000)) return false;
  socket.write(kActivate);
  const bool sent = socket.waitForBytesWritten(1000);
  socket.waitForDisconnected(500);
  return sent;
}

void InstanceLock::ReleaseInstanceLock() {
  if (server_) {
    server_->close();
    delete server_;
    server_ = nullptr;
  }
  if (lock_) {
    lock_->unlock();
    lock_.reset();
  }
}
