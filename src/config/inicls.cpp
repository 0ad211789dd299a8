// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "config/inicls.h"

#include <QFileInfo>
#include <limits>

#include "common/gbk.h"
#include "common/numparse.h"
#include "common/textfile.h"

namespace {
QString SectionName(const QString& line) {
  const QString t = line.trimmed();
  if (t.size() < 2 || t.front() != u'[') return QString();
  const qsizetype close = t.indexOf(u']');
  return close > 0 ? t.mid(1, close - 1).trimmed() : QString();
}

bool IsSection(const QString& line) {
  return line.trimmed().startsWith(u'[');
}

// The key of a "key=value" line, "" for comments and other lines.
QString KeyOf(const QString& line) {
  const QString t = line.trimmed();
  if (t.isEmpty() || t.front() == u';') return QString();
  const qsizetype eq = t.indexOf(u'=');
  return eq > 0 ? t.left(eq).trimmed() : QString();
}
}  // namespace

void iniCLS::SpecifyIni(const QString& filePathName) {
  path_ = filePathName.trimmed();
  loaded_ = false;
}

bool iniCLS::CheckPath() {
  if (!path_.isEmpty()) return true;
  error_ = QStringLiteral("没有指定 INI 文件");
  return false;
}

bool iniCLS::Load() {
  // The file is read afresh for every run that did not write yet, so others' changes show.
  if (loaded_ && dirty_) return true;
  auto content = common::ReadTextFile(path_, 1 << 20);
  lines_ = content ? content->lines : QStringList();
  loaded_ = true;
  return true;
}

int iniCLS::FindSection(const QString& section) const {
  for (int i = 0; i < lines_.size(); ++i)
    if (SectionName(lines_[i]).compare(section, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

bool iniCLS::WriteString(const QString& section, const QString& key, const QString& value) {
  if (!CheckPath()) return false;
  Load();
  const QString line = key + u'=' + value;
  int s = FindSection(section);
  if (s < 0) {
    lines_ << u'[' + section + u']' << line;
  } else {
    int end = s + 1;
    int found = -1;
    for (; end < lines_.size() && !IsSection(lines_[end]); ++end)
      if (found < 0 && KeyOf(lines_[end]).compare(key, Qt::CaseInsensitive) == 0) found = end;
    if (found >= 0) {
      // The key keeps the spelling it has in the file.
      lines_[found] = KeyOf(lines_[found]) + u'=' + value;
    } else {
      // After the section's last non-blank line, as the profile writer puts new keys.
      int at = end;
      while (at > s + 1 && lines_[at - 1].trimmed().isEmpty()) --at;
      lines_.insert(at, line);
    }
  }
  dirty_ = true;
  if (deferred_) return true;
  if (!Store()) {
    error_ = QStringLiteral("写入失败");
    return false;
  }
  return true;
}

void iniCLS::Tidy() {
  if (!CheckPath()) return;
  Load();
  QStringList out;
  QList<QStringList> sections;  // lines of each section, header first
  QStringList names;            // lower-case names, in order of first appearance
  int current = -1;
  for (const QString& line : std::as_const(lines_)) {
    if (IsSection(line)) {
      const QString name = SectionName(line);
      current = static_cast<int>(names.indexOf(name.toLower()));
      if (current < 0) {
        names << name.toLower();
        sections.append(QStringList{u'[' + name + u']'});
        current = static_cast<int>(sections.size()) - 1;
      }
      continue;
    }
    if (line.trimmed().isEmpty()) continue;
    if (current < 0) {
      out << line;
      continue;
    }
    QStringList& lines = sections[current];
    const QString key = KeyOf(line);
    bool seen = false;
    if (!key.isEmpty())
      for (qsizetype k = 1; k < lines.size() && !seen; ++k)
        seen = KeyOf(lines[k]).compare(key, Qt::CaseInsensitive) == 0;
    if (!seen) lines << line;
  }
  for (const QStringList& lines : std::as_const(sections)) out << lines;
  if (out != lines_) {
    lines_ = out;
    dirty_ = true;
  }
}

bool iniCLS::Store() {
  if (!common::WriteTextFile(path_, lines_)) return false;
  dirty_ = false;
  return true;
}

bool iniCLS::Commit() {
  deferred_ = false;
  if (!dirty_) return true;
  if (!CheckPath() || !Store()) {
    error_ = QStringLiteral("写入失败");
    return false;
  }
  return true;
}

QString iniCLS::ReadString(const QString& section, const QString& key, int size) {
  if (!CheckPath()) return QString();
  if (size <= 0) size = 50;
  Load();
  const int s = FindSection(section);
  if (s < 0) return QString();
  for (int i = s + 1; i < lines_.size() && !IsSection(lines_[i]); ++i) {
    if (KeyOf(lines_[i]).compare(key, Qt::CaseInsensitive) != 0) continue;
    QString value = lines_[i].mid(lines_[i].indexOf(u'=') + 1).trimmed();
    // Quotes around a whole value are dropped by the profile reader.
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
      value = value.mid(1, value.size() - 2);
    return common::CutToGbkBytes(value, size - 1);
  }
  return QString();
}

int iniCLS::ReadInt(const QString& section, const QString& key) {
  const QString text = ReadString(section, key);
  if (text.isEmpty()) {
    error_ = QStringLiteral("不能读取");
    return 0;
  }
  const double n = common::Val(text);
  // A number outside int reads as unreadable; casting it would be undefined.
  if (!(n >= std::numeric_limits<int>::min() && n <= std::numeric_limits<int>::max())) {
    error_ = QStringLiteral("不能读取");
    return 0;
  }
  return static_cast<int>(n);
}
