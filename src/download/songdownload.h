// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>

class Downloader;
class Prompter;

namespace download {
// The extension proposed for a download, from the address's last characters:
// "x/song.MP3" -> ".mp3", "a.ogg" -> ".ogg", "get?id=1234" -> "1234".
QString ExtensionFor(const QString& address);
// The name the save dialog proposes inside folder: the title made safe plus that extension.
QString ProposedPath(const QString& folder, const QString& title, const QString& address);
}  // namespace download

// Saving what plays (the main window's download button, a row's "下载", the music-video
// window's "下载"): asks where, confirms an overwrite and hands the address to the downloader.
// While that download runs its progress is announced for the main window's progress line.
class SongDownload : public QObject {
  Q_OBJECT

 public:
  SongDownload(Downloader& downloader, Prompter& prompter, const QString& folder,
               QObject* parent = nullptr);

  // radio: the playing row is an online station. Returns true when a download started.
  bool Run(bool radio, bool playing, const QString& title, const QString& address);

  bool active() const { return active_; }
  const QString& path() const { return path_; }

 signals:
  void WindowWanted();  // show the download window
  void Progress(qint64 bytesRead, qint64 bytesMax);
  void Ended();  // the main window's progress line returns to normal

 private:
  void OnProgress(qint64 bytesRead, qint64 bytesMax, const QString& savePath);
  void OnComplete(qint64 bytesMax, const QString& savePath, bool success);

  Downloader& downloader_;
  Prompter& prompter_;
  QString folder_;
  bool active_ = false;  // songDownloadActive
  QString path_;         // songDownloadPath
};
