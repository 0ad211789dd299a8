// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QRect>
#include <optional>

#include "shell/ui/skinnedwindow.h"

class LyricsController;
class LyricsDisplay;
class MenuForm;
class QLabel;
class QMenu;
class QToolButton;

// The lyrics window: hosts the lyrics display LRC1, the notices under it, the options menu
// "gecii" and the button to the manual lyrics search. Logic lives in LyricsController.
class FrmLrc : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kDefaultWidthTwips = 4815;
  static constexpr int kDefaultHeightTwips = 6000;

  // displayWidget is the widget behind `display` (LrcShow); the window takes it as LRC1.
  FrmLrc(LyricsController& controller, LyricsDisplay& display, QWidget* displayWidget,
         MenuForm& menus, QWidget* parent = nullptr);

  // Adds the options menu's items ("Lrcp", "showtype") to the popup-menu form.
  static void AddOptionsMenu(MenuForm& menus);
  void Lrcp_Click(int index);
  void showtype_Click(int index);
  // The options menu as it pops up under its button; colour and search items join it when
  // the popup-menu form holds them.
  QMenu* optionsMenu() const { return gecii_; }

  // The main window's lyrics button: hides a shown window; otherwise hides the other side
  // windows (SideWindowsHideWanted), shows this one and loads the song's lyrics when they are
  // not loaded. Returns whether the window is now shown.
  bool ToggleFromMainWindow();
  // Docked place: right of the main window, top edges level (twips).
  void PlaceBesideMain(const QRect& mainTwips);

  // The display's needed width (twips): widen the window to it, or go back to the default.
  void OnNeededWidth(int twips);
  // The colour that is see-through while the background is transparent; nullopt before the
  // option was first used.
  std::optional<QColor> colorKey() const { return colorKey_; }

 signals:
  void VisibilityChanged(bool visible);  // the main window's lyrics button follows
  void SideWindowsHideWanted();          // and a playing music video stops
  void LengthCheckDismissed();           // switch the lyrics check (Sets 7) off and save
  void ManualSearchWanted();             // as menu item xiazai(0)

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LayoutControls();
  void PopupOptions();
  void SetAlwaysOnTop(bool on);
  void SetTransparent(bool on);
  void ApplyColorKey();

  LyricsController& controller_;
  LyricsDisplay& display_;
  QWidget* displayWidget_;
  MenuForm& menus_;
  QLabel* checkLabels_[3];
  QToolButton* image3_[2];
  QMenu* gecii_;
  std::optional<QColor> colorKey_;
  bool changingFlags_ = false;
};
