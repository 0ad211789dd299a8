// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mprisservice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>

#include "app/mprisadaptors.h"

namespace {
const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
}  // namespace

bool MprisService::SessionBusConfigured() {
  if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
  // The bus library's other default: the per-user bus socket of the runtime folder.
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

std::unique_ptr<MprisService> MprisService::Publish(MprisBridge& bridge) {
  if (!SessionBusConfigured()) return nullptr;
  std::unique_ptr<MprisService> service(new MprisService(bridge));
  if (!service->Register()) return nullptr;
  return service;
}

MprisService::MprisService(MprisBridge& bridge) : bridge_(bridge) {
  object_ = new QObject(this);
  new MprisRootAdaptor(object_, bridge_);
  new MprisPlayerAdaptor(object_, bridge_);
  connect(&bridge_, &MprisBridge::PlayerPropertiesChanged, this, &MprisService::AnnounceChanges);
}

MprisService::~MprisService() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  if (!serviceName_.isEmpty()) bus.unregisterService(serviceName_);
  bus.unregisterObject(kObjectPath);
}

bool MprisService::Register() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  if (!bus.registerObject(kObjectPath, object_, QDBusConnection::ExportAdaptors)) return false;
  // A second copy (a test beside a running program) takes a name of its own.
  for (const QString& name :
       {kServiceName, kServiceName + QStringLiteral(".instance") +
                          QString::number(QCoreApplication::applicationPid())}) {
    if (bus.registerService(name)) {
      serviceName_ = name;
      return true;
    }
  }
  bus.unregisterObject(kObjectPath);
  return false;
}

void MprisService::AnnounceChanges(const QVariantMap& changed) {
  QVariantMap properties = changed;
  const QString metadata = QStringLiteral("Metadata");
  if (properties.contains(metadata))
    properties.insert(metadata, app::ToBusMetadata(properties.value(metadata).toMap()));
  QDBusMessage signal =
      QDBusMessage::createSignal(kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                 QStringLiteral("PropertiesChanged"));
  signal << kPlayerInterface << properties << QStringList();
  QDBusConnection::sessionBus().send(signal);
}
