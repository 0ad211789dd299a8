// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QList>

#include "playback/blockpacer.h"
#include "playback/spectrumcapture.h"
#include "playback/statuslinescroller.h"
#include "playback/windowanimation.h"
#include "shell/ui/skinnedwindow.h"

class QFrame;
class QLabel;
class QLineEdit;
class Knob;
class MenuForm;
class PictureButton;
class PlaybackEngine;
class SpectrumView;

// The player's main window (frmMain): video area or spectrum, transport buttons, progress and
// volume knobs, time and status lines, the search box and the satellite-window toggles. It
// shows what the playback engine signals and hands every command to it or to the wiring.
class MainWindow : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kWidth = 4500;
  static constexpr int kHeight = 1920;
  inline static const QString kSearchHint = QStringLiteral("输入歌名、歌手...");

  MainWindow(PlaybackEngine& engine, MenuForm& menus, QWidget* parent = nullptr);

  // Where the media player draws video (MP).
  QWidget* videoSurface() const { return videoSurface_; }
  bool spectrumShown() const;
  // Spectrum frame in place of the video surface (and capture open), or back.
  void ShowSpectrumFrame();
  void ShowVideoSurface();
  // Start-up's spectrum set-up: the idle bars. The capture opens when a song starts playing
  // (the bars move only then), so a start never waits for the sound server.
  bool SetUpSpectrum();
  bool captureOpen() const { return capture_.isOpen(); }
  // Restores, raises, activates and flashes the window: a second start asked for it.
  void ComeForward();
  // Places the volume knob from the stored volume (start-up).
  void PlaceVolumeKnob(int volume);
  // Toggle pictures follow the windows: 0..3 lyrics, singer, pictures, albums; 4 music video.
  void SetToggleState(int index, bool on);
  void SetPlaylistShown(bool shown);
  // Without a tray nothing brings a hidden window back: button 11 then quits instead.
  void SetTrayAvailable(bool available);
  WindowAnimation& animation() { return animation_; }
  QLineEdit* searchBox() const { return txtKey_; }
  // While a search or page fetch runs the pointer shows it; the window stays usable.
  void SetBusy(bool busy);
  // A song download's progress as a line under the track; hidden again when it ends.
  void ShowDownloadProgress(qint64 bytesRead, qint64 bytesMax);
  void HideDownloadProgress();

 signals:
  void SatelliteToggleRequested(int index);  // Menus(0..3)
  void MusicVideoToggleRequested();          // MTV1
  void PlaylistToggleRequested();            // list, I1(7)
  void SearchRequested(const QString& key);  // I1(9), Enter in txtKey
  void HideSatellitesRequested();            // I1(10), I1(11), the shrink animation
  void HideToTrayRequested();                // I1(11)
  void QuitRequested();                      // I1(11) without a tray
  void DownloadRequested();                  // down
  void TagEditorRequested();                 // ID3TAG
  void DownloadPageRequested();              // Image2
  void SpectrumFrameShown(bool shown);
  void StatusLinePainted();  // start-up waits for it before a long step

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  QRect CaptionStrip() const override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildControls();
  void ConnectEngine();
  void OnButton(int index);
  void OnStatusLine(const QString& text, bool scrollTick);
  void PlaceKnob(int left);
  void PlaceVolume(int knobLeft);
  void SubmitSearch();
  void OnBlock(const QByteArray& block);
  void ShowPendingBlock();
  // The capture runs while a song wants it and the bars can be seen.
  void UpdateCapture();
  void CloseCapture();
  void Place(QWidget* w, int left, int top, int width, int height);

  PlaybackEngine& engine_;
  MenuForm& menus_;
  SpectrumCapture capture_;
  bool captureWanted_ = false;  // a song is playing (whether the bars can be seen is apart)
  BlockPacer pacer_;            // captured blocks waiting for their poll
  StatusLineScroller statusScroller_;
  WindowAnimation animation_;
  QList<PictureButton*> buttons_;  // I1(0..11)
  QList<PictureButton*> toggles_;  // Menus(0..3), MTV1
  PictureButton* listToggle_ = nullptr;
  PictureButton* down_ = nullptr;
  PictureButton* id3tag_ = nullptr;
  QWidget* videoSurface_ = nullptr;
  QWidget* downLine_ = nullptr;  // a song download's progress
  QFrame* frame1_ = nullptr;
  SpectrumView* spectrum_ = nullptr;
  QWidget* track_ = nullptr;   // Image1
  QWidget* played_ = nullptr;  // B1
  Knob* knob_ = nullptr;       // P1
  QWidget* volumeTrack_ = nullptr;
  QWidget* volumeBar_ = nullptr;  // B2
  Knob* volumeKnob_ = nullptr;    // P2
  QLabel* echo_ = nullptr;        // time
  QWidget* statusArea_ = nullptr;
  QLabel* echo1_ = nullptr;  // status line
  QLabel* labTest_ = nullptr;
  QLabel* image2_ = nullptr;
  QLineEdit* txtKey_ = nullptr;
  bool trayAvailable_ = true;
};
