// SPDX-FileCopyrightText: 2026 The Tunewharf developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor window, the tray popup and icon, and the prompter's filter strings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include "shell/ui/monitorwindow.h"
#include "shell/ui/qtprompter.h"
#include "shell/ui/trayicon.h"
#include "shell/ui/traypopup.h"
#include "support/gridclick.h"

namespace {

TEST(MonitorWindow, DoubleClickOnRow16PlusKTriesCandidateK) {
  MonitorModel model;
  MonitorWindow w(model);
  EXPECT_FALSE(w.isVisible());  // loaded hidden
  w.show();
  auto* grid = w.findChild<QTableView*>(QStringLiteral("MSFlexGrid1"));
  ASSERT_NE(grid, nullptr);
  QList<int> chosen;
  QObject::connect(&w, &MonitorWindow::CandidateChosen, [&](int k) { chosen << k; });
  for (int row : {1, 9, 15, 16, 19, 35}) DoubleClickRow(grid, row);
  EXPECT_EQ(chosen, (QList<int>{0, 3, 19}));

  bool webPlaying = false;  // a playlist song plays: candidates mean nothing
  w.SetWebResultPlaying([&] { return webPlaying; });
  DoubleClickRow(grid, 17);
  webPlaying = true;
  DoubleClickRow(grid, 17);
  EXPECT_EQ(chosen, (QList<int>{0, 3, 19, 1}));
}

// The model gathers candidates while no window exists; a window built later shows the mark.
TEST(MonitorWindow, MarksTheTriedCandidateAndClears) {
  MonitorModel model;
  model.SetCandidates({QStringLiteral("...?id=1"), QStringLiteral("...?id=2")});
  model.MarkCandidateRow(17);
  MonitorWindow w(model);
  QAbstractItemModel* m = w.grid()->model();
  const QModelIndex value = m->index(17 - 1, 2);
  EXPECT_EQ(m->data(value, Qt::ForegroundRole).value<QColor>(), QColor(77, 163, 12));
  EXPECT_FALSE(m->data(m->index(17 - 1, 0), Qt::DecorationRole).value<QIcon>().isNull());
  EXPECT_FALSE(m->data(m->index(16 - 1, 2), Qt::ForegroundRole).isValid());

  model.MarkCandidateRow(16);  // the next one: the mark moves
  EXPECT_FALSE(m->data(value, Qt::ForegroundRole).isValid());
  EXPECT_TRUE(m->data(m->index(16 - 1, 2), Qt::ForegroundRole).isValid());

  model.ClearCandidates();
  EXPECT_EQ(m->data(m->index(16 - 1, 2)).toString(), QString());
  EXPECT_EQ(m->data(m->index(17 - 1, 2)).toString(), QString());
  EXPECT_FALSE(m->data(m->index(16 - 1, 2), Qt::ForegroundRole).isValid());
  EXPECT_TRUE(m->data(m->index(16 - 1, 0), Qt::DecorationRole).isNull());
}

TEST(MonitorWindow, FitsUnderTheMainWindow) {
  MonitorModel model;
  MonitorWindow w(model);
  w.FitToMainWindow(QRect(0, 0, 4500, 4000));
  EXPECT_EQ(w.width(), 300);
  EXPECT_EQ(w.height(), 433);  // (4000 + 2500) twips
}

class Popup : public ::testing::Test {
 protected:
  void SetUp() override { popup.Popup(QPoint(50, 50)); }
  TrayPopup popup;
};

TEST_F(Popup, ItemsRunTheirControlCommandAndClose) {
  QSignalSpy chosen(&popup, &TrayPopup::ControlChosen);
  for (int i : {0, 4, 8}) {
    popup.Popup(QPoint(50, 50));
    QTest::mouseMove(&popup, popup.itemRect(i).center());
    EXPECT_EQ(popup.highlighted(), i);
    QTest::mouseClick(&popup, Qt::LeftButton, {}, popup.itemRect(i).center());
    EXPECT_FALSE(popup.isVisible());
    EXPECT_FALSE(popup.timer().isActive());
  }
  ASSERT_EQ(chosen.count(), 3);
  EXPECT_EQ(chosen[1][0].toInt(), 4);
  EXPECT_EQ(chosen[2][0].toInt(), 8);
}

TEST_F(Popup, ClosesOnABackgroundClickOrWhenAnotherWindowTakesTheForeground) {
  QSignalSpy chosen(&popup, &TrayPopup::ControlChosen);
  QTest::mouseClick(&popup, Qt::LeftButton, {}, QPoint(1, 1));
  EXPECT_FALSE(popup.isVisible());
  EXPECT_EQ(chosen.count(), 0);

  popup.Popup(QPoint(50, 50));
  popup.OnTimerTick();
  EXPECT_TRUE(popup.isVisible());
  QWidget other(nullptr, Qt::Popup);
  other.show();
  popup.OnTimerTick();
  EXPECT_FALSE(popup.isVisible());
  EXPECT_FALSE(popup.timer().isActive());
}

TEST(TrayIcon, TipAndRestoreWithoutATray) {
  QWidget main;
  TrayPopup popup;
  TrayIcon tray(&main, &popup);
  // The offscreen platform has no tray: the caller must learn that, not hide the window.
  EXPECT_EQ(tray.Show(), TrayIcon::Available());
  EXPECT_EQ(tray.toolTip(), QStringLiteral("Tunewharf"));
  tray.SetPlayingTitle(QStringLiteral("夜曲"));
  EXPECT_EQ(tray.toolTip(), QStringLiteral("夜曲"));
  tray.SetPlayingTitle(QStringLiteral("<img src=\"/dev/zero\">"));
  EXPECT_FALSE(tray.toolTip().contains(QStringLiteral("<img")));
  tray.OnActivated(QSystemTrayIcon::DoubleClick);
  EXPECT_TRUE(main.isVisible());
  tray.OnActivated(QSystemTrayIcon::Context);
  EXPECT_TRUE(popup.isVisible());
}

TEST(QtPrompter, FilterStrings) {
  const std::pair<const char*, const char*> cases[] = {
      {"媒体文件|*.mp3;*.wma", "媒体文件 (*.mp3 *.wma)"},
      {"列表(*.lst)|*.lst|所有文件|*.*", "列表(*.lst) (*.lst);;所有文件 (*.*)"},
      {"歌词文件|*.lrc|", "歌词文件 (*.lrc)"},
      {"Text only", "Text only (*)"},
      {"", ""},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(QtPrompter::ToQtFilter(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

// Answers the dialog the prompter is about to show, from inside its event loop.
template <typename Dialog, typename Fn>
void WhenShown(Fn fn) {
  QTimer::singleShot(0, [fn] {
    auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    ASSERT_NE(d, nullptr);
    fn(d);
  });
}

TEST(QtPrompter, PlainTextModalBoxesOnTop) {
  QtPrompter prompter;
  WhenShown<QMessageBox>([](QMessageBox* box) {
    EXPECT_EQ(box->windowTitle(), QStringLiteral("添加歌曲重复,请选择..."));
    EXPECT_EQ(box->text(), QStringLiteral("<img src=\"/dev/zero\">"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->icon(), QMessageBox::Information);
    EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(box->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Ok | QMessageBox::Cancel);
    box->button(QMessageBox::Cancel)->click();
  });
  EXPECT_FALSE(prompter.Confirm(QStringLiteral("<img src=\"/dev/zero\">"),
                                QStringLiteral("添加歌曲重复,请选择...")));
  WhenShown<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
  EXPECT_EQ(prompter.Ask({QStringLiteral("?"), QStringLiteral("t"), PromptIcon::Question,
                          PromptButtons::YesNo, true}),
            PromptAnswer::Yes);
  // A question that may come many times also answers the rest at once.
  const std::pair<QString, PromptAnswer> forAll[] = {{"全部替换", PromptAnswer::OkToAll},
                                                     {"全部跳过", PromptAnswer::CancelToAll},
                                                     {"", PromptAnswer::Ok}};
  for (const auto& [caption, answer] : forAll) {
    WhenShown<QMessageBox>([caption = caption](QMessageBox* box) {
      for (QAbstractButton* b : box->buttons())
        if (b->text() == caption) return b->click();
      box->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(prompter.Ask({QStringLiteral("?"), QStringLiteral("t"), PromptIcon::Information,
                            PromptButtons::OkCancelToAll, true}),
              answer)
        << caption.toStdString();
  }

  WhenShown<QInputDialog>([](QInputDialog* d) {
    EXPECT_EQ(d->windowTitle(), QStringLiteral("重命名"));
    EXPECT_EQ(d->textValue(), QStringLiteral("旧名"));
    for (QLabel* label : d->findChildren<QLabel*>()) EXPECT_EQ(label->textFormat(), Qt::PlainText);
    d->setTextValue(QStringLiteral("新名"));
    d->accept();
  });
  EXPECT_EQ(prompter.AskText(QStringLiteral("<b>歌名</b>"), QStringLiteral("重命名"),
                             QStringLiteral("旧名")),
            QStringLiteral("新名"));
  WhenShown<QInputDialog>([](QInputDialog* d) { d->reject(); });
  EXPECT_FALSE(prompter.AskText(QStringLiteral("p"), QStringLiteral("t"), QString()).has_value());
}

}  // namespace
