// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Helper of the crash-safety test: saves a 20,000-song list, the settings and a lyrics offset
// through the program's own save paths, as version "a" or "b", once or alternating forever.
//   crashsafety_writer ROOT a|b|loopa|loopb
// In loop mode (starting with version a or b) it prints "ready" when it starts saving and
// "saved" after each whole save, so the test can time its kills to land while it writes.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "common/textfile.h"
#include "config/appconfig.h"
#include "config/apppaths.h"
#include "config/configstore.h"
#include "config/menuform.h"
#include "config/settingsmenus.h"
#include "lyrics/lrcformat.h"
#include "playlist/lstfile.h"
#include "shell/prompter.h"

namespace {

class SilentPrompter : public Prompter {
 public:
  PromptAnswer Ask(const PromptMessage&) override { return PromptAnswer::Ok; }
  std::optional<QString> AskText(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> PickOpenFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> PickSaveFile(const QString&, const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QString> PickFolder(const QString&, const QString&) override {
    return std::nullopt;
  }
  std::optional<QColor> PickColor(const QColor&) override { return std::nullopt; }
};

struct Writer {
  explicit Writer(const QString& root) : paths(root), store(config, menus, paths, prompter) {
    app::CreateSettingsMenus(menus);
    QDir().mkpath(paths.playlistDir());
    QDir().mkpath(paths.root() + QStringLiteral("lrc"));
  }

  void Save(char version) {
    const QString v(QChar::fromLatin1(version));
    std::vector<SongEntry> songs;
    songs.reserve(20000);
    for (int k = 0; k < 20000; ++k) {
      const QString n = v + QString::number(k);
      songs.push_back({QString(), n, QStringLiteral("未知"), QStringLiteral("03:00"),
                       QStringLiteral("/music/") + n + QStringLiteral(".mp3")});
    }
    playlist::WriteLstFile(paths.playlistDir() + QStringLiteral("default.lst"), songs,
                           paths.backupDir() + QStringLiteral("playlist/"));

    config.volume = version == 'a' ? 10 : 90;
    config.playMode = version == 'a' ? 1 : 4;
    store.SaveConfig();

    const QString lrc = paths.root() + QStringLiteral("lrc/song.lrc");
    QFile in(lrc);
    QByteArray bytes = in.open(QIODevice::ReadOnly)
                           ? in.readAll()
                           : QByteArray("[ti:song]\r\n[00:01.00]\xD2\xBB\r\n[00:02.00]two\r\n");
    in.close();
    common::WriteBytesAtomically(
        lrc, lyrics::WithOffsetTag(bytes, version == 'a' ? "[offset:500" : "[offset:-1500"));
  }

  SilentPrompter prompter;
  AppConfig config;
  MenuForm menus;
  AppPaths paths;
  ConfigStore store;
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // the settings menus are QActions
  if (argc != 3) return 2;
  Writer writer(QString::fromLocal8Bit(argv[1]));
  const QByteArray mode(argv[2]);
  if (!mode.startsWith("loop")) {
    writer.Save(mode[0]);
    return 0;
  }
  const char first = mode.endsWith('a') ? 'a' : 'b';
  std::puts("ready");
  std::fflush(stdout);
  for (int k = 0;; ++k) {
    writer.Save(k % 2 ? char('a' + 'b' - first) : first);
    std::puts("saved");
    std::fflush(stdout);
  }
}
