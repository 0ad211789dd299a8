// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A sound server of the test's own: a PulseAudio daemon with one null sink, on a private
// runtime folder, reached through PULSE_SERVER while it lives. Nothing reads the user's or
// the system's sound configuration.
class PrivateSoundServer {
 public:
  PrivateSoundServer();
  ~PrivateSoundServer();

  // Empty when the daemon runs; otherwise why it could not start.
  const QString& failure() const { return failure_; }
  // Plays a steady sine tone into the null sink for the given seconds; false when it cannot.
  bool PlayTone(int seconds);

 private:
  QTemporaryDir dir_;
  QProcess daemon_;
  QProcess player_;
  QString failure_;
  QByteArray oldServer_;
};
