// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "playback/ui/mainwindow.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

#include "common/twips.h"
#include "components/mediaplayer.h"
#include "config/menuform.h"
#include "playback/knobgeometry.h"
#include "playback/playbackengine.h"
#include "playback/ui/cachedlabel.h"
#include "playback/ui/knob.h"
#include "playback/ui/picturebutton.h"
#include "playback/ui/spectrumview.h"
#include "shell/ui/skin.h"

namespace {
using common::PxToTwips;
using common::TwipsToPx;
using Glyph = PictureButton::Glyph;

constexpr int kKnobWidth = 210;
constexpr int kTrackTop = 1395;
constexpr int kVolumeKnobWidth = 150;

struct ButtonSpec {
  Glyph glyph;
  int left, top, width, height;
};
// I1(0..11) in twips.
constexpr ButtonSpec kButtons[] = {
    {Glyph::Sound, 1995, 1590, 270, 270},    {Glyph::Previous, 180, 1560, 300, 300},
    {Glyph::Play, 540, 1530, 360, 360},      {Glyph::Note, 1680, 1590, 240, 240},
    {Glyph::Stop, 960, 1560, 300, 300},      {Glyph::Next, 1320, 1560, 300, 300},
    {Glyph::Shrink, 3600, 30, 210, 210},     {Glyph::Playlist, 3420, 1590, 270, 270},
    {Glyph::Spectrum, 3720, 1590, 270, 270}, {Glyph::Search, 3990, 690, 420, 300},
    {Glyph::HideAll, 3870, 30, 210, 210},    {Glyph::Tray, 4140, 30, 210, 210}};

template <typename Label = QLabel>
QLabel* PlainLabel(QWidget* parent, const char* name) {
  auto* label = new Label(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  return label;
}

QWidget* Bar(QWidget* parent, const char* name, const QColor& color) {
  auto* w = new QWidget(parent);
  w->setObjectName(QString::fromLatin1(name));
  w->setAutoFillBackground(true);
  QPalette pal = w->palette();
  pal.setColor(QPalette::Window, color);
  w->setPalette(pal);
  return w;
}
}  // namespace

MainWindow::MainWindow(PlaybackEngine& engine, MenuForm& menus, QWidget* parent)
    : SkinnedWindow(QStringLiteral("Tunewharf"), parent), engine_(engine), menus_(menus) {
  setObjectName(QStringLiteral("frmMain"));
  setFixedSize(TwipsToPx(kWidth), TwipsToPx(kHeight));
  closeButton()->hide();  // leaving goes through the tray button and the control menu
  BuildControls();
  ConnectEngine();
  spectrum_->ShowIdleBars();
}

void MainWindow::Place(QWidget* w, int left, int top, int width, int height) {
  w->setGeometry(common::TwipsRect(left, top, width, height));
}

void MainWindow::BuildControls() {
  videoSurface_ = new QWidget(this);
  videoSurface_->setObjectName(QStringLiteral("MP"));
  videoSurface_->setAutoFillBackground(true);
  videoSurface_->setPalette(QPalette(Qt::black));
  Place(videoSurface_, 90, 360, 1620, 960);
  videoSurface_->installEventFilter(this);
  videoSurface_->hide();

  frame1_ = new QFrame(this);
  frame1_->setObjectName(QStringLiteral("Frame1"));
  frame1_->setAutoFillBackground(true);
  frame1_->setPalette(QPalette(Qt::black));
  Place(frame1_, 90, 360, 1620, 960);
  spectrum_ = new SpectrumView(frame1_);
  spectrum_->setObjectName(QStringLiteral("picFrequency"));
  Place(spectrum_, 270, 135, 1080, 675);  // 72 x 45 pixels
  connect(spectrum_, &SpectrumView::Clicked, this, &MainWindow::ShowVideoSurface);
  connect(&capture_, &SpectrumCapture::BlockCaptured, this, &MainWindow::OnBlock);

  for (int i = 0; i < 12; ++i) {
    const ButtonSpec& s = kButtons[i];
    auto* b = new PictureButton(s.glyph, QString(), this);
    b->setObjectName(QStringLiteral("I1_%1").arg(i));
    Place(b, s.left, s.top, s.width, s.height);
    connect(b, &QAbstractButton::clicked, this, [this, i] { OnButton(i); });
    buttons_ << b;
  }
  buttons_[3]->setCursor(Qt::ArrowCursor);
  for (int i : {6, 10, 11}) buttons_[i]->SetOnDark(true);
  buttons_[7]->setCheckable(true);

  statusArea_ = new QWidget(this);
  statusArea_->setObjectName(QStringLiteral("Echo1Area"));
  Place(statusArea_, StatusLineScroller::kHome, 360, StatusLineScroller::kAreaWidth, 255);
  echo1_ = PlainLabel<CachedLabel>(statusArea_, "Echo1");
  echo1_->installEventFilter(this);
  echo_ = PlainLabel(this, "Echo");
  Place(echo_, 3960, 360, 480, 255);
  echo_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  echo_->setText(QStringLiteral("00:00"));
  for (QLabel* l : {echo1_, echo_}) {
    l->setStyleSheet(QStringLiteral("color: rgb(33,219,255);"));
    QFont f = l->font();
    f.setPixelSize(12);
    l->setFont(f);
  }
  // "00:00" must fit the 32 pixels beside the status line whatever the font's digit width.
  QFont timeFont = echo_->font();
  while (timeFont.pixelSize() > 8 &&
         QFontMetrics(timeFont).horizontalAdvance(QStringLiteral("00:00")) > echo_->width() - 1)
    timeFont.setPixelSize(timeFont.pixelSize() - 1);
  echo_->setFont(timeFont);
  // The status line ends a clear gap before the time text, which sits right-aligned.
  constexpr int kTimeGapPx = 8;
  const int timeLeft = echo_->geometry().right() + 1 -
                       QFontMetrics(timeFont).horizontalAdvance(QStringLiteral("00:00"));
  statusScroller_.SetRightEdge(
      std::min<int>(StatusLineScroller::kRightEdge, PxToTwips(timeLeft - kTimeGapPx)));
  Place(statusArea_, StatusLineScroller::kHome, 360, statusScroller_.areaWidth(), 255);
  labTest_ = PlainLabel(this, "labTest");
  labTest_->hide();

  txtKey_ = new QLineEdit(kSearchHint, this);
  txtKey_->setObjectName(QStringLiteral("txtKey"));
  txtKey_->setStyleSheet(
      QStringLiteral("QLineEdit{background:rgb(191,221,245);color:rgb(76,97,143);border:1px solid "
                     "rgb(41,89,156);}"));
  Place(txtKey_, 1800, 690, 2130, 300);
  txtKey_->installEventFilter(this);
  connect(txtKey_, &QLineEdit::returnPressed, this, &MainWindow::SubmitSearch);

  const QStringList toggleTexts{QStringLiteral("歌词"), QStringLiteral("歌手"),
                                QStringLiteral("图片"), QStringLiteral("专辑"),
                                QStringLiteral("MV")};
  for (int i = 0; i < 5; ++i) {
    auto* t = new PictureButton(Glyph::Text, toggleTexts[i], this);
    t->setObjectName(i < 4 ? QStringLiteral("Menus_%1").arg(i) : QStringLiteral("MTV1"));
    t->setCheckable(true);
    Place(t, 1800 + 330 * i, 1065, 300, 225);
    connect(t, &QAbstractButton::clicked, this, [this, t, i] {
      t->setChecked(!t->isChecked());  // the picture follows the window, not the click
      if (i < 4)
        emit SatelliteToggleRequested(i);
      else
        emit MusicVideoToggleRequested();
    });
    toggles_ << t;
  }
  listToggle_ = new PictureButton(Glyph::Text, QStringLiteral("列表"), this);
  listToggle_->setObjectName(QStringLiteral("list"));
  listToggle_->setCheckable(true);
  Place(listToggle_, 3450, 1065, 300, 225);
  connect(listToggle_, &QAbstractButton::clicked, this, [this] {
    listToggle_->setChecked(!listToggle_->isChecked());
    emit PlaylistToggleRequested();
  });
  down_ = new PictureButton(Glyph::Text, QStringLiteral("下载"), this);
  down_->setObjectName(QStringLiteral("down"));
  Place(down_, 3780, 1065, 300, 225);
  down_->hide();
  connect(down_, &QAbstractButton::clicked, this, &MainWindow::DownloadRequested);
  id3tag_ = new PictureButton(Glyph::Text, QStringLiteral("ID3"), this);
  id3tag_->setObjectName(QStringLiteral("ID3TAG"));
  id3tag_->setToolTip(QStringLiteral("ID3-Tag不可编辑"));
  Place(id3tag_, 4110, 1065, 300, 225);
  connect(id3tag_, &QAbstractButton::clicked, this, &MainWindow::TagEditorRequested);

  track_ = Bar(this, "Image1", QColor(226, 240, 251));
  Place(track_, playback::kKnobMin, kTrackTop, playback::kTrackWidth + kKnobWidth, 90);
  played_ = Bar(this, "B1", skin::kMidBlue);
  for (QWidget* w : {track_, played_}) w->installEventFilter(this);
  downLine_ = Bar(this, "downLine", skin::kMidBlue);
  downLine_->hide();
  knob_ = new Knob(this);
  knob_->setObjectName(QStringLiteral("P1"));
  connect(knob_, &Knob::Pressed, this, [this] { engine_.BeginKnobDrag(); });
  connect(knob_, &Knob::Dragged, this, [this](int left) { engine_.DragKnob(left); });
  connect(knob_, &Knob::Released, this, [this](int left) { engine_.EndKnobDrag(left); });
  PlaceKnob(playback::kKnobMin);

  // The empty part of the slider: darker than the window's gradient, or the slider looks full.
  volumeTrack_ = Bar(this, "volumeTrack", skin::kLight);
  Place(volumeTrack_, 2350, 1695, playback::kVolumeKnobMax + kVolumeKnobWidth - 2350, 60);
  volumeBar_ = Bar(this, "B2", skin::kAccent);
  volumeKnob_ = new Knob(this);
  volumeKnob_->setObjectName(QStringLiteral("P2"));
  connect(volumeKnob_, &Knob::Dragged, this, [this](int left) {
    PlaceVolume(playback::ClampVolumeKnob(left));
    engine_.SetVolumeFromKnob(left);
  });
  connect(volumeKnob_, &Knob::Released, this, [this](int) { engine_.VolumeKnobReleased(); });
  PlaceVolumeKnob(engine_.player().volume());

  image2_ = PlainLabel(this, "Image2");
  image2_->setText(QStringLiteral("官网"));
  image2_->setAlignment(Qt::AlignCenter);
  image2_->setCursor(Qt::PointingHandCursor);
  image2_->setStyleSheet(QStringLiteral("color: rgb(76,97,143); text-decoration: underline;"));
  Place(image2_, 4020, 1590, 420, 270);
  image2_->installEventFilter(this);
}

void MainWindow::ConnectEngine() {
  connect(&engine_, &PlaybackEngine::StatusLineChanged, this, &MainWindow::OnStatusLine);
  connect(&engine_, &PlaybackEngine::TimeTextChanged, echo_, &QLabel::setText);
  connect(&engine_, &PlaybackEngine::KnobMoved, this, &MainWindow::PlaceKnob);
  connect(&engine_, &PlaybackEngine::CaptionChanged, this,
          [this](const QString& caption, const QString& wholeText) {
            // The desktop's title changes with the text, not with every step of the marquee:
            // each change of a native title costs a round trip to the display server.
            if (wholeText != windowTitle()) setWindowTitle(wholeText);
            SetDrawnCaption(caption);
          });
  connect(&engine_, &PlaybackEngine::PlayingPictureShown, this,
          [this](bool playing) { buttons_[2]->SetGlyph(playing ? Glyph::Pause : Glyph::Play); });
  connect(&engine_, &PlaybackEngine::MuteChanged, this,
          [this](bool muted) { buttons_[0]->SetGlyph(muted ? Glyph::Muted : Glyph::Sound); });
  connect(&engine_, &PlaybackEngine::VolumeChanged, this, [this](int volume) {
    if (!volumeKnob_->pressed()) PlaceVolumeKnob(volume);
  });
  connect(&engine_, &PlaybackEngine::Polled, this, [this](int state) {
    labTest_->setText(QString::number(state));
    ShowPendingBlock();
  });
  connect(&engine_, &PlaybackEngine::DownloadButtonShown, down_, &QWidget::setVisible);
  connect(&engine_, &PlaybackEngine::TagEditorTextChanged, id3tag_, &QWidget::setToolTip);
  connect(&engine_, &PlaybackEngine::SpectrumCaptureWanted, this, [this](bool open) {
    captureWanted_ = open;
    UpdateCapture();
  });
  // A new song starts the bars afresh.
  connect(&engine_, &PlaybackEngine::SpectrumRestartWanted, this, [this] {
    CloseCapture();
    captureWanted_ = true;
    UpdateCapture();
  });
  connect(&engine_, &PlaybackEngine::ShowMainWindowWanted, this, [this] {
    showNormal();
    raise();
    activateWindow();
    animation_.StartGrow();
  });
  connect(&animation_, &WindowAnimation::SatellitesHideWanted, this,
          &MainWindow::HideSatellitesRequested);
  connect(&animation_, &WindowAnimation::WidthChanged, this,
          [this](int twips) { setFixedWidth(std::max(1, TwipsToPx(twips))); });
}

void MainWindow::OnButton(int index) {
  switch (index) {
    case 0:
      return engine_.ToggleMute();
    case 1:
      return engine_.PickSong(1);
    case 2:
      return engine_.PlayPause();
    case 4:
      return engine_.StopButton();
    case 5:
      return engine_.PickSong(2);
    case 6:
      return animation_.StartShrink();
    case 7:
      buttons_[7]->setChecked(!buttons_[7]->isChecked());
      emit PlaylistToggleRequested();
      return;
    case 8:
      if (spectrumShown()) ShowVideoSurface();
      return;
    case 9:
      return SubmitSearch();
    case 11:
      if (!trayAvailable_) {
        emit QuitRequested();  // as the window manager's close: nothing is hidden or saved
        return;
      }
      [[fallthrough]];
    case 10:
      animation_.StopAll();
      emit HideSatellitesRequested();
      if (index == 11) {
        hide();
        emit HideToTrayRequested();
      }
      return;
    default:
      return;  // I1(3) is a picture only
  }
}

void MainWindow::OnStatusLine(const QString& text, bool scrollTick) {
  echo1_->setText(text);
  const int widthPx = echo1_->sizeHint().width();
  const int left = scrollTick ? statusScroller_.Step(PxToTwips(widthPx))
                              : (statusScroller_.Home(), statusScroller_.left());
  echo1_->setGeometry(TwipsToPx(left - StatusLineScroller::kHome), 0, widthPx,
                      statusArea_->height());
}

void MainWindow::PlaceKnob(int left) {
  Place(knob_, left, kTrackTop - 60, kKnobWidth, kKnobWidth);
  Place(played_, 260, kTrackTop, playback::PlayedBarWidth(left), 90);
  // raise() repaints the knob even when it is already on top, and the poll moves it ten
  // times a second.
  if (children().constLast() != knob_) knob_->raise();
}

void MainWindow::PlaceVolume(int knobLeft) {
  Place(volumeKnob_, knobLeft, 1650, kVolumeKnobWidth, kVolumeKnobWidth);
  Place(volumeBar_, 2350, 1695, playback::VolumeBarWidth(knobLeft), 60);
  volumeKnob_->raise();
}

void MainWindow::ComeForward() {
  showNormal();
  raise();
  activateWindow();
  QApplication::alert(this);
}

void MainWindow::PlaceVolumeKnob(int volume) {
  PlaceVolume(playback::VolumeKnobLeft(volume));
}

void MainWindow::SetToggleState(int index, bool on) {
  if (index >= 0 && index < toggles_.size()) toggles_[index]->setChecked(on);
}

void MainWindow::SetPlaylistShown(bool shown) {
  listToggle_->setChecked(shown);
  buttons_[7]->setChecked(shown);
}

void MainWindow::SetTrayAvailable(bool available) {
  trayAvailable_ = available;
  buttons_[11]->setToolTip(available ? QStringLiteral("隐藏到托盘") : QStringLiteral("退出程序"));
}

void MainWindow::SubmitSearch() {
  const QString key = txtKey_->text();
  if (key.trimmed().isEmpty() || key == kSearchHint) return;
  emit SearchRequested(key);
}

QRect MainWindow::CaptionStrip() const {
  // The title bar's buttons sit over the caption's right end; they did not change.
  QRect strip = SkinnedWindow::CaptionStrip();
  strip.setRight(std::min(strip.right(), buttons_[6]->x() - 1));
  return strip;
}

bool MainWindow::spectrumShown() const {
  return !frame1_->isHidden();
}

void MainWindow::ShowSpectrumFrame() {
  videoSurface_->hide();
  frame1_->show();
  UpdateCapture();
  emit SpectrumFrameShown(true);
}

void MainWindow::ShowVideoSurface() {
  frame1_->hide();
  UpdateCapture();
  videoSurface_->show();
  emit SpectrumFrameShown(false);
}

void MainWindow::UpdateCapture() {
  // Bars nobody can see are not worth the sound server's work: behind the tray, minimized or
  // under a video, the capture closes, and opens again when the bars come back.
  if (captureWanted_ && spectrumShown() && isVisible() && !isMinimized())
    capture_.Open();
  else
    CloseCapture();
}

void MainWindow::CloseCapture() {
  capture_.Close();
  pacer_.Clear();
}

void MainWindow::showEvent(QShowEvent* event) {
  SkinnedWindow::showEvent(event);
  UpdateCapture();
}

void MainWindow::hideEvent(QHideEvent* event) {
  SkinnedWindow::hideEvent(event);
  CloseCapture();
}

void MainWindow::changeEvent(QEvent* event) {
  SkinnedWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) UpdateCapture();
}

