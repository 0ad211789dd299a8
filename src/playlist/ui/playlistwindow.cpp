// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist/ui/playlistwindow.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTableView>
#include <QToolButton>

#include "common/twips.h"
#include "config/menuform.h"
#include "playlist/gridrows.h"
#include "playlist/playlistcommands.h"
#include "playlist/playlistmanager.h"
#include "playlist/songgridmodel.h"
#include "playlist/ui/skinbutton.h"
#include "shell/ui/gridstyle.h"
#include "shell/ui/skin.h"

namespace {
constexpr int kHeightTwips = 4530;
constexpr int kMinHeightTwips = 2500;
constexpr int kTabHeight = 22;
constexpr int kButtonHeight = 22;
constexpr int kStripHeight = 16;

// The NowPlay picture: a small play triangle in the playing colour.
QIcon NowPlayIcon() {
  QPixmap pm(12, 12);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(Qt::NoPen);
  p.setBrush(SongGridModel::kPlayingText);
  p.drawPolygon(QPolygonF({QPointF(2, 1), QPointF(11, 6), QPointF(2, 11)}));
  return QIcon(pm);
}
}  // namespace

PlaylistWindow::PlaylistWindow(PlaylistManager& lists, PlaylistCommands& commands,
                               SongGridModel& results, SongGridModel& charts, MenuForm& menus,
                               QWidget* parent)
    : SkinnedWindow(QStringLiteral("播放列表"), parent),
      lists_(lists),
      commands_(commands),
      playlist_(lists.grid()),
      results_(results),
      charts_(charts),
      menus_(menus) {
  setObjectName(QStringLiteral("frmList"));
  SetTitleHeight(18);
  closeButton()->hide();
  SetMovable(false);  // it stays docked under the main window
  SetResizableHeight(true, kMinHeightTwips);
  setMouseTracking(true);

  models_ = {&playlist_, &results_, &charts_};
  const QIcon icon = NowPlayIcon();
  for (SongGridModel* m : models_) m->SetNowPlayIcon(icon);
  views_ = {MakeGrid(playlist_, QStringLiteral("MSF")), MakeGrid(results_, QStringLiteral("MSF1")),
            MakeGrid(charts_, QStringLiteral("MSF2"))};
  views_[0]->setSelectionMode(QAbstractItemView::ContiguousSelection);  // delete takes a range

  const QString tabNames[] = {QStringLiteral("播放列表"), QStringLiteral("搜索结果"),
                              QStringLiteral("排行榜单")};
  for (int i = 0; i < 3; ++i) {
    auto* tab = new SkinButton(SkinButton::Shape::Tab, tabNames[i], this);
    tab->setObjectName(QStringLiteral("tab1_%1").arg(i));
    connect(tab, &SkinButton::Pressed, this, [this, i](Qt::MouseButton b) {
      if (b == Qt::LeftButton) TabSel(i);
    });
    tabs_[static_cast<size_t>(i)] = tab;
  }
  const QString buttonNames[] = {QStringLiteral("添加"), QStringLiteral("删除"),
                                 QStringLiteral("设置"), QStringLiteral("模式"),
                                 QStringLiteral("榜单"), QStringLiteral("列表")};
  for (int i = 0; i < 6; ++i) {
    auto* button = new SkinButton(SkinButton::Shape::Menu, buttonNames[i], this);
    button->setObjectName(QStringLiteral("mnu1_%1").arg(i));
    connect(button, &SkinButton::Released, this, [this, i](Qt::MouseButton b) {
      if (b == Qt::LeftButton) OnMenuButton(i);
    });
    buttons_[static_cast<size_t>(i)] = button;
  }
  const QString panelNames[] = {QStringLiteral("Picture1"), QStringLiteral("Picture2"),
                                QStringLiteral("Picture3"), QStringLiteral("Picture6")};
  for (int i = 0; i < 4; ++i) {
    auto* panel = new QWidget(this);
    panel->setObjectName(panelNames[i]);
    panel->setAttribute(Qt::WA_StyledBackground, true);
    panel->setStyleSheet(QStringLiteral("background:%1;").arg(skin::kLight.name()));
    panels_[static_cast<size_t>(i)] = panel;
  }
  loads_ = new QLabel(panels_[3]);
  loads_->setObjectName(QStringLiteral("Loads"));
  loads_->setTextFormat(Qt::PlainText);
  loads_->setStyleSheet(QStringLiteral("color:%1;").arg(skin::kText.name()));

  menus_.Connect(QStringLiteral("mnuAdds"), &commands_, &PlaylistCommands::mnuAdds_Click);
  menus_.Connect(QStringLiteral("mnuDels"), this, &PlaylistWindow::mnuDels_Click);
  menus_.Connect(QStringLiteral("mnuOps"), this, &PlaylistWindow::mnuOps_Click);
  menus_.Connect(QStringLiteral("ZRL"), this, &PlaylistWindow::ZRL_Click);
  menus_.Connect(QStringLiteral("RLs"), this, &PlaylistWindow::RLs_Click);
  menus_.Connect(QStringLiteral("BRL"), this, &PlaylistWindow::BRL_Click);

  // The playlist grid is LoadLST's to fill; the window only sets up its own two grids.
  playlist_.PadToMinRows();
  results_.Setup();
  charts_.Setup();
  resize(width() > 0 ? width() : 360, common::TwipsToPx(kHeightTwips));
  TabSel(0);
}

