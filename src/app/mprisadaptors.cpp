// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mprisadaptors.h"

namespace app {

QVariantMap ToBusMetadata(const QVariantMap& metadata) {
  QVariantMap out = metadata;
  const QString key = QStringLiteral("mpris:trackid");
  out.insert(key, QVariant::fromValue(QDBusObjectPath(metadata.value(key).toString())));
  return out;
}

}  // namespace app

MprisRootAdaptor::MprisRootAdaptor(QObject* object, MprisBridge& bridge)
    : QDBusAbstractAdaptor(object), bridge_(bridge) {}

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* object, MprisBridge& bridge)
    : QDBusAbstractAdaptor(object), bridge_(bridge) {
  connect(&bridge_, &MprisBridge::Seeked, this, &MprisPlayerAdaptor::Seeked);
}
