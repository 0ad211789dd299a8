// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a session ending, a terminal closed) into a signal on the
// GUI thread, so they run the same shutdown sequence as closing the main window.
class SignalWatcher : public QObject {
  Q_OBJECT

 public:
  explicit SignalWatcher(QObject* parent = nullptr);
  ~SignalWatcher() override;

 signals:
  void TerminationRequested(int signalNumber);

 private:
  QSocketNotifier* notifier_ = nullptr;
};
