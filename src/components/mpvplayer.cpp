// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "components/mpvplayer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>
#include <clocale>

#include "components/mpvlibrary.h"

Q_LOGGING_CATEGORY(lcMpv, "tw.components", QtWarningMsg)

namespace {
// Only called once EnsureMpv has loaded the library.
const components::MpvApi& Mpv() {
  return *components::LoadMpv();
}

enum Observed : uint64_t {
  kPause = 1,
  kPausedForCache,
  kCacheBuffering,
  kIdle,
  kSeeking,
  kDuration,
  kMetadata,
  kTimePos,
  kCacheAhead,
};

// Replies to our asynchronous requests carry the load generation above these low bits.
enum Reply : uint64_t {
  kIgnored = 0,  // fire and forget: stop, seek, volume
  kLoadReply = 1,
  kDurationReply,
  kTagsReply,
};
constexpr int kReplyBits = 4;

uint64_t Tag(quint64 generation, Reply kind) {
  return (generation << kReplyBits) | kind;
}

void SetOption(mpv_handle* mpv, const char* name, const QByteArray& value) {
  if (Mpv().set_option_string(mpv, name, value.constData()) < 0)
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
  Mpv().set_wakeup_callback(mpv_, nullptr, nullptr);
  Mpv().terminate_destroy(mpv_);
}

bool MpvPlayer::EnsureMpv() {
  if (mpv_) return true;
  if (createFailed_) return false;
  // mpv refuses to start under a numeric locale with a decimal comma, which QApplication
  // may have set from the environment.
  std::setlocale(LC_NUMERIC, "C");
  if (!components::LoadMpv()) {
    createFailed_ = true;
    qCWarning(lcMpv) << "libmpv could not be loaded";
    return false;
  }
  mpv_ = Mpv().create();
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
  // mpv's built-in scripts each run a Lua state on a thread of their own and wake on every
  // property change; none of them serves an embedded player.
  SetOption(mpv_, "load-stats-overlay", "no");
  SetOption(mpv_, "load-osd-console", "no");
  SetOption(mpv_, "load-auto-profiles", "no");
  SetOption(mpv_, "idle", "yes");
  SetOption(mpv_, "keep-open", "no");
  SetOption(mpv_, "terminal", "no");
  // Entries of a web playlist may only lead to other network addresses.
  SetOption(mpv_, "load-unsafe-playlists", "no");
  SetOption(mpv_, "network-timeout", QByteArray::number(options_.networkTimeoutSeconds));
  if (!options_.audioOutput.isEmpty()) SetOption(mpv_, "ao", options_.audioOutput.toUtf8());
  // Half a second queued in the sound server instead of mpv's 0.1: the audio thread and the
  // server wake a fifth as often (about 1 % of a core less while playing). Pause and seek
  // still act at once (cork, flush); only a volume change takes that long to be heard.
  SetOption(mpv_, "pulse-buffer", "500");
  // With no sound device a song still plays through in time, so lists and lyrics go on.
  SetOption(mpv_, "audio-fallback-to-null", "yes");
  // A song's cover picture is not shown, so an audio file never starts the video output chain.
  SetOption(mpv_, "audio-display", "no");
  // mpv reads up to 150 MiB ahead and keeps 50 MiB behind by default; a song needs far less.
  SetOption(mpv_, "demuxer-max-bytes", "16MiB");
  SetOption(mpv_, "demuxer-max-back-bytes", "2MiB");
  if (!videoWindow_ && videoSource_) videoWindow_ = videoSource_();
  if (videoWindow_) {
    SetOption(mpv_, "wid", QByteArray::number(static_cast<qulonglong>(videoWindow_)));
    SetOption(mpv_, "force-window", "no");
    // The plain X11 output draws into our window everywhere. Without a usable GPU (software
    // GL, a virtual display) mpv's default probing ended in SDL, which opens a window of its
    // own, and a second video then lost the X connection; the GPU output is not worth that.
    SetOption(mpv_, "vo", "x11");
    // Clicks on the video belong to our window (double-click, right-click menu).
    SetOption(mpv_, "input-cursor", "no");
  } else {
    SetOption(mpv_, "vo", "null");
    SetOption(mpv_, "vid", "no");
  }
  SetOption(mpv_, "volume", QByteArray::number(volume_));
  SetOption(mpv_, "mute", mute_ ? "yes" : "no");
  if (Mpv().initialize(mpv_) < 0) {
    qCWarning(lcMpv) << "mpv_initialize failed";
    Mpv().terminate_destroy(mpv_);
    mpv_ = nullptr;
    createFailed_ = true;
    return false;
  }
  Mpv().observe_property(mpv_, kPause, "pause", MPV_FORMAT_FLAG);
  Mpv().observe_property(mpv_, kPausedForCache, "paused-for-cache", MPV_FORMAT_FLAG);
  Mpv().observe_property(mpv_, kCacheBuffering, "cache-buffering-state", MPV_FORMAT_INT64);
  Mpv().observe_property(mpv_, kIdle, "idle-active", MPV_FORMAT_FLAG);
  Mpv().observe_property(mpv_, kSeeking, "seeking", MPV_FORMAT_FLAG);
  Mpv().observe_property(mpv_, kDuration, "duration", MPV_FORMAT_DOUBLE);
  Mpv().observe_property(mpv_, kMetadata, "metadata", MPV_FORMAT_NODE);
  // Observed rather than read on demand: a read waits for the core. About ten wake-ups a second.
  Mpv().observe_property(mpv_, kTimePos, "time-pos", MPV_FORMAT_DOUBLE);
  Mpv().observe_property(mpv_, kCacheAhead, "demuxer-cache-duration", MPV_FORMAT_DOUBLE);
  Mpv().set_wakeup_callback(mpv_, &WakeUp, this);
  return true;
}

void MpvPlayer::SetUrl(const QString& url, UrlOrigin origin) {
  url_ = url;
  origin_ = origin;
  needsLoad_ = true;
  ForgetSong();
}

void MpvPlayer::ForgetSong() {
  duration_ = 0;
  position_ = 0;
  lastPosition_ = 0;
  cacheAhead_ = 0;
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
      Mpv().set_property_async(mpv_, kIgnored, "pause", MPV_FORMAT_FLAG, &no);
    }
    return;
  }
  Load();
}

