// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/spectrumcapture.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <QAudioFormat>
#include <QAudioSource>
#include <QLoggingCategory>
#include <QMediaDevices>

Q_LOGGING_CATEGORY(lcPlayback, "tw.playback", QtWarningMsg)

namespace {
// Qt's audio inputs leave out monitors; the sound server names the default one itself.
const char kDefaultMonitor[] = "@DEFAULT_MONITOR@";

pa_simple* NewMonitorStream(int* error) {
  const pa_sample_spec spec{PA_SAMPLE_S16LE, SpectrumCapture::kSampleRate, 1};
  pa_buffer_attr attr;
  attr.maxlength = static_cast<uint32_t>(-1);
  attr.tlength = attr.prebuf = attr.minreq = static_cast<uint32_t>(-1);
  // Whole blocks: the sound server sizes the output's wake-ups by its smallest fragment, so
  // fifths of a block had it (and the player's audio thread) wake five times as often.
  attr.fragsize = SpectrumCapture::kBlockBytes;
  return pa_simple_new(nullptr, "Tunewharf", PA_STREAM_RECORD, kDefaultMonitor, "spectrum", &spec,
                       nullptr, &attr, error);
}
}  // namespace

SpectrumCapture::SpectrumCapture(QObject* parent) : QObject(parent) {}

SpectrumCapture::~SpectrumCapture() {
  Close();
  {
    std::lock_guard lock(mutex_);
    quit_ = true;
  }
  wake_.notify_all();
  if (reader_.joinable()) reader_.join();
}

QAudioDevice SpectrumCapture::PreferredDevice() {
  return QMediaDevices::defaultAudioInput();
}

bool SpectrumCapture::Open() {
  if (isOpen()) return true;
  pending_.clear();
  if (reader_.joinable()) {
    // The monitor opened before: the reader opens it again on its own thread.
    monitorOpen_ = true;
    ++generation_;
    Want(true);
    return true;
  }
  QString monitorWhy, inputWhy;
  if (OpenMonitor(&monitorWhy) || OpenQtInput(&inputWhy)) return true;
  qCWarning(lcPlayback).noquote() << "spectrum capture not opened: monitor of the default output:"
                                  << monitorWhy << "; default input:" << inputWhy;
  return false;
}

bool SpectrumCapture::OpenMonitor(QString* why) {
  int error = 0;
  pa_simple* stream = NewMonitorStream(&error);
  if (!stream) {
    *why = QString::fromUtf8(pa_strerror(error));
    return false;
  }
  monitorOpen_ = true;
  ++generation_;
  wanted_ = true;  // the reader does not run yet
  reader_ = std::thread([this, stream] { ReaderLoop(stream); });
  return true;
}

void SpectrumCapture::Want(bool wanted) {
  {
    std::lock_guard lock(mutex_);
    wanted_ = wanted;
  }
  wake_.notify_all();
}

void SpectrumCapture::ReaderLoop(pa_simple* stream) {
  QByteArray block(kBlockBytes, '\0');
  int error = 0;
  std::unique_lock lock(mutex_);
  for (;;) {
    if (!wanted_ && stream) {
      lock.unlock();
      pa_simple_free(stream);
      stream = nullptr;
      lock.lock();
    }
    wake_.wait(lock, [this] { return quit_ || wanted_; });
    if (quit_) break;
    lock.unlock();
    if (!stream) stream = NewMonitorStream(&error);
    const bool read = stream && pa_simple_read(stream, block.data(), kBlockBytes, &error) >= 0;
    if (read) {
      // A block of a capture closed since is dropped on the GUI thread.
      const int generation = generation_;
      QMetaObject::invokeMethod(
          this,
          [this, block, generation] {
            if (generation == generation_ && monitorOpen_) Consume(block);
          },
          Qt::QueuedConnection);
    }
    lock.lock();
    if (!read) {
      qCWarning(lcPlayback) << "spectrum capture stopped:" << pa_strerror(error);
      // Silent until the next open asks again.
      wanted_ = false;
    }
  }
  lock.unlock();
  if (stream) pa_simple_free(stream);
}

bool SpectrumCapture::OpenQtInput(QString* why) {
  const QAudioDevice device = PreferredDevice();
  if (device.isNull()) {
    *why = QStringLiteral("none");
    return false;
  }
  QAudioFormat format;
  format.setSampleRate(kSampleRate);
  format.setChannelCount(1);
  format.setSampleFormat(QAudioFormat::Int16);
  auto source = std::make_unique<QAudioSource>(device, format);
  source->setBufferSize(kBlockBytes);
  QIODevice* io = source->start();
  if (!io || source->error() != QAudio::NoError) {
    *why = QStringLiteral("error %1 on %2").arg(source->error()).arg(device.description());
    return false;
  }
  source_ = std::move(source);
  io_ = io;
  connect(io_, &QIODevice::readyRead, this, &SpectrumCapture::ReadAvailable);
  return true;
}

void SpectrumCapture::Close() {
  if (monitorOpen_) {
    monitorOpen_ = false;
    ++generation_;
    Want(false);
  }
  if (source_) {
    if (io_) disconnect(io_, nullptr, this, nullptr);
    source_->stop();
    source_.reset();
    io_ = nullptr;
  }
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
