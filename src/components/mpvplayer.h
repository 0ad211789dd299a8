// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QString>
#include <atomic>
#include <functional>

#include "components/mediaplayer.h"
#include "components/mpvsupport.h"

struct mpv_handle;
struct mpv_event;
struct mpv_node;

// The media player on libmpv. mpv is created on first play so the first paint is not delayed.
// Every command and property read after that is asynchronous, so a busy mpv core (it drains
// the audio output for ~400 ms after each song) never holds up the GUI thread; events are
// drained on the GUI thread without waiting and turned into the numeric states by MapState.
class MpvPlayer : public MediaPlayer {
  Q_OBJECT

 public:
  struct Options {
    QString audioOutput;  // mpv "ao"; empty for mpv's own choice, "null" in tests
    // Seconds a silent server may keep a song connecting. Above the engine's own 15-second
    // rule, so its message wins when that rule is on, and far below mpv's 60 s otherwise.
    int networkTimeoutSeconds = 20;
  };

  explicit MpvPlayer(QObject* parent = nullptr);
  MpvPlayer(const Options& options, QObject* parent = nullptr);
  ~MpvPlayer() override;

  // A native window to draw video into; call before the first play. Without one, video is off.
  void SetVideoWindow(quintptr wid) { videoWindow_ = wid; }
  // The same, asked for only when mpv starts: a native window costs X round trips and its own
  // expose on every repaint, so a session that never plays makes none.
  void SetVideoWindowSource(std::function<quintptr()> source) { videoSource_ = std::move(source); }
  // False when mpv could not be created (the player then reports Ready for every song).
  bool available() const { return !createFailed_; }

  void SetUrl(const QString& url, UrlOrigin origin) override;
  QString url() const override { return url_; }
  PlayState playState() const override { return state_; }
  void Play() override;
  void Stop() override;
  void Pause() override;
  double currentPosition() const override;
  void SetCurrentPosition(double seconds) override;
  double duration() const override;
  QString GetItemInfo(const QString& attribute) const override;
  int bufferingProgress() const override { return bufferingProgress_; }
  int downloadProgress() const override;
  int volume() const override { return volume_; }
  void SetVolume(int volume) override;
  bool mute() const override { return mute_; }
  void SetMute(bool mute) override;
  void SetFullScreen(bool fullScreen) override;

  // Handles every event mpv has queued, then reports a state change. Runs on the GUI thread
  // when mpv wakes us; public so a test can drain by hand.
  void DrainEvents();
  // Thread-safe: asks the GUI thread to drain.
  void PostDrain();

 private:
  bool EnsureMpv();
  // Loads libmpv on a worker, then loads the song of this generation unless superseded.
  void LoadLibraryThenPlay();
  void Load();
  // Length, position, cache and tags of the song before: gone with a new address or load.
  void ForgetSong();
  void HandleEvent(const mpv_event& event);
  void HandleReply(const mpv_event& event);
  void ReadTags(const mpv_node& node);
  void UpdateState();

  Options options_;
  mpv_handle* mpv_ = nullptr;
  bool createFailed_ = false;
  std::atomic<bool> drainQueued_{false};
  quintptr videoWindow_ = 0;
  std::function<quintptr()> videoSource_;
  bool libraryRequested_ = false;
  quint64 waitingForLibrary_ = 0;  // the generation to load once libmpv is in

  QString url_;
  UrlOrigin origin_ = UrlOrigin::Web;
  bool network_ = false;
  bool needsLoad_ = true;
  // Each load gets a generation; replies carry it, so an answer to an older load is dropped.
  quint64 generation_ = 0;
  qint64 entryId_ = -1;       // playlist entry of the song we loaded; -1 until loadfile answers
  int infoPending_ = 0;       // length and tags asked for at file-loaded, not yet answered
  bool followEntry_ = false;  // a web playlist redirected: adopt the next entry that starts
  bool startSeen_ = false;    // our entry's start-file arrived
  components::MpvFacts facts_;
  PlayState state_ = PlayState::Undefined;
  double duration_ = 0;
  double position_ = 0;      // time-pos as mpv last reported it for our song
  double lastPosition_ = 0;  // the furthest position reached, to tell a cut-off from the end
  double cacheAhead_ = 0;    // demuxer-cache-duration
  int bufferingProgress_ = 0;
  QString artist_, title_;
  int volume_ = 40;
  bool mute_ = false;
};
