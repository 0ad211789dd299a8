// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The album window on a loopback server: page text shows as text, never as markup, and the
// singer box's hint is never searched.
#include "extras/ui/qqpai.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include "common/gbk.h"
#include "config/appconfig.h"
#include "config/menuform.h"
#include "download/downloader.h"
#include "extras/albumbrowser.h"
#include "extras/ui/albumdetail.h"
#include "playlist/songgridmodel.h"
#include "support/loopbackhttpserver.h"
#include "support/scriptedprompter.h"
#include "support/tempappdir.h"
#include "web/pagefetcher.h"
#include "web/servicehosts.h"

namespace {

const QString kMarkup = QStringLiteral("<img src=\"/dev/zero\"><b>粗</b>");

TEST(AlbumWindow, PageTextIsPlainAndTheHintIsNeverSearched) {
  LoopbackHttpServer server;
  const QString cell = QStringLiteral(
      "<td width=\"33%\"><a href=\"/album/1.html\"><img src=\"/c.png\"/></a><dt><a>%1</a></dt>"
      "<dd><strong>歌手：</strong><a>%1</a></dd><dd><strong>时间：</strong>%1</dd>"
      "<dd><strong>主打歌：</strong><a>%1</a></dd></td>");
  server.SetPage(
      "/sogou_phb/html/album/newalbum_zhlx1.html",
      common::EncodeGbk(QStringLiteral("<table class=\"newsplist\">") + cell.arg(kMarkup)));
  server.SetPage("/album/1.html",
                 common::EncodeGbk(QStringLiteral("<div id=\"main\"><caption>%1</caption><td>歌手："
                                                  "<a>%1</a></td><td class=\"musicName\"><a>%1</a>")
                                       .arg(kMarkup)));
  TempAppDir dir;
  AppConfig config;
  ServiceHosts hosts;
  hosts.SetHost(ServiceHosts::kSogouSearch, server.Url(QString()));
  MenuForm menus;
  SongGridModel results(SongGridModel::Kind::Songs);
  ScriptedPrompter prompter;
  PageFetcher fetcher(dir.paths(), config);
  Downloader pictures(fetcher.network());
  AlbumBrowser browser(fetcher, pictures, hosts, dir.paths(), menus, results, prompter);
  browser.CreateMenus();
  QQPai window(browser, menus);
  window.show();

  // The hint is text in the box: searching it, or an empty box, asks nothing.
  QSignalSpy sent(&fetcher, &PageFetcher::RequestSent);
  window.Search();
  window.searchBox()->setText(QStringLiteral("   "));
  window.Search();
  EXPECT_EQ(sent.count(), 0);
  window.searchBox()->setText(QQPai::kHint);
  QFocusEvent in(QEvent::FocusIn);
  QApplication::sendEvent(window.searchBox(), &in);
  EXPECT_TRUE(window.searchBox()->text().isEmpty()) << "entering the box clears the hint";
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(window.searchBox(), &out);
  EXPECT_EQ(window.searchBox()->text(), QStringLiteral("输入歌手名..."));

  QSignalSpy shown(&browser, &AlbumBrowser::AlbumsShown);
  browser.ShowFirstList();
  ASSERT_TRUE(shown.wait(5000));
  QLabel* caption = window.coverCaption(0);
  EXPECT_EQ(caption->textFormat(), Qt::PlainText);
  EXPECT_EQ(caption->text(), kMarkup);
  EXPECT_FALSE(window.coverButton(1)->isVisible()) << "one album, one slot";

  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(window.coverButton(0), &enter);
  ASSERT_TRUE(window.detail()->isVisible());
  EXPECT_TRUE(window.detail()->text().startsWith(QStringLiteral("专辑：") + kMarkup));
  for (QLabel* line : window.detail()->findChildren<QLabel*>())
    EXPECT_EQ(line->textFormat(), Qt::PlainText) << line->objectName().toStdString();

  QSignalSpy page(&browser, &AlbumBrowser::AlbumPageShown);
  window.coverButton(0)->click();
  ASSERT_TRUE(page.wait(5000));
  EXPECT_FALSE(window.detail()->isVisible());
  for (QLabel* label : window.pageFrame()->findChildren<QLabel*>())
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
  EXPECT_EQ(window.pageFrame()->findChild<QLabel*>(QStringLiteral("L1"))->text(), kMarkup);
  ASSERT_EQ(window.trackList()->count(), 1);
  EXPECT_EQ(window.trackList()->item(0)->text(), kMarkup);
}

}  // namespace
