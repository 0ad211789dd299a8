// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The tag editor: the engine's editability mark and the main window's ID3 button.
#include "app/ui/appcontext.h"
#include "components/mediaplayer.h"
#include "playback/playbackengine.h"
#include "playback/ui/mainwindow.h"
#include "tags/ui/frmid3tag.h"

void AppContext::ConnectTags() {
  connect(engine_.get(), &PlaybackEngine::TagEditorTextChanged, this, [this](const QString& mark) {
    tagEditorMark_ = mark;
    if (tagEditor_) tagEditor_->SetMark(mark);
  });
  connect(mainWindow_, &MainWindow::TagEditorRequested, this, [this] {
    tagEditor()->Open(player().playState() == PlayState::Playing, player().url());
  });
}

FrmId3Tag* AppContext::tagEditor() {
  if (!tagEditor_) {
    tagEditor_ = new FrmId3Tag(*prompter_);
    if (tagEditorMark_) tagEditor_->SetMark(*tagEditorMark_);
    // First shown over the main window, where the user's eyes are; it stays where it is moved.
    QRect place = tagEditor_->geometry();
    place.moveCenter(mainWindow_->geometry().center());
    tagEditor_->move(place.topLeft());
  }
  return tagEditor_;
}
