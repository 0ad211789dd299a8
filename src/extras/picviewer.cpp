// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/picviewer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include "config/menuform.h"
#include "shell/prompter.h"

namespace {

class QtSlideTimer : public SlideTimer {
 public:
  void Start(int intervalMs, std::function<void()> tick) override {
    QObject::disconnect(&timer_, &QTimer::timeout, nullptr, nullptr);
    QObject::connect(&timer_, &QTimer::timeout, &timer_, std::move(tick));
    timer_.start(intervalMs);
  }
  void Stop() override { timer_.stop(); }
  bool active() const override { return timer_.isActive(); }

 private:
  QTimer timer_;
};

}  // namespace

PicViewer::PicViewer(Prompter& prompter, std::unique_ptr<SlideTimer> timer, QObject* parent)
    : QObject(parent),
      prompter_(prompter),
      timer_(timer ? std::move(timer) : std::make_unique<QtSlideTimer>()) {}

PicViewer::~PicViewer() = default;

void PicViewer::AddSwitchMenu(MenuForm& menus) {
  const QString captions[] = {QStringLiteral("下一张"),   QStringLiteral("上一张"),
                              QStringLiteral("保存图片"), QStringLiteral("设为壁纸"),
                              QStringLiteral("自动播放"), QStringLiteral("退出")};
  for (int i = 0; i < 6; ++i) menus.AddItem(QStringLiteral("Switch"), i, captions[i]);
}

void PicViewer::Switch_Click(SwitchItem item) {
  switch (item) {
    case SwitchItem::Next:
      return Next();
    case SwitchItem::Previous:
      return Previous();
    case SwitchItem::Save:
      return SavePic();
    case SwitchItem::Wallpaper:
      if (!currentFile().isEmpty()) emit WallpaperWanted(currentFile());
      return;
    case SwitchItem::SlideShow:
      return StartSlideShow();
    case SwitchItem::Exit:
      StopSlideShow();
      emit CloseWanted();
      return;
  }
}

QStringList PicViewer::PictureFiles(const QString& folder) {
  QStringList files;
  const QDir dir(folder);
  for (const char* pattern : {"*.jpeg", "*.jpg", "*.bmp", "*.gif"})
    for (const QFileInfo& f :
         dir.entryInfoList({QLatin1String(pattern)}, QDir::Files | QDir::NoSymLinks, QDir::Name))
      files << f.absoluteFilePath();
  return files;
}

void PicViewer::Open(const QString& folder, const QString& caption) {
  StopSlideShow();
  caption_ = caption;
  files_.clear();
  position_ = 0;
  emit PictureChanged(QString(), counterText());
  files_ = PictureFiles(folder);
  if (!files_.isEmpty()) Show(1);
}

QString PicViewer::currentFile() const {
  return position_ > 0 && position_ <= files_.size() ? files_.at(position_ - 1) : QString();
}

QString PicViewer::counterText() const {
  return QStringLiteral("%1  /  %2").arg(position_).arg(files_.size());
}

void PicViewer::Show(int position) {
  position_ = position;
  emit PictureChanged(currentFile(), counterText());
}

void PicViewer::Next() {
  if (files_.isEmpty()) return;
  // The slide show keeps going round the set.
  Show(position_ >= files_.size() ? 1 : position_ + 1);
}

void PicViewer::Previous() {
  if (files_.isEmpty()) return;
  Show(position_ <= 1 ? static_cast<int>(files_.size()) : position_ - 1);
}

void PicViewer::StartSlideShow() {
  timer_->Start(kSlideMs, [this] { Next(); });
}

void PicViewer::StopSlideShow() {
  timer_->Stop();
}

bool PicViewer::slideShowOn() const {
  return timer_->active();
}

void PicViewer::SavePic() {
  const QString source = currentFile();
  if (source.isEmpty()) return;
  const auto target = prompter_.PickSaveFile(
      QStringLiteral("保存图片"), QStringLiteral("JPG|*.jpg|BMP|*.bmp|GIF|*.gif|所有文件|*.*"),
      QFileInfo(source).fileName());
  if (!target || target->isEmpty()) return;
  const QString title = QStringLiteral("保存图片");
  if (QFileInfo::exists(*target)) {
    if (!prompter_.Confirm(QStringLiteral("该目录下存在同名文件,确认覆盖?"),
                           QStringLiteral("提示")))
      return;
    if (QFileInfo(*target).absoluteFilePath() == QFileInfo(source).absoluteFilePath()) return;
    // The old file goes only when the copy can take its place.
    const QString aside = *target + QStringLiteral(".tw-old");
    QFile::remove(aside);
    if (!QFile::rename(*target, aside)) {
      prompter_.Inform(QStringLiteral("无法覆盖:") + *target, title);
      return;
    }
    if (!QFile::copy(source, *target)) {
      QFile::rename(aside, *target);
      prompter_.Inform(QStringLiteral("无法保存到:") + *target, title);
      return;
    }
    QFile::remove(aside);
  } else if (!QFile::copy(source, *target)) {
    prompter_.Inform(QStringLiteral("无法保存到:") + *target, title);
    return;
  }
  prompter_.Inform(QStringLiteral("图片已成功保存到:") + *target, title, PromptIcon::Information);
}
