// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class AppPaths;

// Start-up and shutdown are ordered lists of named steps: a step that fails is skipped and
// the next one runs.
class StepSequence {
 public:
  void Add(const QString& name, std::function<bool()> step);
  // Runs every step in order; returns the names of the steps that failed.
  QStringList Run() const;
  QStringList names() const;

 private:
  struct Step {
    QString name;
    std::function<bool()> run;
  };
  std::vector<Step> steps_;
};

namespace app {

// Download, lrc, bin/PicTmp, bin/PicTmp/Album under the application folder.
bool CreateFolders(const AppPaths& paths);
// Removes bin/PicTmp with everything in it.
bool RemovePictureCache(const AppPaths& paths);

}  // namespace app