void MpvPlayer::Load() {
  needsLoad_ = false;
  ++generation_;
  facts_ = components::MpvFacts();
  facts_.loaded = true;
  entryId_ = -1;
  infoPending_ = 0;
  followEntry_ = false;
  startSeen_ = false;
  ForgetSong();
  const auto target = components::PlayableTarget(url_, origin_);
  network_ = components::IsNetworkAddress(url_);
  if (target && !mpv_ && !createFailed_ && !components::MpvLoadFinished()) {
    // Mapping libmpv and the libraries behind it took 0.1 to 0.4 s of the GUI thread on the
    // first song; a worker does it and the song loads when it is done.
    facts_.loading = true;
    LoadLibraryThenPlay();
    UpdateState();
    return;
  }
  if (!target || !EnsureMpv()) {
    facts_.refused = true;
    UpdateState();
    return;
  }
  // mpv runs requests in the order they were queued, so a stop queued just before this load
  // runs first; a blocking loadfile was seen to overtake it and then be cleared by it.
  int no = 0;
  Mpv().set_property_async(mpv_, kIgnored, "pause", MPV_FORMAT_FLAG, &no);
  const QByteArray path = target->toUtf8();
  const char* cmd[] = {"loadfile", path.constData(), "replace", nullptr};
  if (Mpv().command_async(mpv_, Tag(generation_, kLoadReply), cmd) < 0) {
    facts_.refused = true;
    UpdateState();
    return;
  }
  facts_.loading = true;
  UpdateState();
}

void MpvPlayer::LoadLibraryThenPlay() {
  waitingForLibrary_ = generation_;
  if (libraryRequested_) return;
  libraryRequested_ = true;
  QPointer<MpvPlayer> self(this);
  QThreadPool::globalInstance()->start([self] {
    components::LoadMpv();
    QMetaObject::invokeMethod(QCoreApplication::instance(), [self] {
      // Only the song still wanted loads: a stop or another song since has moved on.
      if (self && self->waitingForLibrary_ == self->generation_ && !self->facts_.userStopped &&
          !self->needsLoad_)
        self->Load();
    });
  });
}

