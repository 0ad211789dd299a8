// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tags/ui/frmid3tag.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "support/scriptedprompter.h"
#include "support/tempappdir.h"
#include "tags/id3v1.h"

namespace {

const QString kTitle = QStringLiteral("ID3-Tag编辑器");

class TagEditor : public ::testing::Test {
 protected:
  QLineEdit* Edit(const char* name) {
    return window.findChild<QLineEdit*>(QString::fromLatin1(name));
  }
  QComboBox* Genre() { return window.findChild<QComboBox*>(QStringLiteral("cmbGenra")); }
  QLabel* Label5() { return window.findChild<QLabel*>(QStringLiteral("Label5")); }
  void Click(const char* name) {
    window.findChild<QPushButton*>(QString::fromLatin1(name))->click();
  }
  QString MakeFile(const QByteArray& bytes) {
    dir.WriteFile(QStringLiteral("song.mp3"), bytes);
    return dir.Path(QStringLiteral("song.mp3"));
  }
  QByteArray Song() const { return dir.ReadFile(QStringLiteral("song.mp3")); }
  void OpenEditable(const QString& path) {
    window.SetMark(QStringLiteral("编辑ID3-Tag"));
    window.Open(true, path);
  }

  TempAppDir dir;
  ScriptedPrompter prompter;
  FrmId3Tag window{prompter};
};

TEST_F(TagEditor, LoadsShowsUnknownGenreAsEmptyAndSavesIt) {
  const QString path = MakeFile(QByteArray(400, 'a'));
  tags::Id3Fields f;
  f.title = QStringLiteral("老歌");
  f.year = QStringLiteral("1999");
  f.genre = 200;
  ASSERT_TRUE(tags::WriteTag(path, f));
  OpenEditable(path);
  EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_TRUE(Label5()->isHidden());
  EXPECT_EQ(Edit("txtFileName")->text(), path);
  EXPECT_EQ(Edit("txtSongName")->text(), QStringLiteral("老歌"));
  EXPECT_EQ(Edit("txtYear")->text(), QStringLiteral("1999"));
  ASSERT_EQ(Genre()->count(), 149);
  EXPECT_EQ(Genre()->currentIndex(), 148);
  EXPECT_TRUE(Genre()->currentText().isEmpty());

  Edit("txtSongName")->setText(QString(31, QLatin1Char('t')));
  Click("Image3");
  EXPECT_FALSE(window.isVisible());
  const QByteArray bytes = Song();
  ASSERT_EQ(bytes.size(), 528);
  EXPECT_EQ(bytes.mid(403, 30), QByteArray(30, 't'));
  EXPECT_EQ(static_cast<unsigned char>(bytes[527]), 255);
  ASSERT_EQ(prompter.asked().size(), 1);
  EXPECT_EQ(prompter.asked()[0].message.text, QStringLiteral("“") + path + "”的ID3-Tag已经保存。");
  EXPECT_EQ(prompter.asked()[0].message.title, kTitle);
  EXPECT_EQ(prompter.asked()[0].message.icon, PromptIcon::Information);

  // Opened again while a web song plays: the last file is gone from the form, so a removal
  // cannot reach it.
  window.SetMark(QStringLiteral("ID3-Tag不可编辑"));
  window.Open(true, QStringLiteral("http://127.0.0.1/a.mp3"));
  EXPECT_TRUE(Edit("txtFileName")->text().isEmpty());
  EXPECT_TRUE(Edit("txtSongName")->text().isEmpty());
  prompter.QueueAnswer(PromptAnswer::Yes);
  Click("cmdRemove");
  EXPECT_EQ(Song().size(), 528);
}

TEST_F(TagEditor, FailuresGiveTheirBoxes) {
  window.Open(false, QString());  // before any song
  EXPECT_EQ(Label5()->text(), QStringLiteral("当前播放URL为空,ID3-Tag不可编辑!"));
  OpenEditable(dir.Path(QStringLiteral("missing.mp3")));
  EXPECT_EQ(prompter.messages(), QStringList{QStringLiteral("这个MP3文件没有ID-TAG信息！")});
  prompter.ClearAsked();
  Click("Image3");
  ASSERT_EQ(prompter.asked().size(), 1);
  EXPECT_EQ(prompter.asked()[0].message.text,
            QStringLiteral("无法保存ID3-Tag。\r\n\r\n请您确认您对这个MP3文件有“写入”的权利。"
                           "如果您有疑问，请和系统管理员联系。"));
  EXPECT_EQ(prompter.asked()[0].message.icon, PromptIcon::Critical);
  EXPECT_FALSE(QFile::exists(dir.Path(QStringLiteral("missing.mp3"))));

  // A web address is never cut.
  prompter.ClearAsked();
  OpenEditable(QStringLiteral("http://127.0.0.1/x.mp3"));
  prompter.ClearAsked();
  prompter.QueueAnswer(PromptAnswer::Yes);
  Click("cmdRemove");
  ASSERT_EQ(prompter.asked().size(), 2);
  EXPECT_EQ(prompter.asked()[1].message.text,
            QStringLiteral("　　无法移除   ID3   Tag。\r\n\r\n　　请您确认您对这个   MP3   "
                           "文件有“写入”的权利。如果您有疑问，请和系统管理员联系。"));
}

TEST_F(TagEditor, RemoveAsksFirstAndClearsTheBoxesOnYes) {
  const QString path = MakeFile(QByteArray(200, 'c'));
  tags::Id3Fields f;
  f.artist = QStringLiteral("someone");
  f.genre = 3;
  ASSERT_TRUE(tags::WriteTag(path, f));
  OpenEditable(path);
  EXPECT_EQ(Genre()->currentIndex(), 3);

  prompter.QueueAnswer(PromptAnswer::No);
  Click("cmdRemove");
  ASSERT_EQ(prompter.asked().size(), 1);
  const PromptMessage& ask = prompter.asked()[0].message;
  EXPECT_EQ(ask.text, QStringLiteral("确实要移除“") + path + "”的   ID3   Tag   吗？");
  EXPECT_EQ(ask.buttons, PromptButtons::YesNo);
  EXPECT_EQ(ask.icon, PromptIcon::Question);
  EXPECT_EQ(ask.title, kTitle);
  EXPECT_EQ(QFileInfo(path).size(), 328);
  EXPECT_EQ(Edit("txtArtist")->text(), QStringLiteral("someone"));

  prompter.QueueAnswer(PromptAnswer::Yes);
  Click("cmdRemove");
  EXPECT_EQ(Song(), QByteArray(200, 'c'));
  EXPECT_TRUE(Edit("txtArtist")->text().isEmpty());
  EXPECT_EQ(Genre()->currentIndex(), 148);
  EXPECT_EQ(prompter.asked().size(), 2);  // no box after a successful removal
}

}  // namespace
