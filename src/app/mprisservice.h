// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <memory>

class MprisBridge;

// Publishes the bridge on the session bus as the desktop's media player interface, so media
// keys, panel widgets and command-line controllers reach the player. The only place with bus
// code: nothing of it runs until the program has shown its window.
class MprisService : public QObject {
  Q_OBJECT

 public:
  static inline const QString kServiceName = QStringLiteral("org.mpris.MediaPlayer2.tunewharf");

  // True when the environment names a session bus. Without one nothing is attempted: asking
  // the bus library would try to launch a bus, which nobody would listen on.
  static bool SessionBusConfigured();
  // Registers the object and the name (or the name with ".instance<pid>" when another copy
  // holds it); null when there is no bus or it refused both.
  static std::unique_ptr<MprisService> Publish(MprisBridge& bridge);
  ~MprisService() override;

  const QString& serviceName() const { return serviceName_; }

 private:
  explicit MprisService(MprisBridge& bridge);
  bool Register();
  void AnnounceChanges(const QVariantMap& changed);

  MprisBridge& bridge_;
  QObject* object_ = nullptr;  // carries the two interfaces
  QString serviceName_;
};
