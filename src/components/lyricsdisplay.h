// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QColor>
#include <QObject>
#include <QString>

// The lyrics display the lyrics window hosts (control LRC1): loads an .lrc file, shows its
// lines and highlights the line of a given time. The widget in components/ui draws it.
class LyricsDisplayNotifier : public QObject {
  Q_OBJECT
 signals:
  void NeededWidth(int twips);          // the width the longest line needs, after a load
  void PositionPicked(double seconds);  // the user clicked a line
};

class LyricsDisplay {
 public:
  virtual ~LyricsDisplay() = default;

  // Parses and shows the file and remembers the path exactly as given.
  virtual void LoadFile(const QString& path) = 0;
  virtual void Clear() = 0;
  // Shown in place of lyrics; CR LF splits lines.
  virtual void ShowMessage(const QString& text) = 0;
  // Exactly the path last given to LoadFile; "" after Clear or none.
  virtual QString loadedFile() const = 0;
  // Seconds with one decimal, such as "83.4".
  virtual void ShowPosition(const QString& seconds) = 0;
  virtual void SetAlignment(int alignment) = 0;  // -1 left, 0 centre, 1 right

  virtual QColor foreColor() const = 0;
  virtual QColor backColor() const = 0;
  virtual QColor highlightColor() const = 0;
  virtual void SetForeColor(const QColor& color) = 0;
  virtual void SetBackColor(const QColor& color) = 0;
  virtual void SetHighlightColor(const QColor& color) = 0;

  virtual void SetGeometryTwips(int left, int top, int width, int height) = 0;
  virtual int widthTwips() const = 0;

  LyricsDisplayNotifier* notifier() { return &notifier_; }

 private:
  LyricsDisplayNotifier notifier_;
};
