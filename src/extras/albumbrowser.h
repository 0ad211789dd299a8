// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>
#include <QMultiHash>
#include <QObject>
#include <QString>

#include "config/apppaths.h"
#include "extras/albumscan.h"

class Downloader;
class MenuForm;
class PageFetcher;
class Prompter;
class ServiceHosts;
class SongGridModel;

// The album browser behind the album window: the group, style and page menus, the album
// lists, an album's page and a singer's albums, fetched without blocking; covers come
// through the picture downloader into bin/PicTmp/Album/ and are announced slot by slot as
// they arrive. A newer load supersedes one still under way.
class AlbumBrowser : public QObject {
  Q_OBJECT

 public:
  static inline const QString kGroupMenu = QStringLiteral("mnuIcos");
  static inline const QString kStyleMenu = QStringLiteral("Ztype");
  static inline const QString kPageMenu = QStringLiteral("Zpage");
  static inline const QString kListScratch = QStringLiteral("tempics.html");
  static inline const QString kPageScratch = QStringLiteral("temAblum.html");
  static inline const QString kSingerScratch = QStringLiteral("temppic2.html");
  static constexpr int kPageCoverSlot = -1;  // CoverReady's slot for the album page's cover

  enum class View { None, List, SingerAlbums };

  AlbumBrowser(PageFetcher& fetcher, Downloader& pictures, const ServiceHosts& hosts,
               const AppPaths& paths, MenuForm& menus, SongGridModel& results, Prompter& prompter,
               QObject* parent = nullptr);

  // The group menu (four entries, 华语最新 checked), the style menu (ten entries, 流行
  // checked) and the page menu of that pair.
  void CreateMenus();
  void mnuIcos_Click(int group);
  void Ztype_Click(int style);
  void Zpage_Click(int index);

  // One page (1-based) of a group's list; the previous display stays when it fails.
  void LoadAlbumList(int group, int page, int style);
  // The page of the album in `slot` of the albums shown.
  void LoadAlbumPage(int slot);
  // Every album of a singer, through the singer search and the singer's page.
  void LoadSingerAlbums(const QString& singer);
  // Loads the stored group, style and page when nothing was shown yet.
  void ShowFirstList();
  // Plays the album page's tracks at the given rows (0-based) through the result grid.
  void PlaySelected(QList<int> rows);

  int group() const { return group_; }
  int style() const { return style_; }
  int page() const { return page_; }
  View view() const { return view_; }
  bool busy() const { return busy_; }
  const QList<extras::AlbumItem>& albums() const { return albums_; }
  const extras::AlbumPage& albumPage() const { return albumPage_; }
  // The cached cover of a slot ("" when it has none).
  QString coverPath(int slot) const { return coverPaths_.value(slot); }
  const QString& listTitle() const { return listTitle_; }

 signals:
  void BusyChanged(bool busy);
  void Failed(const QString& message);
  void AlbumsShown();
  void AlbumPageShown();
  // A cover is on disk: path is the cached file of slot (kPageCoverSlot for the page).
  void CoverReady(int slot, const QString& path);
  // The result grid is about to be refilled with an album's tracks.
  void ResultGridReplaced();
  void ListTitleChanged(const QString& title);
  // The first new row should start, as a double-click on it would.
  void PlayRowWanted(int row);

 private:
  void Begin();
  bool End(int generation);
  void ShowAlbums(QList<extras::AlbumItem> albums, View view);
  void ShowCover(int slot, const QString& url);
  void OnPictureDone(const QString& path, bool ok);
  void RebuildPageMenu(int pages);
  QString Host() const;

  PageFetcher& fetcher_;
  Downloader& pictures_;
  const ServiceHosts& hosts_;
  AppPaths paths_;
  MenuForm& menus_;
  SongGridModel& results_;
  Prompter& prompter_;

  int group_ = 1;
  int style_ = 0;
  int page_ = 1;
  View view_ = View::None;
  bool busy_ = false;
  int generation_ = 0;
  QList<extras::AlbumItem> albums_;
  extras::AlbumPage albumPage_;
  QHash<int, QString> coverPaths_;
  QMultiHash<QString, int> waiting_;  // cover file -> slots waiting for it
  QString listTitle_;
};
