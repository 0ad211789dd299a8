// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "noticepage.h"

#include "demoserver.h"

void RegisterNotice(DemoServer& server) {
  server.AddRoute(QStringLiteral("/notice.htm"), [](const DemoRequest&) {
    return DemoResponse::Html(QStringLiteral(
        "<html><body><form><select name=notice>\r\n"
        "<option value=1>欢迎使用 Tunewharf 演示服务:歌曲、歌词与电台均为本机生成</option>\r\n"
        "</select></form></body></html>\r\n"));
  });
}

void RegisterHomePage(DemoServer& server) {
  server.AddRoute(QStringLiteral("/index.htm"), [](const DemoRequest&) {
    return DemoResponse::Html(
        QStringLiteral("<html><head><title>Tunewharf 网络音乐播放器</title></head><body>\r\n"
                       "<h1>Tunewharf 网络音乐播放器</h1>\r\n"
                       "<p>本页由演示服务提供:这里是播放器的官网,发布新版本与使用说明。</p>\r\n"
                       "</body></html>\r\n"));
  });
}
