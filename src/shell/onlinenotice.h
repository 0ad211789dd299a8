// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <optional>

namespace shell {

// The notice is the text of the page's first option element:
//   "<html><Select><option value=1>Hello</OPTION>" => "Hello"
// nullopt when "<OPTION", the ">" after it or "</OPTION>" after that is missing.
std::optional<QString> ParseOnlineNotice(const QString& page);

}  // namespace shell

// Fetches the maker's online notice for the monitor window's "Online" row. When the page
// lacks the markers (or the fetch fails) a 5-second timer fetches it once more on its sixth
// tick; failures are otherwise silent.
class OnlineNotice : public QObject {
  Q_OBJECT

 public:
  using Done = std::function<void(std::optional<QString> page)>;  // nullopt = failed
  // Fetches the notice page and calls `done` once, later, from the event loop.
  using Fetch = std::function<void(Done done)>;

  static constexpr int kTickMs = 5000;
  static constexpr int kTicksBeforeRetry = 5;

  explicit OnlineNotice(QObject* parent = nullptr);

  void SetFetch(Fetch fetch) { fetch_ = std::move(fetch); }
  // Starts a fetch; without a fetch function nothing happens.
  void Start();
  void OnPage(const std::optional<QString>& page);
  void OnTimerTick();  // Timer1
  bool retryPending() const { return timer_.isActive(); }
  int ticks() const { return ticks_; }
  QTimer& timer() { return timer_; }

 signals:
  void NoticeFound(const QString& text);

 private:
  Fetch fetch_;
  QTimer timer_;
  int ticks_ = 0;
  int generation_ = 0;
};
