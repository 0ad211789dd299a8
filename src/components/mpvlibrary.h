// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <mpv/client.h>

// libmpv and the two hundred libraries behind it are loaded when the first song plays, not
// at start-up: the window paints sooner and an idle player stays small.
namespace components {

struct MpvApi {
  decltype(&::mpv_create) create = nullptr;
  decltype(&::mpv_initialize) initialize = nullptr;
  decltype(&::mpv_terminate_destroy) terminate_destroy = nullptr;
  decltype(&::mpv_set_option_string) set_option_string = nullptr;
  decltype(&::mpv_observe_property) observe_property = nullptr;
  decltype(&::mpv_set_wakeup_callback) set_wakeup_callback = nullptr;
  decltype(&::mpv_wait_event) wait_event = nullptr;
  decltype(&::mpv_event_name) event_name = nullptr;
  decltype(&::mpv_command_async) command_async = nullptr;
  decltype(&::mpv_set_property_async) set_property_async = nullptr;
  decltype(&::mpv_get_property_async) get_property_async = nullptr;
};

// The library's functions, loaded on the first call; nullptr when libmpv cannot be loaded.
// Thread-safe: a second caller waits for the first.
const MpvApi* LoadMpv();
// True once LoadMpv has finished (whatever it found); never waits.
bool MpvLoadFinished();

}  // namespace components
