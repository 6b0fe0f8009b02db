// The dialog on screen: its widgets at their places, and clicks, keys and
// the tree's delay reaching the dialog's logic.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "QtOptionsDialog.h"
#include "QtSheet.h"
#include "RecordingInteraction.h"
#include "TestSheets.h"

namespace {

// Runs Action once the next modal dialog is up.
void WhenModal(std::function<void(TQtOptionsDialog&)> Action) {
  QTimer::singleShot(0, [Action] {
    auto* Window = dynamic_cast<TQtOptionsDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(nullptr, Window);
    Action(*Window);
  });
}

int PagesCreated(const TTweakerOptionsMain& Dialog) {
  int Count = 0;
  for (int Node : Dialog.NodesInTreeOrder())
    if (Dialog.Node(Node).Item->Sheet) ++Count;
  return Count;
}

class QtOptionsDialogTest : public ::testing::Test {
 protected:
  TRecordingInteraction Interaction;
  TTestSheetRegistration Registration;
};

TEST_F(QtOptionsDialogTest, TheWidgetsSitWhereTheDialogPutsThem) {
  WhenModal([](TQtOptionsDialog& Window) {
    EXPECT_EQ(QSize(559, 367), Window.size());
    EXPECT_EQ(QRect(0, 0, 174, 367), Window.tvOptions->geometry());
    const int Right = Window.pnlOptionsSheet->width();
    EXPECT_EQ(QRect(Right - 181 - 75, 5, 75, 25), Window.btnOK->geometry());
    EXPECT_EQ(QRect(Right - 93 - 75, 5, 75, 25), Window.btnCancel->geometry());
    EXPECT_EQ(QRect(Right - 5 - 75, 5, 75, 25), Window.btnApply->geometry());
    EXPECT_EQ("&Apply", Window.btnApply->text());
    EXPECT_TRUE(Window.btnOK->isDefault());
    EXPECT_FALSE(Window.btnApply->isEnabled());
    EXPECT_EQ("Quorvanta Tweaker for Desktop and PocketPC Editions. Ver. 1.9.1",
              Window.windowTitle().toStdString());
    EXPECT_EQ("About ZQTTweaker", Window.tvOptions->currentItem()->text(0).toStdString());
    EXPECT_TRUE(Window.Item(NodeNamed(Window.Dialog(), "ZQT Desktop"))->isExpanded());
    Window.reject();
  });
  ShowTweakerOptions("About ZQTTweaker");
}

TEST_F(QtOptionsDialogTest, AGroupPageShowsItsHintAndAReleaseOnTheLabelExpands) {
  WhenModal([](TQtOptionsDialog& Window) {
    QTreeWidgetItem* Group = Window.Item(NodeNamed(Window.Dialog(), "ZQT Desktop"));
    Group->setExpanded(false);
    const QRect Label = Window.tvOptions->visualItemRect(Group);
    QTest::mouseClick(Window.tvOptions->viewport(), Qt::LeftButton, {},
                      Label.topLeft() + QPoint(4, 4));
    EXPECT_TRUE(Group->isExpanded());
    EXPECT_TRUE(QTest::qWaitFor([&] {
      return Window.CurrentSheet() &&
             &Window.CurrentSheet()->Sheet() == Window.Dialog().CurrentSheet() &&
             Window.Dialog().Node(Window.Dialog().Selected()).Text == "ZQT Desktop";
    }));
    auto* Hint = Window.CurrentSheet()->findChild<QLabel*>("lbSheetBaseLabel");
    ASSERT_NE(nullptr, Hint);
    EXPECT_TRUE(Hint->isVisible());
    EXPECT_EQ(QPoint(104, 88), Hint->geometry().topLeft());
    EXPECT_GE(Hint->width(), std::max(167, Hint->sizeHint().width())) << "its whole text shows";
    Window.reject();
  });
  ShowTweakerOptions("About ZQTTweaker");
}

TEST_F(QtOptionsDialogTest, HoldingTheDownKeyCreatesOnlyThePageWhereTheSelectionRests) {
  WhenModal([](TQtOptionsDialog& Window) {
    Window.tvOptions->setFocus();
    for (int Step = 0; Step < 6; ++Step) QTest::keyClick(Window.tvOptions, Qt::Key_Down, {}, 10);
    EXPECT_EQ(1, PagesCreated(Window.Dialog()));
    QTest::qWait(450);
    EXPECT_EQ("Debug setting", Window.tvOptions->currentItem()->text(0).toStdString());
    EXPECT_EQ(2, PagesCreated(Window.Dialog()));
    Window.reject();
  });
  ShowTweakerOptions("About ZQTTweaker");
}

TEST_F(QtOptionsDialogTest, TheButtonsAndEscapeReachTheDialog) {
  WhenModal([](TQtOptionsDialog& Window) {
    dynamic_cast<TTestSheet<0>*>(Window.Dialog().CurrentSheet())->Edit();
    EXPECT_TRUE(Window.btnApply->isEnabled());
    QTest::mouseClick(Window.btnApply, Qt::LeftButton);
    EXPECT_FALSE(Window.btnApply->isEnabled());
    EXPECT_EQ(std::vector<std::string>{"Sheet0"}, AppliedSheets);
    QTest::keyClick(&Window, Qt::Key_Escape);
  });
  EXPECT_TRUE(ShowTweakerOptions("About ZQTTweaker"));
  WhenModal([](TQtOptionsDialog& Window) { QTest::mouseClick(Window.btnOK, Qt::LeftButton); });
  EXPECT_FALSE(ShowTweakerOptions("About ZQTTweaker"));
  EXPECT_EQ((std::vector<std::string>{"Sheet0", "Sheet0"}), AppliedSheets);
}

}  // namespace
