// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <QStringList>

// INI access with the profile-function semantics the configuration relies on: sections and
// keys found case-insensitively, values read back cut to Size - 1 GBK bytes, a missing key
// reading as "", text in GBK with CR LF line ends.
class iniCLS {
 public:
  void SpecifyIni(const QString& filePathName);
  const QString& path() const { return path_; }
  const QString& lastError() const { return error_; }

  // Each write is written to the file at once, whole, unless writes are deferred.
  bool WriteString(const QString& section, const QString& key, const QString& value);
  // size 0 means 50; the value is cut to size - 1 bytes.
  QString ReadString(const QString& section, const QString& key, int size = 0);
  int ReadInt(const QString& section, const QString& key);

  // One section per name (case-insensitive: later copies merge into the first) and one line
  // per key (the first, which is the one reads find), so a hand-edited file comes back clean.
  void Tidy();

  // Collects writes in memory until Commit(), so a save of every key writes the file once.
  void DeferWrites() { deferred_ = true; }
  bool Commit();

 private:
  bool CheckPath();
  bool Load();
  int FindSection(const QString& section) const;  // line index of "[section]", -1 if none
  bool Store();

  QString path_;
  QString error_;
  QStringList lines_;
  bool loaded_ = false;
  bool deferred_ = false;
  bool dirty_ = false;
};
