// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

// The application folder (AppPath) and the folders formed from it. Paths use '/' and folder
// names end in '/'.
class AppPaths {
 public:
  // root: the application folder; a trailing '/' is added. scratch: the private folder for
  // scratch files (created 0700 on first use); empty means root + "bin/scratch/".
  explicit AppPaths(const QString& root, const QString& scratch = QString());

  // The executable's folder when it is writable (a portable copy); otherwise the per-user data
  // folder, laid out and seeded from the installed data files on first use.
  static AppPaths Resolve();

  const QString& root() const { return root_; }  // AppPath
  QString File(const QString& relative) const { return root_ + relative; }
  QString bin() const { return root_ + QStringLiteral("bin/"); }
  QString configFile() const { return bin() + QStringLiteral("config.ini"); }
  QString servicesFile() const { return bin() + QStringLiteral("services.ini"); }
  QString playlistDir() const { return root_ + QStringLiteral("playlist/"); }
  QString lrcDir() const { return root_ + QStringLiteral("lrc/"); }
  QString downloadDir() const { return root_ + QStringLiteral("Download/"); }
  QString picTmpDir() const { return bin() + QStringLiteral("PicTmp/"); }
  QString picTmpAlbumDir() const { return bin() + QStringLiteral("PicTmp/Album/"); }
  // Files a rule deletes or overwrites are kept here (outside playlist/).
  QString backupDir() const { return bin() + QStringLiteral("backup/"); }
  // Private per-user folder for the fetcher's scratch files; created 0700 when missing.
  QString scratchDir() const;

 private:
  QString root_;
  QString scratch_;
};
