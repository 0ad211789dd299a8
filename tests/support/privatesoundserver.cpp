// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/privatesoundserver.h"

#include <QFileInfo>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTest>

PrivateSoundServer::PrivateSoundServer() {
  oldServer_ = qgetenv("PULSE_SERVER");
  const QString daemon = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
  if (daemon.isEmpty() || !dir_.isValid()) {
    failure_ = QStringLiteral("the pulseaudio daemon is not installed");
    return;
  }
  const QString socket = dir_.filePath(QStringLiteral("native"));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  for (const char* key : {"XDG_RUNTIME_DIR", "HOME", "PULSE_STATE_PATH", "PULSE_RUNTIME_PATH"})
    env.insert(QString::fromLatin1(key), dir_.path());
  env.remove(QStringLiteral("PULSE_SERVER"));
  daemon_.setProcessEnvironment(env);
  daemon_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  daemon_.start(
      daemon,
      {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--system=no"),
       QStringLiteral("--exit-idle-time=30"), QStringLiteral("--use-pid-file=no"),
       QStringLiteral("--disable-shm=yes"), QStringLiteral("--log-level=error"),
       QStringLiteral("-Lmodule-null-sink sink_name=twtest"),
       QStringLiteral("-Lmodule-native-protocol-unix auth-anonymous=1 socket=") + socket});
  if (!daemon_.waitForStarted(5000) ||
      !QTest::qWaitFor(
          [&] { return QFileInfo::exists(socket) || daemon_.state() == QProcess::NotRunning; },
          10000) ||
      daemon_.state() != QProcess::Running) {
    failure_ = QStringLiteral("the pulseaudio daemon did not start");
    return;
  }
  qputenv("PULSE_SERVER", QByteArray("unix:") + socket.toLocal8Bit());
}

PrivateSoundServer::~PrivateSoundServer() {
  for (QProcess* p : {&player_, &daemon_}) {
    if (p->state() == QProcess::NotRunning) continue;
    p->kill();
    p->waitForFinished(3000);
  }
  if (oldServer_.isNull())
    qunsetenv("PULSE_SERVER");
  else
    qputenv("PULSE_SERVER", oldServer_);
}

bool PrivateSoundServer::PlayTone(int seconds) {
  if (!failure_.isEmpty()) return false;
  const QString tone = dir_.filePath(QStringLiteral("tone.wav"));
  QProcess sox;
  sox.start(QStringLiteral("sox"),
            {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
             QStringLiteral("-c"), QStringLiteral("1"), tone, QStringLiteral("synth"),
             QString::number(seconds), QStringLiteral("sine"), QStringLiteral("440")});
  if (!sox.waitForFinished(10000) || sox.exitCode() != 0) return false;
  player_.start(QStringLiteral("paplay"), {tone});
  return player_.waitForStarted(5000);
}