void MpvPlayer::Stop() {
  if (mpv_) {
    const char* cmd[] = {"stop", nullptr};
    Mpv().command_async(mpv_, kIgnored, cmd);
  }
  // mpv stops asynchronously; the song counts as stopped now, whatever it reports later.
  facts_.userStopped = true;
  needsLoad_ = true;
  UpdateState();
}

void MpvPlayer::Pause() {
  if (!mpv_ || state_ == PlayState::Stopped || state_ == PlayState::Ready) return;
  int yes = 1;
  Mpv().set_property_async(mpv_, kIgnored, "pause", MPV_FORMAT_FLAG, &yes);
}

double MpvPlayer::currentPosition() const {
  if (!facts_.loaded || facts_.ended || facts_.userStopped || facts_.refused) return 0;
  return position_;
}

void MpvPlayer::SetCurrentPosition(double seconds) {
  if (!mpv_ || !facts_.loaded || facts_.ended || facts_.userStopped) return;
  const QByteArray to = QByteArray::number(qMax(0.0, seconds), 'f', 3);
  const char* cmd[] = {"seek", to.constData(), "absolute", nullptr};
  Mpv().command_async(mpv_, kIgnored, cmd);
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
  const double reached = currentPosition() + cacheAhead_;
  return qBound(0, static_cast<int>(reached * 100 / duration_), 100);
}

void MpvPlayer::SetVolume(int volume) {
  volume_ = qBound(0, volume, 100);
  if (!mpv_) return;
  double v = volume_;
  Mpv().set_property_async(mpv_, kIgnored, "volume", MPV_FORMAT_DOUBLE, &v);
}

void MpvPlayer::SetMute(bool mute) {
  mute_ = mute;
  if (!mpv_) return;
  int flag = mute ? 1 : 0;
  Mpv().set_property_async(mpv_, kIgnored, "mute", MPV_FORMAT_FLAG, &flag);
}

void MpvPlayer::SetFullScreen(bool fullScreen) {
  if (!mpv_) return;
  int flag = fullScreen ? 1 : 0;
  Mpv().set_property_async(mpv_, kIgnored, "fullscreen", MPV_FORMAT_FLAG, &flag);
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
    mpv_event* event = Mpv().wait_event(mpv_, 0);
    if (!event || event->event_id == MPV_EVENT_NONE) break;
    HandleEvent(*event);
  }
  UpdateState();
}

