// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "download/songdownload.h"

#include <QDir>
#include <QFileInfo>

#include "common/safefilename.h"
#include "download/downloader.h"
#include "shell/prompter.h"

namespace download {

QString ExtensionFor(const QString& address) {
  const QString last3 = address.right(3).toLower();
  for (const char* known : {"mp3", "wma", "wmv", ".rm", "asf", "mid", "wav"})
    if (last3 == QLatin1String(known))
      return last3.startsWith(QLatin1Char('.')) ? last3 : QLatin1Char('.') + last3;
  return address.right(4).toLower();
}

QString ProposedPath(const QString& folder, const QString& title, const QString& address) {
  // The extension comes from a web address too: it goes through the same helper.
  const QString name = common::SafeFileName(title.trimmed() + ExtensionFor(address));
  return name.isEmpty() ? folder : QDir(folder).filePath(name);
}

}  // namespace download

SongDownload::SongDownload(Downloader& downloader, Prompter& prompter, const QString& folder,
                           QObject* parent)
    : QObject(parent), downloader_(downloader), prompter_(prompter), folder_(folder) {
  connect(&downloader_, &Downloader::DownloadProgress, this, &SongDownload::OnProgress);
  connect(&downloader_, &Downloader::DownloadComplete, this, &SongDownload::OnComplete);
}

bool SongDownload::Run(bool radio, bool playing, const QString& title, const QString& address) {
  if (radio) {
    prompter_.Inform(QStringLiteral("很抱歉,在线电台无媒体长度,您不能下载!"),
                     QStringLiteral("Error"), PromptIcon::Information);
    return false;
  }
  if (!playing) return false;
  const std::optional<QString> chosen =
      prompter_.PickSaveFile(QStringLiteral("下载歌曲文件"), QStringLiteral("所有文件|*.*"),
                             download::ProposedPath(folder_, title, address));
  if (!chosen || chosen->trimmed().isEmpty()) return false;
  if (QFileInfo::exists(*chosen) &&
      !prompter_.Confirm(QStringLiteral("媒体文件已存在,确认覆盖?"), QStringLiteral("提示")))
    return false;
  active_ = true;
  path_ = *chosen;
  emit WindowWanted();
  downloader_.BeginDownload(address, *chosen);
  return true;
}

void SongDownload::OnProgress(qint64 bytesRead, qint64 bytesMax, const QString& savePath) {
  if (active_ && savePath == path_) emit Progress(bytesRead, bytesMax);
}

void SongDownload::OnComplete(qint64, const QString& savePath, bool) {
  if (savePath != path_) return;
  active_ = false;
  emit Ended();
}
