// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/wallpaper.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

#include "extras/picturecache.h"
#include "shell/prompter.h"

namespace {

const QString kPortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kTitle = QStringLiteral("设置桌面壁纸");
constexpr int kPortalCallMs = 30000;

bool PortalMissing(const QDBusError& error) {
  switch (error.type()) {
    case QDBusError::ServiceUnknown:
    case QDBusError::UnknownObject:
    case QDBusError::UnknownInterface:
    case QDBusError::UnknownMethod:
    case QDBusError::Disconnected:
      return true;
    default:
      return false;
  }
}

}  // namespace

Wallpaper::Wallpaper(QString saveFolder, Prompter& prompter, QObject* parent)
    : Wallpaper(std::move(saveFolder), prompter, Environment{}, parent) {}

Wallpaper::Wallpaper(QString saveFolder, Prompter& prompter, Environment env, QObject* parent)
    : QObject(parent),
      saveFolder_(std::move(saveFolder)),
      prompter_(prompter),
      env_(std::move(env)) {
  if (!saveFolder_.endsWith(u'/')) saveFolder_ += u'/';
}

void Wallpaper::Set(const QString& picture) {
  if (busy_) return;
  if (!SaveCopy(picture))
    return Report(false, QStringLiteral("无法设置桌面壁纸:图片无法读取,或无法保存到") + copyPath());
  busy_ = true;
  uri_ = QUrl::fromLocalFile(copyPath()).toString(QUrl::FullyEncoded);
  if (!env_.bus.isConnected()) return TryGnome(uri_);
  CallPortal(uri_);
}

bool Wallpaper::SaveCopy(const QString& picture) {
  const QImage image = extras::LoadPicture(picture);
  if (image.isNull() || !QDir().mkpath(saveFolder_)) return false;
  // A link planted in our place would carry the bitmap elsewhere.
  const QFileInfo target(copyPath());
  if (target.isSymLink() && !QFile::remove(copyPath())) return false;
  QSaveFile file(copyPath());
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "BMP")) return false;
  return file.commit();
}

void Wallpaper::CallPortal(const QString& uri) {
  // The request's object path is known before the call, so its answer cannot be missed.
  const QString token = QStringLiteral("tunewharf%1").arg(++token_);
  QString sender = env_.bus.baseService();
  sender.remove(0, sender.startsWith(u':') ? 1 : 0);
  sender.replace(u'.', u'_');
  handle_ = kPortalPath + QStringLiteral("/request/") + sender + u'/' + token;
  env_.bus.connect(kPortalService, handle_, QStringLiteral("org.freedesktop.portal.Request"),
                   QStringLiteral("Response"), this, SLOT(OnPortalResponse(uint, QVariantMap)));

  QDBusMessage call = QDBusMessage::createMethodCall(
      kPortalService, kPortalPath, QStringLiteral("org.freedesktop.portal.Wallpaper"),
      QStringLiteral("SetWallpaperURI"));
  const QVariantMap options{{QStringLiteral("handle_token"), token},
                            {QStringLiteral("show-preview"), false},
                            {QStringLiteral("set-on"), QStringLiteral("background")}};
  call << QString() << uri << options;
  auto* watcher = new QDBusPendingCallWatcher(env_.bus.asyncCall(call, kPortalCallMs), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, &Wallpaper::OnPortalReply);
}

void Wallpaper::OnPortalReply(QDBusPendingCallWatcher* watcher) {
  watcher->deleteLater();
  const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
  if (reply.isError()) {
    Unsubscribe();
    if (PortalMissing(reply.error())) return TryGnome(uri_);
    return Report(false, QStringLiteral("无法设置桌面壁纸:桌面的壁纸服务出错(") +
                             reply.error().message() + u')');
  }
  // An older portal picks its own request path.
  const QString handle = reply.value().path();
  if (handle != handle_ && !handle.isEmpty()) {
    Unsubscribe();
    handle_ = handle;
    env_.bus.connect(kPortalService, handle_, QStringLiteral("org.freedesktop.portal.Request"),
                     QStringLiteral("Response"), this, SLOT(OnPortalResponse(uint, QVariantMap)));
  }
}

void Wallpaper::OnPortalResponse(uint response, const QVariantMap&) {
  Unsubscribe();
  if (response == 0) return Report(true, QStringLiteral("设置成功!"));
  Report(false, response == 1 ? QStringLiteral("桌面壁纸没有更改:设置已取消。")
                              : QStringLiteral("无法设置桌面壁纸:桌面拒绝了这张图片。"));
}

void Wallpaper::Unsubscribe() {
  if (handle_.isEmpty()) return;
  env_.bus.disconnect(kPortalService, handle_, QStringLiteral("org.freedesktop.portal.Request"),
                      QStringLiteral("Response"), this, SLOT(OnPortalResponse(uint, QVariantMap)));
  handle_.clear();
}

void Wallpaper::TryGnome(const QString& uri) {
  const QString program = env_.gsettings.isEmpty()
                              ? QStandardPaths::findExecutable(QStringLiteral("gsettings"))
                              : env_.gsettings;
  // Elsewhere the GNOME key would be written and nothing on the screen would change.
  if (!env_.desktop.contains(QLatin1String("GNOME"), Qt::CaseInsensitive) || program.isEmpty())
    return Report(false,
                  QStringLiteral("无法设置桌面壁纸:这个桌面没有壁纸服务(org.freedesktop.portal."
                                 "Wallpaper),也不是可以直接设置背景的 GNOME 桌面。图片已保存在:") +
                      copyPath());
  // The dark-style picture is set too; a GNOME before 42 has no such key, which is no failure.
  RunGsettings(program, QStringLiteral("picture-uri"), uri, [this, program, uri](bool ok) {
    if (!ok) return Report(false, QStringLiteral("无法设置桌面壁纸:GNOME 的背景设置没有写入。"));
    RunGsettings(program, QStringLiteral("picture-uri-dark"), uri,
                 [this](bool) { Report(true, QStringLiteral("设置成功!")); });
  });
}

void Wallpaper::RunGsettings(const QString& program, const QString& key, const QString& uri,
                             std::function<void(bool)> done) {
  // The program gets its arguments as a list: no shell reads the address.
  auto* process = new QProcess(this);
  auto finish = [process, done](bool ok) {
    process->disconnect();
    process->deleteLater();
    done(ok);
  };
  connect(process, &QProcess::finished, this, [finish](int code, QProcess::ExitStatus status) {
    finish(status == QProcess::NormalExit && code == 0);
  });
  connect(process, &QProcess::errorOccurred, this, [finish](QProcess::ProcessError e) {
    if (e == QProcess::FailedToStart) finish(false);
  });
  process->start(program,
                 {QStringLiteral("set"), QStringLiteral("org.gnome.desktop.background"), key, uri});
}

void Wallpaper::Report(bool ok, const QString& message) {
  busy_ = false;
  prompter_.Inform(message, kTitle, ok ? PromptIcon::Information : PromptIcon::Exclamation);
  emit Finished(ok, message);
}
