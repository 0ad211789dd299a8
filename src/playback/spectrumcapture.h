// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QAudioDevice>
#include <QByteArray>
#include <QObject>
#include <memory>

class QAudioSource;
class QIODevice;

// Captures what the speakers play (the monitor of the default output when the sound server
// offers one, else the default input) as 0.1 s blocks of 44100 Hz mono 16-bit PCM, for the
// spectrum bars. Failing to open is silent: the bars simply stay as they were drawn.
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
  bool isOpen() const { return source_ != nullptr; }

  // The monitor of the default output, else the default input; null when there is none.
  static QAudioDevice PreferredDevice();

  // Feeds captured bytes; whole blocks come out as BlockCaptured. Public for tests.
  void Consume(const QByteArray& bytes);

 signals:
  void BlockCaptured(const QByteArray& block);

 private:
  void ReadAvailable();

  std::unique_ptr<QAudioSource> source_;
  QIODevice* io_ = nullptr;
  QByteArray pending_;
};
