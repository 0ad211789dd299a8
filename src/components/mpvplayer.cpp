// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/mpvplayer.h"

#include <mpv/client.h>

#include <QByteArray>
#include <QLoggingCategory>
#include <QMetaObject>
#include <clocale>

Q_LOGGING_CATEGORY(lcMpv, "tw.components", QtWarningMsg)

namespace {

enum Observed : uint64_t {
  kPause = 1,
  kPausedForCache,
  kCacheBuffering,
  kIdle,
  kSeeking,
  kDuration,
  kMetadata,
  kTimePos,
};

void SetOption(mpv_handle* mpv, const char* name, const QByteArray& value) {
  if (mpv_set_option_string(mpv, name, value.constData()) < 0)
    qCWarning(lcMpv) << "mpv refused option" << name << value;
}

void WakeUp(void* context) {
  // Called on an mpv thread: only post; DrainEvents runs on the player's own thread.
  static_cast<MpvPlayer*>(context)->PostDrain();
}

}  // namespace

MpvPlayer::MpvPlayer(QObject* parent) : MpvPlayer(Options(), parent) {}

MpvPlayer::MpvPlayer(const Options& options, QObject* parent)
    : MediaPlayer(parent), options_(options) {}

MpvPlayer::~MpvPlayer() {
  if (!mpv_) return;
  mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
  mpv_terminate_destroy(mpv_);
}

bool MpvPlayer::EnsureMpv() {
  if (mpv_) return true;
  if (createFailed_) return false;
  // mpv refuses to start under a numeric locale with a decimal comma, which QApplication
  // may have set from the environment.
  std::setlocale(LC_NUMERIC, "C");
  mpv_ = mpv_create();
  if (!mpv_) {
    createFailed_ = true;
    qCWarning(lcMpv) << "mpv_create failed";
    return false;
  }
  SetOption(mpv_, "config", "no");
  SetOption(mpv_, "load-scripts", "no");
  SetOption(mpv_, "ytdl", "no");
  SetOption(mpv_, "input-default-bindings", "no");
  SetOption(mpv_, "input-vo-keyboard", "no");
  SetOption(mpv_, "osc", "no");
  SetOption(mpv_, "idle", "yes");
  SetOption(mpv_, "keep-open", "no");
  SetOption(mpv_, "terminal", "no");
  // Entries of a web playlist may only lead to other network addresses.
  SetOption(mpv_, "load-unsafe-playlists", "no");
  SetOption(mpv_, "network-timeout", QByteArray::number(options_.networkTimeoutSeconds));
  if (!options_.audioOutput.isEmpty()) SetOption(mpv_, "ao", options_.audioOutput.toUtf8());
  // With no sound device a song still plays through in time, so lists and lyrics go on.
  SetOption(mpv_, "audio-fallback-to-null", "yes");
  if (videoWindow_) {
    SetOption(mpv_, "wid", QByteArray::number(static_cast<qulonglong>(videoWindow_)));
    SetOption(mpv_, "force-window", "no");
  } else {
    SetOption(mpv_, "vo", "null");
    SetOption(mpv_, "vid", "no");
  }
  SetOption(mpv_, "volume", QByteArray::number(volume_));
  SetOption(mpv_, "mute", mute_ ? "yes" : "no");
  if (mpv_initialize(mpv_) < 0) {
    qCWarning(lcMpv) << "mpv_initialize failed";
    mpv_terminate_destroy(mpv_);
    mpv_ = nullptr;
    createFailed_ = true;
    return false;
  }
  mpv_observe_property(mpv_, kPause, "pause", MPV_FORMAT_FLAG);
  mpv_observe_property(mpv_, kPausedForCache, "paused-for-cache", MPV_FORMAT_FLAG);
  mpv_observe_property(mpv_, kCacheBuffering, "cache-buffering-state", MPV_FORMAT_INT64);
  mpv_observe_property(mpv_, kIdle, "idle-active", MPV_FORMAT_FLAG);
  mpv_observe_property(mpv_, kSeeking, "seeking", MPV_FORMAT_FLAG);
  mpv_observe_property(mpv_, kDuration, "duration", MPV_FORMAT_DOUBLE);
  mpv_observe_property(mpv_, kMetadata, "metadata", MPV_FORMAT_NONE);
  // Whole seconds only: enough to tell a cut-off song from its end, at one wake-up a second.
  mpv_observe_property(mpv_, kTimePos, "time-pos", MPV_FORMAT_INT64);
  mpv_set_wakeup_callback(mpv_, &WakeUp, this);
  return true;
}

void MpvPlayer::SetUrl(const QString& url) {
  url_ = url;
  needsLoad_ = true;
  duration_ = 0;
  lastPosition_ = 0;
  bufferingProgress_ = 0;
  artist_.clear();
  title_.clear();
}

void MpvPlayer::Play() {
  const bool running =
      !needsLoad_ && facts_.loaded && !facts_.userStopped && !facts_.ended && !facts_.refused;
  if (running) {
    if (facts_.paused && mpv_) {
      int no = 0;
      mpv_set_property(mpv_, "pause", MPV_FORMAT_FLAG, &no);
    }
    return;
  }
  Load();
}

