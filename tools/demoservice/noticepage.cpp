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
