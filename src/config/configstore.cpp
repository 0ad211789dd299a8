// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/configstore.h"

#include <QDir>
#include <QFile>
#include <limits>

#include "common/backup.h"
#include "common/numparse.h"
#include "common/textfile.h"
#include "config/inicls.h"
#include "config/menuform.h"
#include "config/settingsmenus.h"
#include "shell/prompter.h"

namespace {
// A value that names no menu item or does not fit its field ends the run.
struct ConfigError {};

int MenuIndex(const QString& text, int itemCount) {
  const int64_t n = common::RoundHalfEven(common::Val(text));
  if (n < 0 || n >= itemCount) throw ConfigError{};
  return static_cast<int>(n);
}

int64_t Long(double v) {
  const int64_t n = common::RoundHalfEven(v);
  if (n < std::numeric_limits<int32_t>::min() || n > std::numeric_limits<int32_t>::max())
    throw ConfigError{};
  return n;
}

const QString kIniName = QStringLiteral("config.ini");
}  // namespace

ConfigStore::ConfigStore(AppConfig& config, MenuForm& menus, const AppPaths& paths,
                         Prompter& prompter, QObject* parent)
    : QObject(parent), config_(config), menus_(menus), paths_(paths), prompter_(prompter) {}

void ConfigStore::WriteDefaultConfig() {
  const QString path = paths_.configFile();
  if (QFile::exists(path)) return;
  const int count = static_cast<int>(QDir(paths_.playlistDir()).entryList(QDir::Files).size());
  const QStringList lines{
      "[playlist]",        "listnumber=" + QString::number(count),
      "defaultlist=default", "[searchengine]",
      "defaultengine=0",   "lrcengine=0",
      "[defaultsets]",     "showartist=false",
      "showlrc=true",      "forceupdate=true",
      "mixsearch=false",   "focustracking=true",
      "[cancelerror]",     "lrcautodownload=true",
      "lrcformatcheck=true", "[songformat]",
      "defaultformat=3",   "[playmode]",
      "typemode=3",        "volume=40",
      "[lrccolor]",        "forecolor=16767777",
      "backcolor=9648139", "showcolor=65280",
      "selectmod1=0",      "selectmod2=0",
      "selectmod3=0"};
  QDir().mkpath(paths_.bin());
  common::WriteTextFile(path, lines);
}

void ConfigStore::ReportAndReset() {
  prompter_.Ask({QStringLiteral("保存配置文件出错,不匹配的键!"), QStringLiteral("Error"),
                 PromptIcon::Exclamation, PromptButtons::Ok, true});
  // The defaults replace the file; the user's settings stay in the backup folder.
  if (!common::MoveToBackup(paths_.configFile(), paths_.backupDir()))
    QFile::remove(paths_.configFile());
}

bool ConfigStore::LoadConfig() {
  for (int run = 0; run < 2; ++run) {
    try {
      WriteDefaultConfig();
      iniCLS ini;
      ini.SpecifyIni(paths_.configFile());
      LoadSteps(ini);
      emit ConfigLoaded();
      return true;
    } catch (const ConfigError&) {
      if (run == 0) ReportAndReset();
    }
  }
  emit ConfigLoaded();
  return false;
}

