// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/lifecycle.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "config/apppaths.h"
#include "common/textfile.h"

void StepSequence::Add(const QString& name, std::function<bool()> step) {
  steps_.push_back({name, std::move(step)});
}

QStringList StepSequence::Run() const {
  QStringList failed;
  for (const Step& step : steps_) {
    bool ok = false;
    try {
      ok = step.run();
    } catch (...) {
      ok = false;
    }
    if (!ok) failed << step.name;
  }
  return failed;
}

QStringList StepSequence::names() const {
  QStringList out;
  for (const Step& step : steps_) out << step.name;
  return out;
}

namespace app {

bool CreateFolders(const AppPaths& paths) {
  bool ok = true;
  for (const QString& dir : {paths.downloadDir(), paths.lrcDir(), paths.picTmpDir(), paths.picTmpAlbumDir()})
    ok = QDir().mkpath(dir) && ok;
  return ok;
}

bool RemovePictureCache(const AppPaths& paths) {
  QDir dir(paths.picTmpDir());
  return !dir.exists() || dir.removeRecursively();
}

}  // namespace app
