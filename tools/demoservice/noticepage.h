// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DemoServer;

// The online notice the monitor window shows: one option of a select list.
void RegisterNotice(DemoServer& server);

// The program's home page (官网), opened in the desktop's browser.
void RegisterHomePage(DemoServer& server);
