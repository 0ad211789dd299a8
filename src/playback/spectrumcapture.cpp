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
// Reads in fifths of a block so that closing waits at most 20 ms for the reader.
constexpr int kChunkBytes = SpectrumCapture::kBlockBytes / 5;
// Qt's audio inputs leave out monitors; the sound server names the default one itself.
const char kDefaultMonitor[] = "@DEFAULT_MONITOR@";
}  // namespace

SpectrumCapture::SpectrumCapture(QObject* parent) : QObject(parent) {}

SpectrumCapture::~SpectrumCapture() {
  Close();
}

QAudioDevice SpectrumCapture::PreferredDevice() {
  return QMediaDevices::defaultAudioInput();
}

bool SpectrumCapture::Open() {
  if (isOpen()) return true;
  pending_.clear();
  QString monitorWhy, inputWhy;
  if (OpenMonitor(&monitorWhy) || OpenQtInput(&inputWhy)) return true;
  qCWarning(lcPlayback).noquote() << "spectrum capture not opened: monitor of the default output:"
                                  << monitorWhy << "; default input:" << inputWhy;
  return false;
}

bool SpectrumCapture::OpenMonitor(QString* why) {
  const pa_sample_spec spec{PA_SAMPLE_S16LE, kSampleRate, 1};
  pa_buffer_attr attr;
  attr.maxlength = static_cast<uint32_t>(-1);
  attr.tlength = attr.prebuf = attr.minreq = static_cast<uint32_t>(-1);
  attr.fragsize = kChunkBytes;
  int error = 0;
  pa_simple* stream = pa_simple_new(nullptr, "Tunewharf", PA_STREAM_RECORD, kDefaultMonitor,
                                    "spectrum", &spec, nullptr, &attr, &error);
  if (!stream) {
    *why = QString::fromUtf8(pa_strerror(error));
    return false;
  }
  stop_ = false;
  const int generation = ++generation_;
  reader_ = std::thread([this, stream, generation] {
    QByteArray chunk(kChunkBytes, '\0');
    int error = 0;
    while (!stop_) {
      if (pa_simple_read(stream, chunk.data(), chunk.size(), &error) < 0) {
        qCWarning(lcPlayback) << "spectrum capture stopped:" << pa_strerror(error);
        break;
      }
      // Blocks are cut and drawn on the GUI thread; a chunk of a closed capture is dropped.
      QMetaObject::invokeMethod(
          this,
          [this, chunk, generation] {
            if (generation == generation_ && reader_.joinable()) Consume(chunk);
          },
          Qt::QueuedConnection);
    }
    pa_simple_free(stream);
  });
  return true;
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
  if (reader_.joinable()) {
    stop_ = true;
    reader_.join();
    ++generation_;
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