void MpvPlayer::Load() {
  needsLoad_ = false;
  facts_ = components::MpvFacts();
  facts_.loaded = true;
  entryId_ = -1;
  followEntry_ = false;
  startSeen_ = false;
  duration_ = 0;
  lastPosition_ = 0;
  bufferingProgress_ = 0;
  artist_.clear();
  title_.clear();
  const auto target = components::PlayableTarget(url_);
  network_ = components::IsNetworkAddress(url_);
  if (!target || !EnsureMpv()) {
    facts_.refused = true;
    UpdateState();
    return;
  }
  const QByteArray path = target->toUtf8();
  const char* cmd[] = {"loadfile", path.constData(), "replace", nullptr};
  if (mpv_command(mpv_, cmd) < 0) {
    facts_.refused = true;
    UpdateState();
    return;
  }
  // The replaced playlist holds only our entry; its id tells our events from the old song's.
  int64_t id = -1;
  if (mpv_get_property(mpv_, "playlist/0/id", MPV_FORMAT_INT64, &id) >= 0) entryId_ = id;
  int no = 0;
  mpv_set_property(mpv_, "pause", MPV_FORMAT_FLAG, &no);
  facts_.loading = true;
  UpdateState();
}

void MpvPlayer::Stop() {
  if (mpv_) {
    const char* cmd[] = {"stop", nullptr};
    mpv_command_async(mpv_, 0, cmd);
  }
  // mpv stops asynchronously; the song counts as stopped now, whatever it reports later.
  facts_.userStopped = true;
  needsLoad_ = true;
  UpdateState();
}

void MpvPlayer::Pause() {
  if (!mpv_ || state_ == PlayState::Stopped || state_ == PlayState::Ready) return;
  int yes = 1;
  mpv_set_property(mpv_, "pause", MPV_FORMAT_FLAG, &yes);
}

double MpvPlayer::ReadDouble(const char* name, double fallback) const {
  double value = 0;
  if (!mpv_ || mpv_get_property(mpv_, name, MPV_FORMAT_DOUBLE, &value) < 0) return fallback;
  return value;
}

double MpvPlayer::currentPosition() const {
  if (!facts_.loaded || facts_.ended || facts_.userStopped || facts_.refused) return 0;
  const double pos = ReadDouble("time-pos", -1);
  if (pos < 0) return lastPosition_;
  lastPosition_ = pos;
  return pos;
}

void MpvPlayer::SetCurrentPosition(double seconds) {
  if (!mpv_ || !facts_.loaded || facts_.ended || facts_.userStopped) return;
  const QByteArray to = QByteArray::number(qMax(0.0, seconds), 'f', 3);
  const char* cmd[] = {"seek", to.constData(), "absolute", nullptr};
  mpv_command_async(mpv_, 0, cmd);
}

double MpvPlayer::duration() const {
  return duration_;
}

QString MpvPlayer::GetItemInfo(const QString& attribute) const {
  if (attribute.compare(QLatin1String("Author"), Qt::CaseInsensitive) == 0) return artist_;
  if (attribute.compare(QLatin1String("Title"), Qt::CaseInsensitive) == 0) return title_;
  return QString();
}

int MpvPlayer::downloadProgress() const {
  if (!facts_.loaded || facts_.refused) return 0;
  if (!network_) return 100;
  if (duration_ <= 0) return 0;
  if (facts_.ended && !facts_.failed) return 100;
  // How far the downloaded part reaches: the play position plus what is cached ahead.
  const double ahead = ReadDouble("demuxer-cache-duration", 0);
  const double reached = currentPosition() + ahead;
  return qBound(0, static_cast<int>(reached * 100 / duration_), 100);
}

void MpvPlayer::SetVolume(int volume) {
  volume_ = qBound(0, volume, 100);
  if (!mpv_) return;
  double v = volume_;
  mpv_set_property_async(mpv_, 0, "volume", MPV_FORMAT_DOUBLE, &v);
}

void MpvPlayer::SetMute(bool mute) {
  mute_ = mute;
  if (!mpv_) return;
  int flag = mute ? 1 : 0;
  mpv_set_property_async(mpv_, 0, "mute", MPV_FORMAT_FLAG, &flag);
}

void MpvPlayer::SetFullScreen(bool fullScreen) {
  if (!mpv_) return;
  int flag = fullScreen ? 1 : 0;
  mpv_set_property_async(mpv_, 0, "fullscreen", MPV_FORMAT_FLAG, &flag);
}

void MpvPlayer::PostDrain() {
  // One queued drain at a time is enough: it empties the whole queue.
  if (drainQueued_.exchange(true)) return;
  QMetaObject::invokeMethod(this, &MpvPlayer::DrainEvents, Qt::QueuedConnection);
}

void MpvPlayer::DrainEvents() {
  drainQueued_ = false;
  if (!mpv_) return;
  for (;;) {
    mpv_event* event = mpv_wait_event(mpv_, 0);
    if (!event || event->event_id == MPV_EVENT_NONE) break;
    HandleEvent(*event);
  }
  UpdateState();
}

