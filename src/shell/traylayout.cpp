// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/traylayout.h"

#include "common/numparse.h"
#include "common/twips.h"

namespace shell {

const QStringList& TrayItemCaptions() {
  static const QStringList captions{
      QStringLiteral("播放/暂停"), QStringLiteral("停止播放"), QStringLiteral("上一首"),
      QStringLiteral("下一首"),    QStringLiteral("增大音量"), QStringLiteral("减小音量"),
      QStringLiteral("静音开关"),  QStringLiteral("显示界面"), QStringLiteral("退出程序")};
  return captions;
}

QString TrayTip(const QString& playingTitle) {
  return playingTitle.trimmed().isEmpty() ? QStringLiteral("Tunewharf") : playingTitle;
}

QPoint TrayPopupPosition(const QSize& screenPx, const QSize& popupTwips) {
  const int screenW = common::PxToTwips(screenPx.width());
  const int screenH = common::PxToTwips(screenPx.height());
  return {screenW - popupTwips.width() - static_cast<int>(common::Int(screenPx.width() * 0.244)),
          screenH - popupTwips.height() - static_cast<int>(common::Int(screenPx.height() * 0.599))};
}

}  // namespace shell
