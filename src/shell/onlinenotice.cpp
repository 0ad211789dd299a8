// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/onlinenotice.h"

#include <QPointer>

namespace shell {

std::optional<QString> ParseOnlineNotice(const QString& page) {
  // Upper-casing can change a string's length (ß → SS); search the upper-cased text only
  // when it lines up with the original, otherwise search case-insensitively in place.
  const QString upper = page.toUpper();
  const bool aligned = upper.size() == page.size();
  const QString& hay = aligned ? upper : page;
  const Qt::CaseSensitivity cs = aligned ? Qt::CaseSensitive : Qt::CaseInsensitive;
  const qsizetype open = hay.indexOf(QLatin1String("<OPTION"), 0, cs);
  if (open < 0) return std::nullopt;
  const qsizetype gt = hay.indexOf(QLatin1Char('>'), open + 7);
  if (gt < 0) return std::nullopt;
  const qsizetype close = hay.indexOf(QLatin1String("</OPTION>"), gt + 1, cs);
  if (close < 0) return std::nullopt;
  return page.mid(gt + 1, close - gt - 1);
}

}  // namespace shell

OnlineNotice::OnlineNotice(QObject* parent) : QObject(parent) {
  timer_.setInterval(kTickMs);
  connect(&timer_, &QTimer::timeout, this, &OnlineNotice::OnTimerTick);
}

void OnlineNotice::Start() {
  if (!fetch_) return;
  const int generation = ++generation_;
  QPointer<OnlineNotice> self(this);
  fetch_([self, generation](std::optional<QString> page) {
    // A late answer to a superseded fetch, or after shutdown, is dropped.
    if (self && generation == self->generation_) self->OnPage(page);
  });
}

void OnlineNotice::OnPage(const std::optional<QString>& page) {
  const std::optional<QString> notice = page ? shell::ParseOnlineNotice(*page) : std::nullopt;
  if (notice)
    emit NoticeFound(*notice);
  else
    timer_.start();
}

void OnlineNotice::OnTimerTick() {
  if (ticks_ >= kTicksBeforeRetry) {
    ticks_ = 0;
    timer_.stop();
    Start();
  } else {
    ++ticks_;
  }
}
