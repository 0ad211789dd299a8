// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Singer pictures: the picture list beside the main window, the search a new song starts, the
// full-screen viewer a thumbnail opens and the wallpaper it sets.
#include <QLineEdit>

#include "app/ui/appcontext.h"
#include "components/mediaplayer.h"
#include "download/downloader.h"
#include "extras/picsearch.h"
#include "extras/picviewer.h"
#include "extras/ui/piclist.h"
#include "extras/ui/showpic.h"
#include "extras/wallpaper.h"
#include "playback/playbackengine.h"
#include "playback/satelliteswitch.h"
#include "playback/ui/mainwindow.h"
#include "shell/ui/dockmanager.h"
#include "web/pagefetcher.h"

void AppContext::ConnectPictures() {
  PicSearch::AddKindMenus(menus_);
  PicViewer::AddSwitchMenu(menus_);
  picSearch_ = std::make_unique<PicSearch>(*fetcher_, *pictureDownloader_, *hosts_, menus_, paths_);
  picSearch_->author = [this] { return player().GetItemInfo(QStringLiteral("Author")); };
  picViewer_ = std::make_unique<PicViewer>(*prompter_);
  wallpaper_ = std::make_unique<Wallpaper>(paths_.bin(), *prompter_);

  menus_.Connect(QStringLiteral("BiZhi"), picSearch_.get(), &PicSearch::BiZhi_Click);
  menus_.Connect(QStringLiteral("PicFormat"), picSearch_.get(), &PicSearch::PicFormat_Click);
  menus_.Connect(QStringLiteral("Switch"), picViewer_.get(), &PicViewer::Switch_Click);

  satellites_->SetWindow(SatelliteSwitch::Pictures,
                         {[this] { return picList_ && picList_->isVisible(); },
                          [this](bool on) {
                            if (!on && !picList_) return;
                            pictureWindow()->setVisible(on);
                            // Opened while a song plays, the window shows that singer's pictures at
                            // once, as it would have had it been open when the song started.
                            const QString artist = engine_->state().artistText;
                            if (on && picList_->autoSearch() && satellites_->songPlaying &&
                                satellites_->songPlaying() && !artist.trimmed().isEmpty() &&
                                picList_->searchBox()->text() != artist)
                              picList_->SearchFor(artist);
                          }});
  connect(engine_.get(), &PlaybackEngine::PictureSearchWanted, this, [this](const QString& artist) {
    if (picList_ && picList_->isVisible() && picList_->autoSearch()) picList_->SearchFor(artist);
  });
  connect(picSearch_.get(), &PicSearch::ViewerWanted, this,
          [this](const QString& folder, const QString& caption) {
            pictureViewer()->OpenSet(folder, caption);
          });
  connect(picViewer_.get(), &PicViewer::WallpaperWanted, wallpaper_.get(), &Wallpaper::Set);
}

PicList* AppContext::pictureWindow() {
  if (picList_) return picList_;
  picList_ = new PicList(*picSearch_, menus_);
  dock_->Register(DockIndex::PicList, picList_);
  // The picture list starts undocked; it first shows where it would dock.
  picList_->MoveTwips(DockLayout::DockedPosition(static_cast<int>(DockIndex::PicList),
                                                 mainWindow_->geometryTwips(), {},
                                                 picList_->geometryTwips().size()));
  return picList_;
}

ShowPic* AppContext::pictureViewer() {
  if (!showPic_) showPic_ = new ShowPic(*picViewer_, menus_);
  return showPic_;
}
