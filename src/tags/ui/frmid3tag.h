// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "shell/ui/skinnedwindow.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Prompter;

// "ID3-Tag编辑器": shows, saves and removes the ID3v1 tag of the file that is playing.
// The engine's mark says whether the playing address is a local file that may be edited.
class FrmId3Tag : public SkinnedWindow {
  Q_OBJECT

 public:
  static constexpr int kWidth = 5400;
  static constexpr int kHeight = 3900;
  inline static const QString kCaption = QStringLiteral("ID3-Tag编辑器");
  inline static const QString kEditable = QStringLiteral("编辑ID3-Tag");
  inline static const QString kNotEditable = QStringLiteral("ID3-Tag不可编辑");

  explicit FrmId3Tag(Prompter& prompter, QWidget* parent = nullptr);

  // The mark the engine sets when a song starts playing.
  void SetMark(const QString& mark) { mark_ = mark; }
  const QString& mark() const { return mark_; }
  // Shows the window topmost and loads the tag of `address` when the mark allows.
  void Open(bool playing, const QString& address);
  // Reads the tag of the file in txtFileName into the boxes.
  void LoadTag();
  void Save();    // Image3
  void Remove();  // cmdRemove

 private:
  QLineEdit* AddRow(const char* name, const QString& label, int top);
  void ClearFields();

  Prompter& prompter_;
  QString mark_ = kNotEditable;
  QLineEdit* txtFileName_ = nullptr;
  QLineEdit* txtSongName_ = nullptr;
  QLineEdit* txtArtist_ = nullptr;
  QLineEdit* txtAlbum_ = nullptr;
  QLineEdit* txtYear_ = nullptr;
  QLineEdit* txtComment_ = nullptr;
  QComboBox* cmbGenra_ = nullptr;
  QLabel* label5_ = nullptr;
};
