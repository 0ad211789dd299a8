// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/mpvlibrary.h"

#include <QLibrary>
#include <atomic>

namespace components {

namespace {
template <typename F>
bool Resolve(QLibrary& library, const char* name, F& out) {
  out = reinterpret_cast<F>(library.resolve(name));
  return out != nullptr;
}

const MpvApi* Load() {
  static QLibrary library(QStringLiteral("mpv"), MPV_CLIENT_API_VERSION >> 16);
  if (!library.load()) return nullptr;
  static MpvApi api;
  const bool ok = Resolve(library, "mpv_create", api.create) &&
                  Resolve(library, "mpv_initialize", api.initialize) &&
                  Resolve(library, "mpv_terminate_destroy", api.terminate_destroy) &&
                  Resolve(library, "mpv_set_option_string", api.set_option_string) &&
                  Resolve(library, "mpv_observe_property", api.observe_property) &&
                  Resolve(library, "mpv_set_wakeup_callback", api.set_wakeup_callback) &&
                  Resolve(library, "mpv_wait_event", api.wait_event) &&
                  Resolve(library, "mpv_event_name", api.event_name) &&
                  Resolve(library, "mpv_command_async", api.command_async) &&
                  Resolve(library, "mpv_set_property_async", api.set_property_async) &&
                  Resolve(library, "mpv_get_property_async", api.get_property_async);
  return ok ? &api : nullptr;
}
}  // namespace

std::atomic<bool> loadFinished{false};

const MpvApi* LoadMpv() {
  static const MpvApi* api = Load();  // once, on a worker thread before the first song
  loadFinished = true;
  return api;
}

bool MpvLoadFinished() {
  return loadFinished;
}

}  // namespace components
