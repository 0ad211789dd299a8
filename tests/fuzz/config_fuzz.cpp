// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// bin/config.ini as a user or an older version left it, read at start-up. Whatever it held,
// the settings the program then saves load again without the broken-file reset.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "config/configstore.h"
#include "config/menuform.h"
#include "config/settingsmenus.h"
#include "fuzz/fuzzcheck.h"
#include "shell/prompter.h"

namespace {

// Counts the message boxes and answers every question with its first button.
class CountingPrompter : public Prompter {
 public:
  int asked = 0;
  PromptAnswer Ask(const PromptMessage&) override {
    ++asked;
    return PromptAnswer::Ok;
  }
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

const QString& Root() {
  static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/tw-fuzz-config-XXXXXX"));
  static const QString root = [] {
    QDir(dir.path()).mkpath(QStringLiteral("bin"));
    QDir(dir.path()).mkpath(QStringLiteral("playlist"));
    return dir.path() + u'/';
  }();
  return root;
}

}  // namespace

// The menus are QActions, which need a GUI application object.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const AppPaths paths(Root());
  QFile file(paths.configFile());
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(fuzz::Bytes(data, size));
  file.close();

  AppConfig config;
  MenuForm menus;
  app::CreateSettingsMenus(menus);
  menus.AddItem("LList", 0, QStringLiteral("default"), true);
  CountingPrompter prompter;
  ConfigStore store(config, menus, paths, prompter);
  store.LoadConfig();
  if (!store.SaveConfig()) return 0;
  prompter.asked = 0;
  fuzz::Check(store.LoadConfig() && prompter.asked == 0, "saved settings load without a reset");
  return 0;
}
