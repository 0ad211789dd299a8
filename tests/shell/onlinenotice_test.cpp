// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/onlinenotice.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

namespace {

TEST(ParseOnlineNotice, CutsTheFirstOptionFromTheOriginalText) {
  EXPECT_EQ(shell::ParseOnlineNotice(
                QStringLiteral("<html><Select><oPtIoN value=\"1\">新版 Tunewharf 2.0</Option>"
                               "<option>second</option></select>")),
            QStringLiteral("新版 Tunewharf 2.0"));
  EXPECT_EQ(shell::ParseOnlineNotice(QStringLiteral("<OPTION></OPTION>")), QString());
  // ß upper-cases to two letters; the cut must still come from the right place.
  EXPECT_EQ(shell::ParseOnlineNotice(QStringLiteral("straße<option>Grüße</option>")),
            QStringLiteral("Grüße"));
}

TEST(ParseOnlineNotice, MissingMarkers) {
  for (const char* page :
       {"", "<html>no notice</html>", "<option", "<option>text", "text</option><option"})
    EXPECT_FALSE(shell::ParseOnlineNotice(QString::fromUtf8(page)).has_value()) << page;
}

TEST(OnlineNotice, FoundNoticeIsReportedWithoutRetry) {
  OnlineNotice notice;
  QSignalSpy found(&notice, &OnlineNotice::NoticeFound);
  int fetches = 0;
  notice.SetFetch([&](OnlineNotice::Done done) {
    ++fetches;
    done(QStringLiteral("<option>欢迎使用</option>"));
  });
  notice.Start();
  EXPECT_EQ(fetches, 1);
  ASSERT_EQ(found.count(), 1);
  EXPECT_EQ(found[0][0].toString(), QStringLiteral("欢迎使用"));
  EXPECT_FALSE(notice.retryPending());
}

TEST(OnlineNotice, MissingMarkerOrFailureRetriesOnTheSixthTick) {
  for (std::optional<QString> page :
       {std::optional<QString>(QStringLiteral("<html></html>")), std::optional<QString>()}) {
    OnlineNotice notice;
    QSignalSpy found(&notice, &OnlineNotice::NoticeFound);
    int fetches = 0;
    notice.SetFetch([&](OnlineNotice::Done done) {
      ++fetches;
      done(page);
    });
    notice.Start();
    EXPECT_TRUE(notice.retryPending());
    for (int tick = 1; tick <= 5; ++tick) notice.OnTimerTick();
    EXPECT_EQ(fetches, 1);
    notice.OnTimerTick();  // sixth tick: fetch again, timer off until that answer
    EXPECT_EQ(fetches, 2);
    EXPECT_EQ(notice.ticks(), 0);
    EXPECT_TRUE(notice.retryPending());  // the second answer lacked the markers too
    EXPECT_EQ(found.count(), 0);
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
