// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

#include "app/mprisbridge.h"

namespace app {
// The bridge's metadata with the track id as an object path, as the interface types it.
QVariantMap ToBusMetadata(const QVariantMap& metadata);
}  // namespace app

// org.mpris.MediaPlayer2: the application itself.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
  Q_PROPERTY(bool CanQuit READ canQuit)
  Q_PROPERTY(bool CanRaise READ canRaise)
  Q_PROPERTY(bool HasTrackList READ hasTrackList)
  Q_PROPERTY(QString Identity READ identity)
  Q_PROPERTY(QString DesktopEntry READ desktopEntry)
  Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
  Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)

 public:
  MprisRootAdaptor(QObject* object, MprisBridge& bridge);

  bool canQuit() const { return true; }
  bool canRaise() const { return true; }
  bool hasTrackList() const { return false; }
  QString identity() const { return QStringLiteral("Tunewharf"); }
  QString desktopEntry() const { return QStringLiteral("tunewharf"); }
  // Nothing is opened from outside: a song enters through a list.
  QStringList supportedUriSchemes() const { return {}; }
  QStringList supportedMimeTypes() const { return {}; }

 public slots:
  void Raise() { bridge_.Raise(); }
  void Quit() { bridge_.Quit(); }

 private:
  MprisBridge& bridge_;
};

// org.mpris.MediaPlayer2.Player: transport, position, volume, play mode and the track.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
  Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
  Q_PROPERTY(QString LoopStatus READ loopStatus WRITE setLoopStatus)
  Q_PROPERTY(double Rate READ rate WRITE setRate)
  Q_PROPERTY(bool Shuffle READ shuffle WRITE setShuffle)
  Q_PROPERTY(QVariantMap Metadata READ metadata)
  Q_PROPERTY(double Volume READ volume WRITE setVolume)
  Q_PROPERTY(qlonglong Position READ position)
  Q_PROPERTY(double MinimumRate READ rate)
  Q_PROPERTY(double MaximumRate READ rate)
  Q_PROPERTY(bool CanGoNext READ canGoNext)
  Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
  Q_PROPERTY(bool CanPlay READ canPlay)
  Q_PROPERTY(bool CanPause READ canPause)
  Q_PROPERTY(bool CanSeek READ canSeek)
  Q_PROPERTY(bool CanControl READ canControl)

 public:
  MprisPlayerAdaptor(QObject* object, MprisBridge& bridge);

  QString playbackStatus() const { return bridge_.playbackStatus(); }
  QString loopStatus() const { return bridge_.loopStatus(); }
  void setLoopStatus(const QString& status) { bridge_.SetLoopStatus(status); }
  double rate() const { return 1.0; }
  // One speed only; a rate of 0 means pause.
  void setRate(double rate) {
    if (rate == 0) bridge_.Pause();
  }
  bool shuffle() const { return bridge_.shuffle(); }
  void setShuffle(bool on) { bridge_.SetShuffle(on); }
  QVariantMap metadata() const { return app::ToBusMetadata(bridge_.metadata()); }
  double volume() const { return bridge_.volume(); }
  void setVolume(double volume) { bridge_.SetVolume(volume); }
  qlonglong position() const { return bridge_.positionUs(); }
  bool canGoNext() const { return bridge_.canGoNext(); }
  bool canGoPrevious() const { return bridge_.canGoPrevious(); }
  bool canPlay() const { return bridge_.canPlay(); }
  bool canPause() const { return bridge_.canPause(); }
  bool canSeek() const { return bridge_.canSeek(); }
  bool canControl() const { return true; }

 public slots:
  void Next() { bridge_.Next(); }
  void Previous() { bridge_.Previous(); }
  void Pause() { bridge_.Pause(); }
  void PlayPause() { bridge_.PlayPause(); }
  void Stop() { bridge_.Stop(); }
  void Play() { bridge_.Play(); }
  void Seek(qlonglong Offset) { bridge_.Seek(Offset); }
  void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    bridge_.SetPosition(TrackId.path(), Position);
  }
  void OpenUri(const QString&) {}  // no schemes are offered, so nothing is opened

 signals:
  void Seeked(qlonglong Position);

 private:
  MprisBridge& bridge_;
};