QTableView* PlaylistWindow::MakeGrid(SongGridModel& model, const QString& name) {
  auto* view = new QTableView(this);
  view->setObjectName(name);
  view->setModel(&model);
  skin::ApplyGridStyle(view);
  const QList<int> widths = model.columnWidthsTwips();
  for (int c = 0; c < widths.size(); ++c) view->setColumnWidth(c, common::TwipsToPx(widths[c]));
  // The title gives way so that the time column and the scroll bar both fit.
  if (widths.size() == 5) skin::FitColumns(view, 1, 3, QStringLiteral("00:00"));
  view->verticalHeader()->hide();
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  view->viewport()->installEventFilter(this);
  view->viewport()->setMouseTracking(true);
  const int tab = name == QLatin1String("MSF") ? 0 : name == QLatin1String("MSF1") ? 1 : 2;
  // Files, folders and addresses can be dropped on the playlist grid only.
  view->viewport()->setAcceptDrops(tab == 0);

  connect(&model, &SongGridModel::SelectedRowChanged, this, [this, tab] { SyncSelection(tab); });
  connect(&model, &QAbstractItemModel::modelReset, this, [this, tab] { SyncSelection(tab); });
  connect(&model, &SongGridModel::TopRowChanged, this, [view, &model](int row) {
    if (!model.inBulk()) view->verticalScrollBar()->setValue(std::max(0, row - 1));
  });
  connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [&model](const QModelIndex& current) {
            if (current.isValid()) model.SetSelectedRow(current.row() + 1);
          });
  return view;
}