void MpvPlayer::HandleEvent(const mpv_event& event) {
  qCDebug(lcMpv) << "event" << Mpv().event_name(event.event_id) << event.reply_userdata;
  switch (event.event_id) {
    case MPV_EVENT_COMMAND_REPLY:
    case MPV_EVENT_GET_PROPERTY_REPLY:
      HandleReply(event);
      return;
    case MPV_EVENT_START_FILE: {
      const auto* start = static_cast<const mpv_event_start_file*>(event.data);
      if (followEntry_ && !facts_.userStopped) {
        entryId_ = start->playlist_entry_id;
        followEntry_ = false;
      }
      if (entryId_ < 0 || start->playlist_entry_id != entryId_) return;
      startSeen_ = true;
      infoPending_ = 0;
      facts_.ended = false;
      facts_.failed = false;
      facts_.loading = true;
      facts_.restarted = false;
      return;
    }
    case MPV_EVENT_FILE_LOADED: {
      // Only after our own start-file: an older song's event may still be queued.
      if (!startSeen_ || !facts_.loading || facts_.userStopped || infoPending_ > 0) return;
      facts_.restarted = false;
      // Asked for rather than taken from the observed properties: a song as long as the one
      // before would not change them. The song counts as loading until both answers are in,
      // so its length and tags are known when it first reports playing.
      infoPending_ = 2;
      Mpv().get_property_async(mpv_, Tag(generation_, kDurationReply), "duration",
                               MPV_FORMAT_DOUBLE);
      Mpv().get_property_async(mpv_, Tag(generation_, kTagsReply), "metadata", MPV_FORMAT_NODE);
      return;
    }
    case MPV_EVENT_PLAYBACK_RESTART:
      if (!startSeen_) return;
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
      infoPending_ = 0;
      facts_.failed = end->reason == MPV_END_FILE_REASON_ERROR ||
                      (end->reason == MPV_END_FILE_REASON_EOF && network_ &&
                       components::IsTruncatedEnd(lastPosition_, duration_));
      return;
    }
    case MPV_EVENT_IDLE:
      // A web playlist whose entries were all refused leaves mpv idle with no end-file for
      // any entry we could follow.
      if (followEntry_ && !facts_.userStopped) {
        followEntry_ = false;
        facts_.ended = true;
        facts_.failed = true;
        facts_.loading = false;
      }
      return;
    case MPV_EVENT_PROPERTY_CHANGE: {
      const auto* prop = static_cast<const mpv_event_property*>(event.data);
      const bool has = prop->format != MPV_FORMAT_NONE && prop->data;
      // Length, tags and position belong to our song only once it has loaded.
      const bool ours = startSeen_ && !facts_.loading && !facts_.ended;
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
          if (has && ours) {
            const double d = *static_cast<double*>(prop->data);
            if (d > 0) duration_ = d;
          }
          break;
        case kMetadata:
          if (has && ours) ReadTags(*static_cast<mpv_node*>(prop->data));
          break;
        case kTimePos:
          if (has && ours) {
            position_ = qMax(0.0, *static_cast<double*>(prop->data));
            lastPosition_ = qMax(lastPosition_, position_);
          }
          break;
        case kCacheAhead:
          cacheAhead_ = has && ours ? qMax(0.0, *static_cast<double*>(prop->data)) : 0;
          break;
      }
      return;
    }
    default:
      return;
  }
}

void MpvPlayer::HandleReply(const mpv_event& event) {
  const uint64_t kind = event.reply_userdata & ((1u << kReplyBits) - 1);
  // Answers to an older load, and to stop, seek and volume, change nothing.
  if (kind == kIgnored || (event.reply_userdata >> kReplyBits) != generation_) return;
  if (facts_.userStopped || facts_.ended) return;
  if (kind == kLoadReply) {
    const auto* reply = static_cast<const mpv_event_command*>(event.data);
    if (event.error < 0) {
      facts_.ended = true;
      facts_.failed = true;
      facts_.loading = false;
      return;
    }
    // The new entry's id tells its start-file and end-file from those of the song before.
    const mpv_node& result = reply->result;
    if (result.format == MPV_FORMAT_NODE_MAP) {
      for (int i = 0; i < result.u.list->num; ++i) {
        const mpv_node& value = result.u.list->values[i];
        if (qstrcmp(result.u.list->keys[i], "playlist_entry_id") == 0 &&
            value.format == MPV_FORMAT_INT64)
          entryId_ = value.u.int64;
      }
    }
    // Without an id (an mpv before 0.33), follow whichever entry starts next.
    if (entryId_ < 0) followEntry_ = true;
    return;
  }
  if (infoPending_ <= 0) return;
  const auto* prop = static_cast<const mpv_event_property*>(event.data);
  const bool has = event.error >= 0 && prop->format != MPV_FORMAT_NONE && prop->data;
  if (kind == kDurationReply && has) duration_ = qMax(0.0, *static_cast<double*>(prop->data));
  if (kind == kTagsReply && has) ReadTags(*static_cast<mpv_node*>(prop->data));
  if (--infoPending_ == 0) facts_.loading = false;
}

void MpvPlayer::ReadTags(const mpv_node& node) {
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
  if (!icy.isEmpty()) {
    const auto split = components::SplitStreamTitle(icy);
    artist = split.artist;
    title = split.title;
  }
  artist_ = artist;
  title_ = title;
}

void MpvPlayer::UpdateState() {
  const PlayState state = components::MapState(facts_);
  if (state == state_) return;
  state_ = state;
  emit PlayStateChanged(static_cast<int>(state));
}
