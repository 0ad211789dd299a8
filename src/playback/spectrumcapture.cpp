// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/spectrumcapture.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <QLibrary>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPlayback, "tw.playback", QtWarningMsg)

namespace {
// Qt's audio inputs leave out monitors; the sound server names the default one itself.
const char kDefaultMonitor[] = "@DEFAULT_MONITOR@";

struct PulseSimple {
  decltype(&::pa_simple_new) simple_new = nullptr;
  decltype(&::pa_simple_read) read = nullptr;
  decltype(&::pa_simple_free) free = nullptr;
  decltype(&::pa_strerror) strerror = nullptr;
};

template <typename F>
bool Resolve(QLibrary& library, const char* name, F& out) {
  out = reinterpret_cast<F>(library.resolve(name));
  return out != nullptr;
}

// The sound server's client library and the dozen behind it are mapped on the first capture,
// when a song starts, not at every start of the program. nullptr when it is not installed.
const PulseSimple* Pulse() {
  static const PulseSimple* api = []() -> const PulseSimple* {
    static QLibrary library(QStringLiteral("pulse-simple"), 0);
    static PulseSimple pulse;
    const bool ok = library.load() && Resolve(library, "pa_simple_new", pulse.simple_new) &&
                    Resolve(library, "pa_simple_read", pulse.read) &&
                    Resolve(library, "pa_simple_free", pulse.free) &&
                    Resolve(library, "pa_strerror", pulse.strerror);
    return ok ? &pulse : nullptr;
  }();
  return api;
}

pa_simple* NewMonitorStream(int* error) {
  const pa_sample_spec spec{PA_SAMPLE_S16LE, SpectrumCapture::kSampleRate, 1};
  pa_buffer_attr attr;
  attr.maxlength = static_cast<uint32_t>(-1);
  attr.tlength = attr.prebuf = attr.minreq = static_cast<uint32_t>(-1);
  attr.fragsize = SpectrumCapture::kBlockBytes * SpectrumCapture::kFragmentBlocks;
  return Pulse()->simple_new(nullptr, "Tunewharf", PA_STREAM_RECORD, kDefaultMonitor, "spectrum", &spec,
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
  QString why;
  if (OpenMonitor(&why)) return true;
  qCWarning(lcPlayback).noquote() << "spectrum capture not opened: monitor of the default output:"
                                  << why;
  return false;
}

bool SpectrumCapture::OpenMonitor(QString* why) {
  if (!Pulse()) {
    *why = QStringLiteral("libpulse-simple.so.0 not loaded");
    return false;
  }
  int error = 0;
  pa_simple* stream = NewMonitorStream(&error);
  if (!stream) {
    *why = QString::fromUtf8(Pulse()->strerror(error));
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
      Pulse()->free(stream);
      stream = nullptr;
      lock.lock();
    }
    wake_.wait(lock, [this] { return quit_ || wanted_; });
    if (quit_) break;
    lock.unlock();
    if (!stream) stream = NewMonitorStream(&error);
    const bool read = stream && Pulse()->read(stream, block.data(), kBlockBytes, &error) >= 0;
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
      qCWarning(lcPlayback) << "spectrum capture stopped:" << Pulse()->strerror(error);
      // Silent until the next open asks again.
      wanted_ = false;
    }
  }
  lock.unlock();
  if (stream) Pulse()->free(stream);
}

void SpectrumCapture::Close() {
  if (monitorOpen_) {
    monitorOpen_ = false;
    ++generation_;
    Want(false);
  }
  pending_.clear();
}

void SpectrumCapture::Consume(const QByteArray& bytes) {
  pending_.append(bytes);
  while (pending_.size() >= kBlockBytes) {
    const QByteArray block = pending_.left(kBlockBytes);
    pending_.remove(0, kBlockBytes);
    emit BlockCaptured(block);
  }
}