void PlaylistWindow::SyncSelection(int tab) {
  SongGridModel& model = *models_[static_cast<size_t>(tab)];
  QTableView* view = views_[static_cast<size_t>(tab)];
  if (model.inBulk() || !view) return;
  const int row = model.selectedRow();
  QItemSelectionModel* sel = view->selectionModel();
  const QModelIndex current = sel->currentIndex();
  if (row < 1) {
    sel->clearSelection();
    return;
  }
  if (current.isValid() && current.row() == row - 1 && sel->isRowSelected(row - 1)) return;
  sel->setCurrentIndex(model.index(row - 1, 0),
                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void PlaylistWindow::resizeEvent(QResizeEvent* event) {
  SkinnedWindow::resizeEvent(event);
  LayoutControls();
}

void PlaylistWindow::LayoutControls() {
  const int w = width();
  const int h = height();
  const int top = titleHeight() + 2;
  for (int i = 0; i < 3; ++i)
    tabs_[static_cast<size_t>(i)]->setGeometry(6 + i * 78, top, 76, kTabHeight);
  const int buttonsTop = h - skin::kGripHeight - kButtonHeight - 4;
  const int stripTop = buttonsTop - kStripHeight - 2;
  const int gridTop = top + kTabHeight;
  for (QTableView* v : views_) v->setGeometry(4, gridTop, w - 8, std::max(20, stripTop - gridTop));
  // Picture1 and Picture2 frame the button row; Picture3 and Picture6 share the strip above it.
  panels_[0]->setGeometry(4, buttonsTop, 4, kButtonHeight);
  panels_[1]->setGeometry(w - 8, buttonsTop, 4, kButtonHeight);
  panels_[2]->setGeometry(4, stripTop, w - 8, kStripHeight);
  panels_[3]->setGeometry(4, stripTop, w - 8, kStripHeight);
  loads_->setGeometry(4, 0, w - 16, kStripHeight);
  const int bw = (w - 16 - 5 * 2) / 6;
  for (int i = 0; i < 6; ++i)
    buttons_[static_cast<size_t>(i)]->setGeometry(8 + i * (bw + 2), buttonsTop, bw, kButtonHeight);
}

void PlaylistWindow::TabSel(int index) {
  for (int i = 0; i < 3; ++i) tabs_[static_cast<size_t>(i)]->SetSelected(i == index);
  currentTab_ = index;
  if (index < 0 || index > 2) return;
  for (int i = 0; i < 3; ++i) views_[static_cast<size_t>(i)]->setVisible(i == index);
  for (int i = 0; i < 3; ++i) panels_[static_cast<size_t>(i)]->setVisible(index != 2);
  panels_[3]->setVisible(index == 2);
}

void PlaylistWindow::LoadCharts() {
  emit StatusText(QStringLiteral("加载排行榜单..."));
  charts_.BeginBulk();
  for (QAction* item : menus_.Items(QStringLiteral("BList"))) {
    if (item->isSeparator() || !item->isVisible()) continue;
    playlist::AddChartRow(charts_, item->text().mid(4));
  }
  if (charts_.rows() > 1 && charts_.title(charts_.rows() - 1).isEmpty())
    charts_.RemoveRow(charts_.rows() - 1);
  charts_.EndBulk();
  results_.PadToMinRows();
}

bool PlaylistWindow::RowPlaysFrom(int row, PlayingGrid grid) const {
  return rowPlaying_ && rowPlaying_(grid, row);
}

void PlaylistWindow::ShowLoading(bool visible, const QString& text) {
  loads_->setText(text);
  loads_->setVisible(visible);
  QWidget* results = views_[1]->viewport();
  if (visible)
    results->setCursor(Qt::BusyCursor);
  else
    results->unsetCursor();
}

void PlaylistWindow::MSF_DblClick() {
  const int row = playlist_.selectedRow();
  if (row < 1 || playlist_.title(row).trimmed().isEmpty()) return;
  emit PlaylistRowActivated(row);
}

void PlaylistWindow::MSF1_DblClick() {
  const int row = results_.selectedRow();
  if (row < 1 || results_.title(row).trimmed().isEmpty()) return;
  emit ResultRowActivated(row);
}

void PlaylistWindow::MSF2_DblClick() {
  const int row = charts_.selectedRow();
  if (row < 1 || row >= charts_.rows()) return;
  charts_.SetNowPlayRow(row);
  chartRow_ = row;
  emit ChartRowActivated(row);
  charts_.SetSelectedRow(0);
}

void PlaylistWindow::SetButtonMenu(int button, QMenu* menu) {
  if (button >= 0 && button < 6) foreignMenus_[static_cast<size_t>(button)] = menu;
}

void PlaylistWindow::SetVideoMenus(QMenu* playlistRows, QMenu* resultRows) {
  videoMenus_[0] = playlistRows;
  videoMenus_[1] = resultRows;
}

QMenu* PlaylistWindow::PopupFromArray(const QString& array, QMenu* extra) {
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->setObjectName(array);
  if (array == QLatin1String("ALists")) {
    // Item 0 opens the list of playlists.
    QMenu* lists = menu->addMenu(menus_.Item(array, 0)->text());
    lists->setObjectName(QStringLiteral("LList"));
    lists->addActions(menus_.Items(QStringLiteral("LList")));
    const QList<QAction*> items = menus_.Items(array);
    for (int k = 1; k < items.size(); ++k) menu->addAction(items[k]);
  } else {
    menu->addActions(menus_.Items(array));
  }
  if (extra) menu->addMenu(extra);
  return menu;
}

QMenu* PlaylistWindow::lastPopup() const {
  return lastPopup_ && lastPopup_->isVisible() ? lastPopup_.data() : nullptr;
}

void PlaylistWindow::ShowPopup(QMenu* menu, const QPoint& globalPos) {
  if (lastPopup_) lastPopup_->close();
  // A guarded pointer, not a destroyed() handler: the menus are children of this window and
  // die in QWidget's destructor, after this object stopped being a PlaylistWindow.
  lastPopup_ = menu;
  menu->popup(globalPos);
}

void PlaylistWindow::OnMenuButton(int button) {
  SkinButton* b = buttons_[static_cast<size_t>(button)];
  b->ClearHover();
  const QPoint below = b->mapToGlobal(QPoint(0, b->height()));
  if (button >= 2 && button <= 4) {
    if (QMenu* m = foreignMenus_[static_cast<size_t>(button)]) {
      if (lastPopup_) lastPopup_->close();
      m->popup(below);
    }
    return;
  }
  static const QString kMenus[3][3] = {{"mnuAdds", "mnuOps", "mnuNone"},
                                       {"mnuDels", "mnuNone", "mnuNone"},
                                       {"ALists", "mnuNone", "mnuNone"}};
  const int row = button == 5 ? 2 : button;
  const int tab = std::clamp(currentTab_, 0, 2);
  ShowPopup(PopupFromArray(kMenus[row][tab]), below);
}

void PlaylistWindow::OpenRowMenu(int tab, const QPoint& globalPos) {
  if (tab == 0) {
    const int row = playlist_.selectedRow();
    menus_.Item("RLs", 1)->setEnabled(downloadAvailable_ &&
                                      RowPlaysFrom(row, PlayingGrid::Playlist));
    ShowPopup(PopupFromArray(QStringLiteral("RLs"), videoMenus_[0]), globalPos);
  } else if (tab == 1) {
    const bool playing = RowPlaysFrom(results_.selectedRow(), PlayingGrid::Results);
    menus_.Item("BRL", 2)->setEnabled(playing);
    menus_.Item("BRL", 3)->setEnabled(downloadAvailable_ && playing);
    ShowPopup(PopupFromArray(QStringLiteral("BRL"), videoMenus_[1]), globalPos);
  } else {
    const bool chartMode = chartMode_ ? chartMode_() : true;
    menus_.Item("ZRL", 1)->setChecked(chartMode);
    menus_.Item("ZRL", 2)->setChecked(!chartMode);
    ShowPopup(PopupFromArray(QStringLiteral("ZRL")), globalPos);
  }
}

void PlaylistWindow::mnuDels_Click(int index) {
  if (index == 0) {
    // The two ends of the selected range (one row when nothing more is selected).
    int low = playlist_.selectedRow(), high = low;
    for (const QModelIndex& i : views_[0]->selectionModel()->selectedRows()) {
      low = std::min(low, i.row() + 1);
      high = std::max(high, i.row() + 1);
    }
    commands_.DeleteSelected(low, high);
  }
  if (index == 1) commands_.ClearList();
}

void PlaylistWindow::mnuOps_Click(int index) {
  if (index == 0 && commands_.CanSendToPlaylist()) {
    TabSel(0);
    commands_.topl_Click();
  }
}

void PlaylistWindow::ZRL_Click(int index) {
  if (index == 0) return MSF2_DblClick();
  emit ChartListMenuTriggered(index);
}

void PlaylistWindow::RLs_Click(playlist::PlaylistRowItem item) {
  using Item = playlist::PlaylistRowItem;
  const int row = playlist_.selectedRow();
  switch (item) {
    case Item::Play:
      return MSF_DblClick();
    case Item::Download:
      return emit DownloadRequested();
    case Item::Delete:
      return mnuDels_Click(0);
    case Item::RenameTitle:
      return commands_.RenamePlaylistCell(row, 1);
    case Item::RenameSinger:
      return commands_.RenamePlaylistCell(row, 2);
    case Item::ChangeAddress:
      return commands_.RenamePlaylistCell(row, 4);
    case Item::DeadLink:
      if (commands_.PrepareDeadLinkSearch(row) > 0) {
        TabSel(1);
        MSF1_DblClick();
      }
      return;
  }
}

void PlaylistWindow::BRL_Click(playlist::ResultRowItem item) {
  using Item = playlist::ResultRowItem;
  const int row = results_.selectedRow();
  switch (item) {
    case Item::Play:
      return MSF1_DblClick();
    case Item::ToPlaylist:
      return mnuOps_Click(0);
    case Item::Download:
      return emit DownloadRequested();
    case Item::RenameTitle:
      return commands_.RenameResultCell(row, 1);
    case Item::RenameSinger:
      return commands_.RenameResultCell(row, 2);
  }
}

void PlaylistWindow::ClearHovers() {
  for (SkinButton* b : buttons_) b->ClearHover();
  for (SkinButton* t : tabs_) t->ClearHover();
}

bool PlaylistWindow::eventFilter(QObject* watched, QEvent* event) {
  int tab = -1;
  for (int i = 0; i < 3; ++i)
    if (views_[static_cast<size_t>(i)] && watched == views_[static_cast<size_t>(i)]->viewport())
      tab = i;
  if (tab < 0) return SkinnedWindow::eventFilter(watched, event);
  QTableView* view = views_[static_cast<size_t>(tab)];
  SongGridModel& model = *models_[static_cast<size_t>(tab)];
  switch (event->type()) {
    case QEvent::MouseMove:
      ClearHovers();
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* e = static_cast<QDropEvent*>(event);
      if (tab != 0 || !e->mimeData() || !e->mimeData()->hasUrls()) break;
      e->acceptProposedAction();
      return true;
    }
    case QEvent::Drop: {
      auto* e = static_cast<QDropEvent*>(event);
      if (tab != 0 || !e->mimeData() || !e->mimeData()->hasUrls()) break;
      e->acceptProposedAction();
      commands_.AddDropped(e->mimeData()->urls());
      return true;
    }
    case QEvent::MouseButtonPress: {
      // Any button selects the row under the pointer, so a right click selects first.
      auto* e = static_cast<QMouseEvent*>(event);
      const QModelIndex index = view->indexAt(e->position().toPoint());
      if (index.isValid()) model.SetSelectedRow(index.row() + 1);
      if (e->button() != Qt::LeftButton) return true;
      break;
    }
    case QEvent::MouseButtonDblClick: {
      auto* e = static_cast<QMouseEvent*>(event);
      const QModelIndex index = view->indexAt(e->position().toPoint());
      if (e->button() != Qt::LeftButton || !index.isValid()) break;
      model.SetSelectedRow(index.row() + 1);
      if (tab == 0) MSF_DblClick();
      if (tab == 1) MSF1_DblClick();
      if (tab == 2) MSF2_DblClick();
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* e = static_cast<QMouseEvent*>(event);
      if (e->button() != Qt::RightButton) break;
      const QModelIndex index = view->indexAt(e->position().toPoint());
      if (!index.isValid() || model.title(index.row() + 1).trimmed().isEmpty()) return true;
      OpenRowMenu(tab, e->globalPosition().toPoint());
      return true;
    }
    default:
      break;
  }
  return SkinnedWindow::eventFilter(watched, event);
}
