// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ui/dockmanager.h"

#include <QEvent>

#include "common/twips.h"
#include "shell/ui/skinnedwindow.h"

namespace {

QRect ToTwips(const QRect& px) {
  return QRect(common::PxToTwips(px.x()), common::PxToTwips(px.y()), common::PxToTwips(px.width()),
               common::PxToTwips(px.height()));
}

constexpr int kLyrics = static_cast<int>(DockIndex::Lyrics);
constexpr int kLyricsDownload = static_cast<int>(DockIndex::LyricsDownload);

}  // namespace

DockManager::DockManager(QObject* parent) : QObject(parent) {}

void DockManager::SetMainWindow(QWidget* main) {
  if (main_) main_->removeEventFilter(this);
  main_ = main;
  if (main_) main_->installEventFilter(this);
}

void DockManager::Register(int index, SkinnedWindow* window) {
  if (index < 0 || index >= DockLayout::kWindows || !window) return;
  if (windows_[index]) windows_[index]->removeEventFilter(this);
  windows_[index] = window;
  if (index == static_cast<int>(DockIndex::Playlist)) window->SetMovable(false);
  connect(window, &SkinnedWindow::DragReleased, this, [this, index] { OnReleased(index); });
  // The lyrics download window centres on the lyrics window, so it follows that one too.
  if (index == kLyrics) window->installEventFilter(this);
  if (layout_.docked(index)) Dock(index);
}

SkinnedWindow* DockManager::window(int index) const {
  return index >= 0 && index < DockLayout::kWindows ? windows_[index].data() : nullptr;
}

QRect DockManager::MainTwips() const {
  return main_ ? ToTwips(main_->geometry()) : QRect();
}

QRect DockManager::TwipsOf(int index) const {
  return windows_[index] ? ToTwips(windows_[index]->geometry()) : QRect();
}

void DockManager::Dock(int index) {
  SkinnedWindow* w = window(index);
  if (!w || !main_) return;
  const bool was = layout_.docked(index);
  layout_.SetDocked(index, true);
  QRect lyrics = TwipsOf(kLyrics);
  if (!windows_[kLyrics])
    lyrics = QRect(DockLayout::DockedPosition(kLyrics, MainTwips(), {}, {}), QSize());
  placing_ = true;
  w->MoveTwips(DockLayout::DockedPosition(index, MainTwips(), lyrics, TwipsOf(index).size()));
  placing_ = false;
  if (!was) emit DockedChanged(index, true);
}

void DockManager::DockAll() {
  if (!main_) return;
  DockLayout::Rects rects;
  for (int i = 0; i < DockLayout::kWindows; ++i)
    if (windows_[i]) rects[i] = TwipsOf(i);
  const DockLayout::Rects placed = layout_.DockAll(MainTwips(), rects);
  placing_ = true;
  for (int i = 0; i < DockLayout::kWindows; ++i)
    if (windows_[i] && placed[i] && *placed[i] != *rects[i])
      windows_[i]->MoveTwips(placed[i]->topLeft());
  placing_ = false;
}

void DockManager::OnReleased(int index) {
  SkinnedWindow* w = window(index);
  if (!w || !main_ || index == static_cast<int>(DockIndex::Playlist)) return;
  const bool was = layout_.docked(index);
  const auto jump = layout_.Release(index, TwipsOf(index), MainTwips(), TwipsOf(kLyrics));
  if (jump) {
    placing_ = true;
    w->MoveTwips(*jump);
    placing_ = false;
  }
  if (was != layout_.docked(index)) emit DockedChanged(index, layout_.docked(index));
}

bool DockManager::ToggleMonitor() {
  SkinnedWindow* monitor = window(static_cast<int>(DockIndex::Monitor));
  if (!monitor) return false;
  if (monitor->isVisible()) {
    monitor->hide();
  } else {
    for (DockIndex i : {DockIndex::Singer, DockIndex::PicList, DockIndex::Lyrics})
      if (SkinnedWindow* w = window(static_cast<int>(i))) w->hide();
    monitor->show();
    DockAll();
  }
  emit MonitorToggled(monitor->isVisible());
  return monitor->isVisible();
}

bool DockManager::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type t = event->type();
  if ((t == QEvent::Move || t == QEvent::Resize) && !placing_) {
    if (watched == main_) {
      DockAll();
    } else if (watched == windows_[kLyrics] && layout_.docked(kLyricsDownload)) {
      Dock(kLyricsDownload);
    }
  }
  return QObject::eventFilter(watched, event);
}
