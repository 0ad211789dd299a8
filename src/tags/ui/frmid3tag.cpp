// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/ui/frmid3tag.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "shell/prompter.h"
#include "shell/ui/skin.h"
#include "tags/id3v1.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kAskAdmin = QStringLiteral("如果您有疑问，请和系统管理员联系。");

QLabel* MakeLabel(QWidget* parent, const QString& text) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, skin::kText);
  label->setPalette(pal);
  return label;
}
}  // namespace

FrmId3Tag::FrmId3Tag(Prompter& prompter, QWidget* parent)
    : SkinnedWindow(kCaption, parent), prompter_(prompter) {
  setObjectName(QStringLiteral("frmID3Tag"));
  SetGeometryTwips(0, 0, kWidth, kHeight);
  int top = titleHeight() + 8;
  constexpr int kRow = 26;
  txtFileName_ = AddRow("txtFileName", QStringLiteral("文件:"), top);
  txtFileName_->setReadOnly(true);
  txtSongName_ = AddRow("txtSongName", QStringLiteral("歌名:"), top += kRow);
  txtArtist_ = AddRow("txtArtist", QStringLiteral("歌手:"), top += kRow);
  txtAlbum_ = AddRow("txtAlbum", QStringLiteral("专辑:"), top += kRow);
  txtYear_ = AddRow("txtYear", QStringLiteral("年份:"), top += kRow);
  txtComment_ = AddRow("txtComment", QStringLiteral("备注:"), top += kRow);
  top += kRow;
  MakeLabel(this, QStringLiteral("流派:"))->setGeometry(10, top, 50, 22);
  cmbGenra_ = new QComboBox(this);
  cmbGenra_->setObjectName(QStringLiteral("cmbGenra"));
  cmbGenra_->setGeometry(62, top, width() - 72, 22);
  top += kRow + 4;

  label5_ = MakeLabel(this, QString());
  label5_->setObjectName(QStringLiteral("Label5"));
  label5_->setGeometry(10, top, width() - 20, 20);
  label5_->hide();
  top += 24;

  auto button = [this, top](const char* name, const QString& text, int left) {
    auto* b = new QPushButton(text, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(left, top, 80, 26);
    return b;
  };
  const int right = width() - 10;
  connect(button("Image3", QStringLiteral("保存(&S)"), right - 260), &QPushButton::clicked, this,
          &FrmId3Tag::Save);
  connect(button("cmdRemove", QStringLiteral("移除(&R)"), right - 172), &QPushButton::clicked, this,
          &FrmId3Tag::Remove);
  connect(button("cmdClose", QStringLiteral("关闭(&C)"), right - 84), &QPushButton::clicked, this,
          &QWidget::close);
}

QLineEdit* FrmId3Tag::AddRow(const char* name, const QString& label, int top) {
  MakeLabel(this, label)->setGeometry(10, top, 50, 22);
  auto* edit = new QLineEdit(this);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setGeometry(62, top, width() - 72, 22);
  return edit;
}

void FrmId3Tag::Open(bool playing, const QString& address) {
  // Each opening starts from an empty form: nothing of the last file may be saved or removed.
  txtFileName_->clear();
  ClearFields();
  cmbGenra_->clear();
  SetTopmost(true);
  show();
  raise();
  if (mark_ == kNotEditable) {
    label5_->setText(playing ? QStringLiteral("当前播放的是网络URL,ID3-Tag不可编辑!")
                             : QStringLiteral("当前播放URL为空,ID3-Tag不可编辑!"));
    label5_->show();
    return;
  }
  label5_->hide();
  txtFileName_->setText(address);
  if (!address.trimmed().isEmpty()) LoadTag();
}

void FrmId3Tag::LoadTag() {
  const QString file = txtFileName_->text().trimmed();
  if (file.isEmpty()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  cmbGenra_->clear();
  cmbGenra_->addItems(tags::GenreNames());
  cmbGenra_->addItem(QString());
  cmbGenra_->setCurrentIndex(tags::kGenreCount);
  const int state = tags::TagState(file);
  tags::Id3Fields fields;
  if (state != 2 && tags::ReadTag(file, fields)) {
    txtSongName_->setText(tags::ShownText(fields.title));
    txtArtist_->setText(tags::ShownText(fields.artist));
    txtAlbum_->setText(tags::ShownText(fields.album));
    txtYear_->setText(tags::ShownText(fields.year));
    txtComment_->setText(tags::ShownText(fields.comment));
    cmbGenra_->setCurrentIndex(tags::GenreToListIndex(fields.genre));
  }
  QApplication::restoreOverrideCursor();
  if (state == 2)
    prompter_.Inform(QStringLiteral("这个MP3文件没有ID-TAG信息！"), kCaption,
                     PromptIcon::Information);
}

void FrmId3Tag::Save() {
  SetTopmost(false);
  if (mark_ == kNotEditable) {
    close();
    return;
  }
  hide();
  const QString file = txtFileName_->text();
  tags::Id3Fields fields;
  fields.title = txtSongName_->text();
  fields.artist = txtArtist_->text();
  fields.album = txtAlbum_->text();
  fields.year = txtYear_->text();
  fields.comment = txtComment_->text();
  fields.genre = tags::GenreFromName(cmbGenra_->currentText());
  if (tags::WriteTag(file, fields)) {
    prompter_.Inform(QStringLiteral("“") + file + QStringLiteral("”的ID3-Tag已经保存。"), kCaption,
                     PromptIcon::Information);
  } else {
    prompter_.Inform(QStringLiteral("无法保存ID3-Tag。") + kCrLf + kCrLf +
                         QStringLiteral("请您确认您对这个MP3文件有“写入”的权利。") + kAskAdmin,
                     kCaption, PromptIcon::Critical);
  }
  close();
}

void FrmId3Tag::Remove() {
  const QString file = txtFileName_->text();
  const PromptMessage ask{
      QStringLiteral("确实要移除“") + file + QStringLiteral("”的   ID3   Tag   吗？"), kCaption,
      PromptIcon::Question, PromptButtons::YesNo, true};
  if (prompter_.Ask(ask) != PromptAnswer::Yes) return;
  if (tags::RemoveTag(file)) {
    ClearFields();
    return;
  }
  prompter_.Inform(QStringLiteral("　　无法移除   ID3   Tag。") + kCrLf + kCrLf +
                       QStringLiteral("　　请您确认您对这个   MP3   文件有“写入”的权利。") +
                       kAskAdmin,
                   kCaption, PromptIcon::Critical);
}

void FrmId3Tag::ClearFields() {
  for (QLineEdit* edit : {txtSongName_, txtArtist_, txtAlbum_, txtYear_, txtComment_})
    edit->clear();
  if (cmbGenra_->count() > 0) cmbGenra_->setCurrentIndex(cmbGenra_->count() - 1);
}
