// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/radiolist.h"

namespace web {

const QList<RadioCategory>& RadioCategories() {
  static const QList<RadioCategory> categories = [] {
    static const char* const rows[kRadioCategoryCount][2] = {
        {"中央广播电台", "zhongyang"},      {"上海广播电台", "shanghai"},
        {"北京广播电台", "beijing"},        {"安徽广播电台", "anhui"},
        {"浙江广播电台", "zhejiang"},       {"河南广播电台", "henan"},
        {"河北广播电台", "hebei"},          {"陕西广播电台", "shannxi"},
        {"山西广播电台", "shanxi"},         {"四川广播电台", "sichuan"},
        {"湖南广播电台", "hunan"},          {"广东广播电台", "guangdong"},
        {"福建广播电台", "xiamen"},         {"山东广播电台", "shandong"},
        {"黑龙江广播电台", "heilongjiang"}, {"江苏广播电台", "jiangsu"},
        {"湖北广播电台", "hubei"},          {"西部地区广播电台", "xibu"},
        {"北部地区广播电台", "beibu"},      {"港澳广播电台", "xianggang"},
        {"台湾广播电台", "taiwan"},         {"TOP100优秀电台", "bbc"},
        {"网络广播电台", "qita"},           {"音乐广播电台", "yinyue"},
        {"国外广播电台", "guowai"}};
    QList<RadioCategory> list;
    for (int i = 0; i < kRadioCategoryCount; ++i)
      list.append({QStringLiteral("%1. ").arg(i + 1, 2, 10, QLatin1Char('0')) +
                       QString::fromUtf8(rows[i][0]),
                   u'[' + QString::fromLatin1(rows[i][1]) + u']'});
    return list;
  }();
  return categories;
}

QString RadioCategoryLabel(const QString& caption) {
  return QString(caption).remove(QStringLiteral("广播")).mid(4);
}

QString JoinRadioText(const QStringList& lines) {
  QString text;
  qsizetype size = 0;
  for (const QString& line : lines) size += line.size() + 2;
  text.reserve(size);
  for (const QString& line : lines) text += line + QStringLiteral("**");
  return text;
}

QList<RadioStation> RadioSectionStations(const QString& radioText, const QString& section) {
  QList<RadioStation> stations;
  const qsizetype at = radioText.indexOf(section);
  if (at < 0 || section.isEmpty()) return stations;
  const qsizetype begin = at + section.size();
  qsizetype end = radioText.indexOf(u'[', begin);
  if (end < 0) end = radioText.size();
  const QStringList pieces = radioText.mid(begin, end - begin).split(QStringLiteral("**"));
  for (const QString& piece : pieces) {
    if (piece.isEmpty() || !piece.contains(u'=')) continue;
    const QStringList parts = piece.split(u'=');
    stations.append({parts.at(0), parts.at(1)});
  }
  return stations;
}

}  // namespace web