bool MainWindow::SetUpSpectrum() {
  spectrum_->ShowIdleBars();
  return true;
}

void MainWindow::OnBlock(const QByteArray& block) {
  // Drawn on a poll, with the status line's move: one paint and flush instead of two.
  pacer_.Push(block);
}

void MainWindow::ShowPendingBlock() {
  const std::optional<QByteArray> block = pacer_.Next();
  if (block && spectrumShown() && engine_.player().playState() == PlayState::Playing)
    spectrum_->ShowBlock(*block);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const auto type = event->type();
  const bool press = type == QEvent::MouseButtonPress;
  const bool release = type == QEvent::MouseButtonRelease;
  // Only mouse events may be read as QMouseEvent; the filter sees every event.
  const auto* mouse = press || release ? static_cast<QMouseEvent*>(event) : nullptr;
  if (watched == txtKey_) {
    if (press && mouse->button() == Qt::LeftButton && txtKey_->text() == kSearchHint)
      txtKey_->clear();
    else if (type == QEvent::FocusOut && txtKey_->text().isEmpty())
      txtKey_->setText(kSearchHint);
  } else if (type == QEvent::Paint && watched == echo1_) {
    emit StatusLinePainted();
  } else if (release && mouse->button() == Qt::LeftButton) {
    if (watched == echo1_) {
      statusScroller_.Toggle();
    } else if (watched == videoSurface_) {
      if (engine_.player().playState() == PlayState::Playing) ShowSpectrumFrame();
    } else if (watched == image2_) {
      emit DownloadPageRequested();
    } else if (watched == track_ || watched == played_) {
      const int x = mapFromGlobal(mouse->globalPosition().toPoint()).x();
      engine_.SeekFromTrack(PxToTwips(x) - kKnobWidth / 2);
    }
  }
  return SkinnedWindow::eventFilter(watched, event);
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addActions(menus_.Items(QStringLiteral("mnuControls")));
  if (!menu.isEmpty()) menu.exec(event->globalPos());
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
  if (animation_.shrunk() && event->button() == Qt::LeftButton) animation_.StartGrow();
  SkinnedWindow::mousePressEvent(event);
}

void MainWindow::paintEvent(QPaintEvent* event) {
  SkinnedWindow::paintEvent(event);
  QPainter p(this);
  p.setPen(skin::kDivider);
  const int y = TwipsToPx(1320);
  p.drawLine(TwipsToPx(90), y, TwipsToPx(4410), y);
}

void MainWindow::ShowDownloadProgress(qint64 bytesRead, qint64 bytesMax) {
  const int full = playback::kTrackWidth + kKnobWidth;
  const int width =
      bytesMax > 0 ? static_cast<int>(full * qBound(0.0, double(bytesRead) / double(bytesMax), 1.0))
                   : 0;
  Place(downLine_, playback::kKnobMin, kTrackTop + 105, width, 30);
  downLine_->setToolTip(QStringLiteral("下载 %1/%2 KB").arg(bytesRead / 1000).arg(bytesMax / 1000));
  downLine_->setVisible(width > 0);
}

void MainWindow::HideDownloadProgress() {
  downLine_->hide();
}

void MainWindow::SetBusy(bool busy) {
  if (busy)
    setCursor(Qt::BusyCursor);
  else
    unsetCursor();
}
