// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "config/apppaths.h"
#include "extras/picturescan.h"

class Downloader;
class MenuForm;
class PageFetcher;
class ServiceHosts;

// The picture list's commands: the picture kind menus, the search with its page count, one
// page of thumbnails at a time and the picture set a slot opens. The window shows what the
// signals say; every fetch carries the search it belongs to and is dropped once a newer one
// started.
class PicSearch : public QObject {
  Q_OBJECT

 public:
  static inline const QString kHint = QStringLiteral("输入歌手名...");
  static inline const QString kServiceKey = QStringLiteral("PictureSearch");

  PicSearch(PageFetcher& fetcher, Downloader& pictures, const ServiceHosts& hosts, MenuForm& menus,
            const AppPaths& paths, QObject* parent = nullptr);

  // BiZhi(0..7) and PicFormat(0..3), BiZhi(2) checked.
  static void AddKindMenus(MenuForm& menus);
  void BiZhi_Click(int index);
  void PicFormat_Click(int index);
  extras::PicKind kind() const;

  // The playing media's "Author" attribute, for the retry of a search that found nothing.
  std::function<QString()> author;

  // The search button and Enter in the box: false when the box holds nothing to search.
  bool Image8_Click(const QString& boxText);
  void Image2_Click();  // previous page
  void Image3_Click();  // next page
  void Image1_Click(int slot);

  const QString& words() const { return words_; }
  int currentPage() const { return page_; }
  int pageCount() const { return count_; }
  const QString& title() const { return title_; }
  QString slotPage(int slot) const;
  // Where this search keeps its thumbnails and its full pictures.
  QString thumbFolder() const;
  QString starShowFolder() const;

 signals:
  void TitleChanged(const QString& text);     // Label5
  void PagesChanged(int current, int count);  // Label1, Label3, Image2, Image3
  void SlotsCleared();
  void ThumbnailReady(int slot, const QString& path);
  void SearchBoxChanged(const QString& text);  // the Author retry puts its words there
  void ViewerWanted(const QString& folder, const QString& caption);

 private:
  QString SearchUrl(const QString& query) const;
  void SetTitle(const QString& text);
  bool Search(const QString& boxText);
  void RunSearch();
  void OnFirstPage(const QString& page);
  void WalkOn(int step);
  void Counted();
  void LoadThumbnails(int page);
  void OnDownload(qint64 bytes, const QString& path, bool ok);

  PageFetcher& fetcher_;
  Downloader& pictures_;
  const ServiceHosts& hosts_;
  MenuForm& menus_;
  AppPaths paths_;

  QString words_;
  QString title_;
  bool retrying_ = false;
  int page_ = 1;
  int count_ = 1;
  int search_ = 0;  // the search a fetch belongs to
  int thumbs_ = 0;  // the page load a thumbnail belongs to
  int set_ = 0;     // the set a picture belongs to
  std::array<QString, extras::kThumbnailSlots> slots_;
  QHash<QString, int> pendingThumbs_;  // path -> slot, for the current page load
  QHash<QString, int> pendingSet_;     // path -> set
  int setLeft_ = 0;
  int setSize_ = 0;
  QList<int> walk_;
};
