// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

#include "components/mediaplayer.h"

// The rules MpvPlayer applies without needing mpv itself: which addresses may be played, how
// tag bytes are decoded, and how the facts mpv reported become the program's numeric state.
namespace components {

// What to hand mpv for an address, or nullopt when it must not be played. Web addresses
// (http, https, mms, mmsh, rtsp, rtmp with a host) pass percent-encoded from any origin. A local
// path or a file: URL passes only from the user and only when it names a regular file (or a
// link to one), as an absolute path, so mpv can never read part of it as one of its protocols;
// a device, a FIFO or a folder would hang or flood the player.
// "lavfi://x", "av://...", "edl://...", "file://host/x" and "" are refused.
std::optional<QString> PlayableTarget(const QString& address, UrlOrigin origin);

// True for the web schemes, which get the network-only checks (truncated end, no duration).
bool IsNetworkAddress(const QString& address);

// Tag text as mpv hands it over: GBK bytes arrive either as invalid UTF-8 or as Latin-1
// characters that were really GBK bytes; both are turned back into the real text.
QString DecodeTagBytes(const QByteArray& bytes);

// "Artist - Title" from a stream title; artist empty when there is no " - ".
struct StreamTitle {
  QString artist;
  QString title;
};
StreamTitle SplitStreamTitle(const QString& icyTitle);

// Everything the state depends on, as gathered from mpv's events and properties.
struct MpvFacts {
  bool userStopped = false;  // our own Stop() ran since the last load
  bool refused = false;      // the address was refused before reaching mpv
  bool loading = false;      // loadfile issued, file-loaded not seen yet
  bool ended = false;        // end-file seen, latched until the next start-file
  bool idle = false;         // idle-active
  bool failed = false;       // the end was an error, or a network song cut short
  bool paused = false;
  bool pausedForCache = false;
  bool seeking = false;
  bool restarted = false;  // playback-restart seen since file-loaded
  bool loaded = false;     // something was ever loaded
};
PlayState MapState(const MpvFacts& facts);

// A network song that reports a normal end well before its length was cut off by the server.
// The margin stays above the half second the audio output keeps buffered.
bool IsTruncatedEnd(double lastPosition, double duration);

}  // namespace components
