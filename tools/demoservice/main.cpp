// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// tunewharf-demo [--port N] [--services FILE]: the demo web service on 127.0.0.1.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#include "albumpages.h"
#include "catalogue.h"
#include "chartpages.h"
#include "demoserver.h"
#include "downloadpages.h"
#include "lyricspages.h"
#include "mtvpages.h"
#include "musicpages.h"
#include "noticepage.h"
#include "picturepages.h"
#include "radiopages.h"
#include "singerpages.h"
#include "web/servicehosts.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Tunewharf demo web service"));
  parser.addHelpOption();
  const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port (0: any free one)."),
                                QStringLiteral("N"), QStringLiteral("8460"));
  const QCommandLineOption services(QStringLiteral("services"),
                                    QStringLiteral("services.ini to point at this service."),
                                    QStringLiteral("FILE"));
  parser.addOption(port);
  parser.addOption(services);
  const QCommandLineOption radio(
      QStringLiteral("radiolist"),
      QStringLiteral("radiolist.ini whose stations to point at this service."),
      QStringLiteral("FILE"));
  parser.addOption(radio);
  parser.process(app);

  bool ok = false;
  const uint wanted = parser.value(port).toUInt(&ok);
  if (!ok || wanted > 65535) {
    std::fprintf(stderr, "tunewharf-demo: bad port %s\n", qPrintable(parser.value(port)));
    return 2;
  }
  DemoCatalogue catalogue;
  DemoServer server;
  RegisterMusicSearch(server, catalogue);
  RegisterLyricsSearch(server, catalogue);  // after the music search: they share /m
  RegisterNotice(server);
  RegisterHomePage(server);
  RegisterDownloads(server, catalogue);
  RegisterChartPages(server, catalogue);
  RegisterRadioStations(server, catalogue);
  RegisterSingerPages(server, catalogue);  // after the music search: they share /music.so
  RegisterAlbumPages(server, catalogue);   // after the music search: they share /music.so
  RegisterMtvPages(server, catalogue);
  RegisterPicturePages(server, catalogue);
  if (!server.Listen(static_cast<quint16>(wanted))) {
    std::fprintf(stderr, "tunewharf-demo: cannot listen on 127.0.0.1:%u\n", wanted);
    return 1;
  }
  if (parser.isSet(services)) {
    ServiceHosts hosts = ServiceHosts::Load(parser.value(services));
    hosts.PointAllAt(server.baseUrl());
    if (!hosts.Save(parser.value(services))) {
      std::fprintf(stderr, "tunewharf-demo: cannot write %s\n", qPrintable(parser.value(services)));
      return 1;
    }
  }
  if (parser.isSet(radio) && !PointRadioListAt(parser.value(radio), server.baseUrl()))
    std::fprintf(stderr, "tunewharf-demo: cannot write %s\n", qPrintable(parser.value(radio)));
  std::printf("tunewharf-demo listening on %s\n", qPrintable(server.baseUrl()));
  std::fflush(stdout);
  return app.exec();
}