void ConfigStore::LoadSteps(iniCLS& ini) {
  auto read = [&](const char* section, const char* key) {
    return ini.ReadString(QString::fromLatin1(section), QString::fromLatin1(key), 50);
  };
  using namespace app;

  config_.currentList = read("playlist", "defaultlist").trimmed();
  emit CurrentListRead(config_.currentList);

  config_.searchEngine = MenuIndex(read("searchengine", "defaultengine"), 3);
  menus_.CheckOnly(kEngineMenu, config_.searchEngine);

  config_.lyricsEngine = common::Val(read("searchengine", "lrcengine")) == 1 ? 1 : 0;
  menus_.CheckOnly(kLyricsEngineMenu, config_.lyricsEngine);

  config_.showLyrics = IsTrueText(read("defaultsets", "showlrc"));
  config_.showArtist = IsTrueText(read("defaultsets", "showartist"));
  config_.forceUpdate = IsTrueText(read("defaultsets", "forceupdate"));
  config_.mixSearch = IsTrueText(read("defaultsets", "mixsearch"));
  config_.focusTracking = IsTrueText(read("defaultsets", "focustracking"));
  const bool options[] = {config_.showArtist, config_.forceUpdate, config_.mixSearch,
                          config_.focusTracking};
  for (int i = 0; i < 4; ++i) menus_.Item(kOptionsMenu, i)->setChecked(options[i]);

  config_.sets[6] = IsTrueText(read("cancelerror", "lrcautodownload"));
  config_.sets[7] = IsTrueText(read("cancelerror", "lrcformatcheck"));
  for (int i = 0; i < 8; ++i) menus_.Item(kSetsMenu, i)->setChecked(config_.sets[i]);

  config_.songFormat = MenuIndex(read("songformat", "defaultformat"), 4);
  menus_.CheckOnly(kFormatMenu, config_.songFormat);
  config_.playMode = MenuIndex(read("playmode", "typemode"), 5);
  menus_.CheckOnly(kModeMenu, config_.playMode);

  // Out-of-range volumes are clamped here; the file keeps its text until the next save.
  const double v = common::Val(read("playmode", "volume"));
  config_.volume = static_cast<int>(Long(qBound(0.0, v, 100.0)));

  const char* colorKeys[] = {"forecolor", "backcolor", "showcolor"};
  for (int k = 0; k < 3; ++k) {
    // Any 32-bit value is a colour (the display uses its low three bytes); only an overflow
    // is an error.
    const int64_t color = Long(common::Val(read("lrccolor", colorKeys[k])));
    config_.lrcUserColors[k] = static_cast<uint32_t>(static_cast<int32_t>(color));
    const QString modeKey = QStringLiteral("selectmod") + QString::number(k + 1);
    config_.lrcColorMode[k] =
        common::Val(ini.ReadString(QStringLiteral("lrccolor"), modeKey, 50)) == 1 ? 1 : 0;
    menus_.CheckOnly(ColorMenu(k), config_.lrcColorMode[k]);
  }
}

bool ConfigStore::SaveConfig() {
  for (int run = 0; run < 2; ++run) {
    try {
      WriteDefaultConfig();
      iniCLS ini;
      ini.SpecifyIni(paths_.configFile());
      ini.DeferWrites();
      SaveSteps(ini);
      ini.Tidy();
      if (!ini.Commit()) throw ConfigError{};
      return true;
    } catch (const ConfigError&) {
      if (run == 0) ReportAndReset();
    }
  }
  return false;
}

void ConfigStore::SaveSteps(iniCLS& ini) {
  using namespace app;
  auto write = [&](const char* section, const char* key, const QString& value) {
    ini.WriteString(QString::fromLatin1(section), QString::fromLatin1(key), value);
  };
  const int checkedList = menus_.LastChecked(kListMenu);
  write("playlist", "defaultlist",
        checkedList >= 0 ? menus_.Item(kListMenu, checkedList)->text() : QString());
  write("playlist", "listnumber", QString::number(menus_.Count(kListMenu)));
  write("searchengine", "defaultengine", QString::number(config_.searchEngine));
  write("searchengine", "lrcengine", config_.lyricsEngine == 1 ? "1" : "0");
  write("defaultsets", "showartist", BoolText(config_.showArtist));
  write("defaultsets", "showlrc", BoolText(config_.showLyrics));
  write("defaultsets", "forceupdate", BoolText(config_.forceUpdate));
  write("defaultsets", "mixsearch", BoolText(config_.mixSearch));
  write("defaultsets", "focustracking", BoolText(config_.focusTracking));
  write("cancelerror", "lrcautodownload", BoolText(config_.sets[6]));
  write("cancelerror", "lrcformatcheck", BoolText(config_.sets[7]));
  write("songformat", "defaultformat", QString::number(config_.songFormat));
  write("playmode", "typemode", QString::number(config_.playMode));
  write("playmode", "volume", QString::number(config_.volume));
  const char* colorKeys[] = {"forecolor", "backcolor", "showcolor"};
  for (int k = 0; k < 3; ++k)
    write("lrccolor", colorKeys[k],
          QString::number(static_cast<int32_t>(config_.EffectiveLrcColor(k))));
  for (int k = 0; k < 3; ++k)
    ini.WriteString(QStringLiteral("lrccolor"),
                    QStringLiteral("selectmod") + QString::number(k + 1),
                    config_.lrcColorMode[k] == 1 ? "1" : "0");
}
