// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/spectrumcapture.h"

#include <QAudioFormat>
#include <QAudioSource>
#include <QMediaDevices>

SpectrumCapture::SpectrumCapture(QObject* parent) : QObject(parent) {}

SpectrumCapture::~SpectrumCapture() {
  Close();
}

QAudioDevice SpectrumCapture::PreferredDevice() {
  const QList<QAudioDevice> inputs = QMediaDevices::audioInputs();
  const QString output = QMediaDevices::defaultAudioOutput().description();
  const QString prefix = QStringLiteral("Monitor of");
  QAudioDevice anyMonitor;
  for (const QAudioDevice& device : inputs) {
    const QString d = device.description();
    if (!d.startsWith(prefix)) continue;
    // The default input would follow the microphone, not the song.
    if (!output.isEmpty() && d.contains(output)) return device;
    if (anyMonitor.isNull()) anyMonitor = device;
  }
  if (!anyMonitor.isNull()) return anyMonitor;
  return QMediaDevices::defaultAudioInput();
}

bool SpectrumCapture::Open() {
  if (source_) return true;
  const QAudioDevice device = PreferredDevice();
  if (device.isNull()) return false;
  QAudioFormat format;
  format.setSampleRate(kSampleRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  auto source = std::make_unique<QAudioSource>(device, format);
  source->setBufferSize(kBlockBytes);
  QIODevice* io = source->start();
  if (!io || source->error() != QAudio::NoError) return false;
  source_ = std::move(source);
  io_ = io;
  pending_.clear();
  connect(io_, &QIODevice::readyRead, this, &SpectrumCapture::ReadAvailable);
  return true;
}

void SpectrumCapture::Close() {
  if (!source_) return;
  if (io_) disconnect(io_, nullptr, this, nullptr);
  source_->stop();
  source_.reset();
  io_ = nullptr;
  pending_.clear();
}

void SpectrumCapture::ReadAvailable() {
  // Push mode: readyRead hands over what the sound server delivered, never waiting for more.
  if (io_) Consume(io_->readAll());
}

void SpectrumCapture::Consume(const QByteArray& bytes) {
  pending_.append(bytes);
  while (pending_.size() >= kBlockBytes) {
    const QByteArray block = pending_.left(kBlockBytes);
    pending_.remove(0, kBlockBytes);
    emit BlockCaptured(block);
  }
}
