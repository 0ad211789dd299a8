// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class Downloader;
class PageFetcher;
class Prompter;

// The singer window's contents, as the window shows them.
struct SingerView {
  QString name;                                  // L1
  QString englishName, region, albums, singles;  // L3, L5, L7, L9
  QString linkName;                              // Label1: its caption and forum link
  QString intro;                                 // Text1
  QStringList songs;                             // List1
  QString status;                                // Label2
  QString picturePath;  // the cached picture Image1 shows; "" for the stand-by picture
  bool busy = false;    // the busy frame Frame3
};

// The singer profile behind the singer window: finds the singer's page on the music service
// (search page, then singer page), shows its picture, facts, introduction and hot songs, and
// hands those songs to the result grid. Fetches are asynchronous; a newer lookup supersedes
// one still under way.
class SingerProfile : public QObject {
  Q_OBJECT

 public:
  static inline const QString kHint = QStringLiteral("输入歌手名...");
  static inline const QString kWait = QStringLiteral("请稍候...");
  static inline const QString kFailed = QStringLiteral("获取失败");
  static inline const QString kScratch = QStringLiteral("temppic.html");

  // musicHost and picTmpDir are read at each lookup (services.ini and the folder may change).
  SingerProfile(PageFetcher& fetcher, Downloader& pictures, Prompter& prompter,
                std::function<QString()> musicHost, QString picTmpDir, QObject* parent = nullptr);

  // Where the name of the playing song's singer comes from: its list row, and the media's
  // "Author" attribute (mode 2).
  void SetNameSources(std::function<QString()> rowSinger, std::function<QString()> mediaAuthor);

  const SingerView& view() const { return view_; }
  int mode() const { return mode_; }
  // The list title of the last play command ("林的歌曲列表-----全部播放").
  const QString& listTitle() const { return listTitle_; }

  // Looks the singer up: the search box's name, or the playing song's singer. The shown
  // singer, or one whose lookup failed, is not fetched again. Runs the introduction and the
  // song list when the singer page has come.
  void ShowSingerProfile(bool fromSearchBox);
  // The search button and Enter in the box: boxText is searched unless empty, the hint, or
  // the name already shown.
  void Search(const QString& boxText);
  // Switches between taking the name from the list row (1) and from the media (2), then
  // looks up again.
  void SwitchMode(const QString& boxText);
  // Play all, or the given rows (0-based) of the song list, through the result grid. An
  // empty list or selection is told in a message box.
  void PlayAll();
  void PlaySelected(const QList<int>& rows);

 signals:
  void ViewChanged();
  void ModeChanged(int mode);
  // Fill the result grid with these songs of singer under title and play the first.
  void PlayRequested(const QString& title, const QString& singer, const QStringList& songs);

 private:
  QString SongSinger() const;
  void PrepareSingerWindow(const QString& name);
  void FetchSearchPage(int generation);
  void FetchSingerPage(int generation, const QString& link);
  void ShowFacts(const QString& page);
  void ShowPicture(const QString& url);
  void Fail(int generation);
  void ShowSingerIntro();
  void ShowSingerSongs();
  void OnPictureDownloaded(qint64 bytes, const QString& path, bool ok);
  void Play(const QStringList& songs, const QString& suffix);

  PageFetcher& fetcher_;
  Downloader& pictures_;
  Prompter& prompter_;
  std::function<QString()> musicHost_;
  QString picTmpDir_;
  std::function<QString()> rowSinger_, mediaAuthor_;

  SingerView view_;
  int mode_ = 1;
  QString boxText_;
  QString current_;  // the singer being looked up
  bool fromBox_ = false;
  bool retried_ = false;  // a lookup of the playing song's singer failed once and is retried
  QString pageText_;      // the singer page, read by the introduction and the song list
  QString pendingPicture_;
  QString listTitle_;
  int generation_ = 0;
};
