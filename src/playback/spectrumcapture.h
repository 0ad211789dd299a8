// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

struct pa_simple;

// Captures what the speakers play as 0.1 s blocks of 44100 Hz mono 16-bit PCM, for the
// spectrum bars: the monitor of the sound server's default output. The server sends them
// kFragmentBlocks at a time (see BlockPacer).
// Failing to open only logs why: the bars simply stay as they were drawn.
class SpectrumCapture : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSampleRate = 44100;
  static constexpr int kBlockBytes = 8820;  // 88200 bytes/s * 0.1, a whole number of samples
  // The server sizes the output's wake-ups by its smallest fragment: a 0.1 s fragment had it,
  // and the player's audio output, wake ten times a second and tripled the server's CPU.
  static constexpr int kFragmentBlocks = 5;

  explicit SpectrumCapture(QObject* parent = nullptr);
  ~SpectrumCapture() override;

  // True when capture runs. Opening an open capture keeps it.
  bool Open();
  void Close();
  bool isOpen() const { return monitorOpen_; }

  // Feeds captured bytes; whole blocks come out as BlockCaptured. Public for tests.
  void Consume(const QByteArray& bytes);

 signals:
  void BlockCaptured(const QByteArray& block);

 private:
  bool OpenMonitor(QString* why);

  // Runs on reader_: reads whole blocks while wanted_, frees the stream when not.
  void ReaderLoop(pa_simple* stream);
  // Wakes the reader with a new wish; never waits for it.
  void Want(bool wanted);

  // The thread that waits on the sound server's stream. It lives as long as this object, so
  // closing (every song change and stop) never waits for a read to finish.
  std::thread reader_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool wanted_ = false;  // guarded by mutex_
  bool quit_ = false;    // guarded by mutex_
  std::atomic<int> generation_{0};
  bool monitorOpen_ = false;  // GUI thread only
  QByteArray pending_;
};
