// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAudioDevice>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>
#include <thread>

class QAudioSource;
class QIODevice;

// Captures what the speakers play as 0.1 s blocks of 44100 Hz mono 16-bit PCM, for the
// spectrum bars: the monitor of the sound server's default output, else Qt's default input.
// Failing to open only logs why: the bars simply stay as they were drawn.
class SpectrumCapture : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSampleRate = 44100;
  static constexpr int kBlockBytes = 8820;  // 88200 bytes/s * 0.1, a whole number of samples

  explicit SpectrumCapture(QObject* parent = nullptr);
  ~SpectrumCapture() override;

  // True when capture runs. Opening an open capture keeps it.
  bool Open();
  void Close();
  bool isOpen() const { return reader_.joinable() || source_ != nullptr; }

  // Qt's default input: the fallback where the sound server offers no monitor.
  static QAudioDevice PreferredDevice();

  // Feeds captured bytes; whole blocks come out as BlockCaptured. Public for tests.
  void Consume(const QByteArray& bytes);

 signals:
  void BlockCaptured(const QByteArray& block);

 private:
  bool OpenMonitor(QString* why);
  bool OpenQtInput(QString* why);
  void ReadAvailable();

  // The sound server's stream and the thread that waits on it.
  std::thread reader_;
  std::atomic<bool> stop_{false};
  int generation_ = 0;
  std::unique_ptr<QAudioSource> source_;
  QIODevice* io_ = nullptr;
  QByteArray pending_;
};
