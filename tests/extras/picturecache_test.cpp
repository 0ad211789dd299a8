// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "extras/picturecache.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/encodedimage.h"

namespace {

QByteArray Png(int w, int h) {
  return EncodedImage(w, h);
}

// A PNG whose header claims width x height; its pixel data is a few bytes.
QByteArray PngHeaderClaiming(quint32 width, quint32 height) {
  QByteArray bytes = Png(2, 2);
  for (int i = 0; i < 4; ++i) {
    bytes[16 + i] = static_cast<char>(width >> (24 - 8 * i));
    bytes[20 + i] = static_cast<char>(height >> (24 - 8 * i));
  }
  // The IHDR checksum covers type and data (bytes 12..28), so the lie reaches the size check.
  quint32 crc = 0xFFFFFFFFu;
  for (int i = 12; i < 29; ++i) {
    crc ^= static_cast<quint8>(bytes[i]);
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  crc = ~crc;
  for (int i = 0; i < 4; ++i) bytes[29 + i] = static_cast<char>(crc >> (24 - 8 * i));
  return bytes;
}

TEST(PictureCache, HostileNamesStayInsideTheCache) {
  QTemporaryDir root;
  const QString picTmp = root.path() + "/PicTmp/";
  QDir().mkpath(picTmp);
  for (const QString& name :
       {QStringLiteral(".."), QStringLiteral("../../x"), QStringLiteral("%2e%2e"),
        QStringLiteral("/etc"), QStringLiteral("a/../../b")}) {
    const auto folder = extras::CacheFolder(picTmp, name);
    if (!folder) continue;
    EXPECT_TRUE(folder->startsWith(QDir::cleanPath(picTmp) + "/")) << folder->toStdString();
    EXPECT_FALSE(folder->mid(picTmp.size()).contains("..")) << folder->toStdString();
  }
  EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{"PicTmp"});
  EXPECT_FALSE(extras::CacheFolder(picTmp, "   ").has_value());

  const QString folder = *extras::CacheFolder(picTmp, QStringLiteral("周杰伦"));
  EXPECT_TRUE(QDir(folder).exists());
  EXPECT_EQ(extras::PictureFileName("http://h/p/a%2F..%2Fb.jpg?x=/y#z"), "a%2F_%2Fb.jpg");
  EXPECT_EQ(extras::CachedPicturePath(folder, "http://h/../../evil.desktop"),
            folder + "evil.desktop");
  EXPECT_FALSE(extras::CachedPicturePath(folder, "http://h/dir/").has_value());
}

TEST(PictureCache, PicturesDecodeOnlyWithinTheirSizeLimit) {
  EXPECT_EQ(extras::DecodePicture(Png(40, 30)).size(), QSize(40, 30));
  EXPECT_TRUE(extras::DecodePicture(PngHeaderClaiming(60000, 60000)).isNull());
  EXPECT_TRUE(extras::DecodePicture(Png(300, 300), 200 * 200).isNull());
  EXPECT_TRUE(extras::DecodePicture("GIF89a not really").isNull());

  QTemporaryDir root;
  QFile file(root.filePath("p.png"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(Png(8, 8));
  file.close();
  EXPECT_EQ(extras::LoadPicture(file.fileName()).size(), QSize(8, 8));
  EXPECT_TRUE(extras::LoadPicture(root.path()).isNull());  // a folder
  ASSERT_TRUE(QFile::link(file.fileName(), root.filePath("link.png")));
  EXPECT_TRUE(extras::LoadPicture(root.filePath("link.png")).isNull());
}

TEST(PictureCache, OnlyWebAddressesAreFetched) {
  EXPECT_TRUE(extras::IsWebAddress("http://127.0.0.1:8/a.jpg"));
  EXPECT_TRUE(extras::IsWebAddress("HTTPS://h/a.jpg"));
  for (const char* bad :
       {"file:///etc/passwd", "ftp://h/a", "/tmp/a.jpg", "http://", "javascript:x"})
    EXPECT_FALSE(extras::IsWebAddress(bad)) << bad;
}

}  // namespace
