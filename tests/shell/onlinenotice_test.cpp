// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/onlinenotice.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

TEST(ParseOnlineNotice, CutsTheFirstOptionFromTheOriginalTextOrNothingWithoutMarkers) {
  EXPECT_EQ(shell::ParseOnlineNotice(
                QStringLiteral("<html><Select><oPtIoN value=\"1\">新版 Tunewharf 2.0</Option>"
                               "<option>second</option></select>")),
            QStringLiteral("新版 Tunewharf 2.0"));
  EXPECT_EQ(shell::ParseOnlineNotice(QStringLiteral("<OPTION></OPTION>")), QString());
  // ß upper-cases to two letters; the cut must still come from the right place.
  EXPECT_EQ(shell::ParseOnlineNotice(QStringLiteral("straße<option>Grüße</option>")),
            QStringLiteral("Grüße"));
  for (const char* page :
       {"", "<html>no notice</html>", "<option", "<option>text", "text</option><option"})
    EXPECT_FALSE(shell::ParseOnlineNotice(QString::fromUtf8(page)).has_value()) << page;
}

TEST(OnlineNotice, MissingMarkerOrFailureRetriesOnEverySixthTickUntilFound) {
  for (std::optional<QString> bad :
       {std::optional<QString>(QStringLiteral("<html></html>")), std::optional<QString>()}) {
    OnlineNotice notice;
    QSignalSpy found(&notice, &OnlineNotice::NoticeFound);
    const QList<std::optional<QString>> pages{bad, bad,
                                              QStringLiteral("<option>欢迎使用</option>")};
    int fetches = 0;
    notice.SetFetch([&](OnlineNotice::Done done) { done(pages.value(fetches++)); });
    notice.Start();
    for (int round = 1; round <= 2; ++round) {
      EXPECT_TRUE(notice.retryPending());
      for (int tick = 1; tick <= 5; ++tick) notice.OnTimerTick();
      EXPECT_EQ(fetches, round);
      notice.OnTimerTick();  // sixth tick: fetch again, timer off until that answer
      EXPECT_EQ(fetches, round + 1);
      EXPECT_EQ(notice.ticks(), 0);
    }
    ASSERT_EQ(found.count(), 1);
    EXPECT_EQ(found[0][0].toString(), QStringLiteral("欢迎使用"));
    EXPECT_FALSE(notice.retryPending());
  }
}

TEST(OnlineNotice, LateAnswerToASupersededFetchIsDropped) {
  OnlineNotice notice;
  QSignalSpy found(&notice, &OnlineNotice::NoticeFound);
  std::vector<OnlineNotice::Done> pending;
  notice.SetFetch([&](OnlineNotice::Done done) { pending.push_back(std::move(done)); });
  notice.Start();
  notice.Start();
  pending[0](QStringLiteral("<option>old</option>"));
  EXPECT_EQ(found.count(), 0);
  pending[1](QStringLiteral("<option>new</option>"));
  ASSERT_EQ(found.count(), 1);
  EXPECT_EQ(found[0][0].toString(), QStringLiteral("new"));
}

}  // namespace
