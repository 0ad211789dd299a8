// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class MenuForm;
class Prompter;
class QTimer;

// The clock of the slide show: a QTimer in the program, a stepped fake in tests.
class SlideTimer {
 public:
  virtual ~SlideTimer() = default;
  virtual void Start(int intervalMs, std::function<void()> tick) = 0;
  virtual void Stop() = 0;
  virtual bool active() const = 0;
};

// The full-screen viewer's commands: the pictures of the set folder, stepping through them,
// the slide show, saving the shown picture and asking for it as the wallpaper.
class PicViewer : public QObject {
  Q_OBJECT

 public:
  static constexpr int kSlideMs = 2000;
  // Switch(0..5): the viewer's menu.
  enum class SwitchItem {
    Next = 0,
    Previous = 1,
    Save = 2,
    Wallpaper = 3,
    SlideShow = 4,
    Exit = 5
  };

  explicit PicViewer(Prompter& prompter, std::unique_ptr<SlideTimer> timer = nullptr,
                     QObject* parent = nullptr);
  ~PicViewer() override;

  static void AddSwitchMenu(MenuForm& menus);
  void Switch_Click(SwitchItem item);

  // The set folder's "*.jpeg", "*.jpg", "*.bmp" and "*.gif" files, in that order.
  static QStringList PictureFiles(const QString& folder);
  // Clears the list, reads the folder and shows the first picture.
  void Open(const QString& folder, const QString& caption);

  void Next();
  void Previous();
  void StartSlideShow();
  void StopSlideShow();
  bool slideShowOn() const;
  void SavePic();

  const QStringList& files() const { return files_; }
  int position() const { return position_; }  // 1-based; 0 with no picture
  QString currentFile() const;
  QString counterText() const;  // "3  /  12"
  const QString& caption() const { return caption_; }

 signals:
  void PictureChanged(const QString& file, const QString& counter);
  void WallpaperWanted(const QString& file);
  void CloseWanted();

 private:
  void Show(int position);

  Prompter& prompter_;
  std::unique_ptr<SlideTimer> timer_;
  QStringList files_;
  int position_ = 0;
  QString caption_;
};