void MpvPlayer::HandleEvent(const mpv_event& event) {
  qCDebug(lcMpv) << "event" << mpv_event_name(event.event_id) << event.reply_userdata;
  switch (event.event_id) {
    case MPV_EVENT_START_FILE: {
      const auto* start = static_cast<const mpv_event_start_file*>(event.data);
      if (followEntry_ || (entryId_ < 0 && facts_.loading)) {
        entryId_ = start->playlist_entry_id;
        followEntry_ = false;
      }
      if (start->playlist_entry_id != entryId_) return;
      startSeen_ = true;
      facts_.ended = false;
      facts_.failed = false;
      facts_.loading = true;
      facts_.restarted = false;
      return;
    }
    case MPV_EVENT_FILE_LOADED:
      // Only after our own start-file: an older song's event may still be queued.
      if (!startSeen_ || !facts_.loading || facts_.userStopped) return;
      facts_.loading = false;
      facts_.restarted = false;
      duration_ = qMax(0.0, ReadDouble("duration", 0));
      ReadTags();
      return;
    case MPV_EVENT_PLAYBACK_RESTART:
      facts_.restarted = true;
      facts_.seeking = false;
      return;
    case MPV_EVENT_END_FILE: {
      const auto* end = static_cast<const mpv_event_end_file*>(event.data);
      if (end->playlist_entry_id != entryId_ || entryId_ < 0) return;
      if (end->reason == MPV_END_FILE_REASON_REDIRECT) {
        // A web playlist: its first playable entry starts next.
        followEntry_ = true;
        return;
      }
      facts_.ended = true;
      facts_.loading = false;
      facts_.failed = end->reason == MPV_END_FILE_REASON_ERROR ||
                      (end->reason == MPV_END_FILE_REASON_EOF && network_ &&
                       components::IsTruncatedEnd(lastPosition_, duration_));
      return;
    }
    case MPV_EVENT_PROPERTY_CHANGE: {
      const auto* prop = static_cast<const mpv_event_property*>(event.data);
      const bool has = prop->format != MPV_FORMAT_NONE && prop->data;
      switch (event.reply_userdata) {
        case kPause:
          facts_.paused = has && *static_cast<int*>(prop->data);
          break;
        case kPausedForCache:
          facts_.pausedForCache = has && *static_cast<int*>(prop->data);
          break;
        case kCacheBuffering:
          bufferingProgress_ = has ? qBound<int>(0, *static_cast<int64_t*>(prop->data), 100) : 0;
          break;
        case kIdle:
          facts_.idle = has && *static_cast<int*>(prop->data);
          break;
        case kSeeking:
          facts_.seeking = has && *static_cast<int*>(prop->data);
          break;
        case kDuration:
          if (has && !facts_.loading && !facts_.ended) {
            const double d = *static_cast<double*>(prop->data);
            if (d > 0) duration_ = d;
          }
          break;
        case kMetadata:
          if (!facts_.loading && !facts_.ended) ReadTags();
          break;
        case kTimePos:
          if (has && !facts_.ended && !facts_.loading)
            lastPosition_ = qMax(lastPosition_, double(*static_cast<int64_t*>(prop->data)));
          break;
      }
      return;
    }
    default:
      return;
  }
}

void MpvPlayer::ReadTags() {
  mpv_node node;
  if (mpv_get_property(mpv_, "metadata", MPV_FORMAT_NODE, &node) < 0) return;
  QString artist, title, icy;
  if (node.format == MPV_FORMAT_NODE_MAP) {
    const mpv_node_list* list = node.u.list;
    for (int i = 0; i < list->num; ++i) {
      if (list->values[i].format != MPV_FORMAT_STRING) continue;
      const QByteArray key = QByteArray(list->keys[i]).toLower();
      const QString value = components::DecodeTagBytes(list->values[i].u.string).trimmed();
      if (key == "artist" && artist.isEmpty()) artist = value;
      if (key == "title" && title.isEmpty()) title = value;
      if (key == "icy-title") icy = value;
    }
  }
  mpv_free_node_contents(&node);
  if (!icy.isEmpty()) {
    const auto split = components::SplitStreamTitle(icy);
    artist = split.artist;
    title = split.title;
  }
  artist_ = artist;
  title_ = title;
}

void MpvPlayer::UpdateState() {
  // A web playlist whose entries were all refused may leave mpv idle without a further event
  // we could tell apart, so look at the idle flag itself while waiting for an entry.
  if (followEntry_ && mpv_) {
    int idle = 0;
    if (mpv_get_property(mpv_, "idle-active", MPV_FORMAT_FLAG, &idle) >= 0 && idle) {
      followEntry_ = false;
      facts_.ended = true;
      facts_.failed = true;
      facts_.loading = false;
    }
  }
  const PlayState state = components::MapState(facts_);
  if (state == state_) return;
  state_ = state;
  emit PlayStateChanged(static_cast<int>(state));
}
