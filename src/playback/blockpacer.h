// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QByteArray>
#include <deque>
#include <optional>

// Captured blocks come from the sound server half a second at a time; the bars take one per
// poll, oldest first, so they move with the music and not in bursts. A backlog of more than a
// second drops its oldest blocks, so the bars never fall behind what is heard.
class BlockPacer {
 public:
  static constexpr size_t kMaxBacklog = 10;

  void Push(const QByteArray& block) {
    blocks_.push_back(block);
    if (blocks_.size() > kMaxBacklog) blocks_.pop_front();
  }
  std::optional<QByteArray> Next() {
    if (blocks_.empty()) return std::nullopt;
    QByteArray block = std::move(blocks_.front());
    blocks_.pop_front();
    return block;
  }
  void Clear() { blocks_.clear(); }
  size_t backlog() const { return blocks_.size(); }

 private:
  std::deque<QByteArray> blocks_;
};
