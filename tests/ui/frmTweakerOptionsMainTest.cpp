#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "RecordingInteraction.h"
#include "TestSheets.h"
#include "frmTweakerOptionsMain.h"

namespace {

template <int Tag>
TTestSheet<Tag>* SheetAt(TTweakerOptionsMain& Dialog, const QString& Text) {
  for (QTreeWidgetItem* Node : Dialog.NodesInTreeOrder())
    if (Node->text(0) == Text)
      return dynamic_cast<TTestSheet<Tag>*>(TTweakerOptionsMain::ItemOf(Node)->Sheet);
  return nullptr;
}

QTreeWidgetItem* NodeNamed(TTweakerOptionsMain& Dialog, const QString& Text) {
  for (QTreeWidgetItem* Node : Dialog.NodesInTreeOrder())
    if (Node->text(0) == Text) return Node;
  return nullptr;
}

// Selects the node and waits until its page is shown, as the user sees it
// once the tree's change delay has passed.
void Select(TTweakerOptionsMain& Dialog, const QString& Text) {
  QTreeWidgetItem* Node = NodeNamed(Dialog, Text);
  ASSERT_NE(nullptr, Node);
  Dialog.tvOptions->setCurrentItem(Node);
  EXPECT_TRUE(QTest::qWaitFor([&] {
    TOptionsSheetBase* Sheet = TTweakerOptionsMain::ItemOf(Node)->Sheet;
    return Sheet && Sheet == Dialog.CurrentSheet();
  }));
}

QString SelectedText(TTweakerOptionsMain& Dialog) {
  return Dialog.tvOptions->currentItem() ? Dialog.tvOptions->currentItem()->text(0) : QString();
}

int PagesCreated(TTweakerOptionsMain& Dialog) {
  int Count = 0;
  for (QTreeWidgetItem* Node : Dialog.NodesInTreeOrder())
    if (TTweakerOptionsMain::ItemOf(Node)->Sheet) ++Count;
  return Count;
}

// Runs Action once the next modal dialog is up.
void WhenModal(std::function<void(TTweakerOptionsMain&)> Action) {
  QTimer::singleShot(0, [Action] {
    auto* Dialog = dynamic_cast<TTweakerOptionsMain*>(QApplication::activeModalWidget());
    ASSERT_NE(nullptr, Dialog);
    Action(*Dialog);
  });
}

class OptionsDialogTest : public ::testing::Test {
 protected:
  TRecordingInteraction Interaction;
  TTestSheetRegistration Registration;
};

TEST_F(OptionsDialogTest, TheTreeListsEveryPageWithItsGroupExpanded) {
  TTweakerOptionsMain Dialog;
  QStringList Rows;
  for (QTreeWidgetItem* Node : Dialog.NodesInTreeOrder())
    Rows << QString(Node->parent() ? "  " : "") + Node->text(0);
  EXPECT_EQ((QStringList{"About ZQTTweaker", "ZQT Desktop", "  Desktop UI", "ZQT PocketPC",
                         "  PocketPC UI", "Troubleshooting", "  Debug setting"}),
            Rows);
  for (int Index = 0; Index < Dialog.tvOptions->topLevelItemCount(); ++Index) {
    QTreeWidgetItem* Top = Dialog.tvOptions->topLevelItem(Index);
    EXPECT_EQ(Top->childCount() > 0, Top->isExpanded()) << Top->text(0).toStdString();
  }
  EXPECT_EQ(0, PagesCreated(Dialog));
  EXPECT_FALSE(Dialog.btnApply->isEnabled());
}

TEST_F(OptionsDialogTest, TheStartPageMatchesItsNameExactlyOrFallsBackToTheFirstNode) {
  TTweakerOptionsMain Exact;
  Exact.SelectStartPage("Desktop UI");
  EXPECT_EQ("Desktop UI", SelectedText(Exact));
  EXPECT_EQ(SheetAt<1>(Exact, "Desktop UI"), Exact.CurrentSheet());
  ASSERT_NE(nullptr, Exact.CurrentSheet());

  for (const char* Name : {"desktop ui", "Nothing", ""}) {
    TTweakerOptionsMain Dialog;
    Dialog.SelectStartPage(Name);
    EXPECT_EQ("About ZQTTweaker", SelectedText(Dialog)) << Name;
    EXPECT_EQ(1, PagesCreated(Dialog)) << Name;
  }
}

TEST_F(OptionsDialogTest, PagesAreCreatedOnFirstSelectionAndKept) {
  TTweakerOptionsMain Dialog;
  Dialog.SelectStartPage("About ZQTTweaker");
  Dialog.tvOptions->setCurrentItem(NodeNamed(Dialog, "PocketPC UI"));
  TOptionsSheetBase* Pocket = Dialog.CurrentSheet();
  ASSERT_NE(nullptr, Pocket);
  Dialog.tvOptions->setCurrentItem(NodeNamed(Dialog, "About ZQTTweaker"));
  EXPECT_TRUE(Pocket->isHidden());
  Dialog.tvOptions->setCurrentItem(NodeNamed(Dialog, "PocketPC UI"));
  EXPECT_EQ(Pocket, Dialog.CurrentSheet());
  EXPECT_EQ(2, CreatedSheets);
  EXPECT_EQ(2, PagesCreated(Dialog));
}

TEST_F(OptionsDialogTest, AGroupNodeShowsTheHintAndAReleaseOnItsLabelExpandsIt) {
  TTweakerOptionsMain Dialog;
  Dialog.show();
  QTreeWidgetItem* Group = NodeNamed(Dialog, "ZQT Desktop");
  Group->setExpanded(false);
  Dialog.tvOptions->setCurrentItem(Group);
  ASSERT_NE(nullptr, Dialog.CurrentSheet());
  EXPECT_TRUE(Dialog.CurrentSheet()->findChild<QLabel*>("lbSheetBaseLabel")->isVisible());
  QRect Label = Dialog.tvOptions->visualItemRect(Group);
  QTest::mouseClick(Dialog.tvOptions->viewport(), Qt::LeftButton, {},
                    Label.topLeft() + QPoint(4, 4));
  EXPECT_TRUE(Group->isExpanded());
  QTest::mouseClick(Dialog.tvOptions->viewport(), Qt::LeftButton, {},
                    Label.topLeft() + QPoint(4, 4));
  EXPECT_TRUE(Group->isExpanded());
}

TEST_F(OptionsDialogTest, ApplyIsEnabledByEditsAndDisabledByApplying) {
  TTweakerOptionsMain Dialog;
  Dialog.SelectStartPage("Desktop UI");
  EXPECT_FALSE(Dialog.btnApply->isEnabled());
  SheetAt<1>(Dialog, "Desktop UI")->Edit();
  EXPECT_TRUE(Dialog.btnApply->isEnabled());
  QTest::mouseClick(Dialog.btnApply, Qt::LeftButton);
  EXPECT_FALSE(Dialog.btnApply->isEnabled());
  EXPECT_EQ((std::vector<std::string>{"Sheet1"}), AppliedSheets);
  SheetAt<1>(Dialog, "Desktop UI")->Edit();
  EXPECT_TRUE(Dialog.btnApply->isEnabled());
  EXPECT_TRUE(Dialog.Changed());
}

TEST_F(OptionsDialogTest, ApplyingWritesOnlyCreatedPagesInTreeOrder) {
  TTweakerOptionsMain Dialog;
  Dialog.ApplyAll();
  EXPECT_TRUE(AppliedSheets.empty());
  for (const char* Name : {"Debug setting", "ZQT Desktop", "About ZQTTweaker", "PocketPC UI"})
    Dialog.tvOptions->setCurrentItem(NodeNamed(Dialog, Name));
  Dialog.ApplyAll();
  EXPECT_EQ((std::vector<std::string>{"Sheet0", "Sheet2", "Sheet3"}), AppliedSheets);
}

class FailingApplyTest : public OptionsDialogTest {
 protected:
  FailingApplyTest() {
    Registration.Names.push_back(
        RegisterOptionsSheet("ZQT PocketPC", "Failing", TSheetClass::Of<TFailingSheet>()));
  }
  void OpenEveryPage(TTweakerOptionsMain& Dialog) {
    for (QTreeWidgetItem* Node : Dialog.NodesInTreeOrder()) Select(Dialog, Node->text(0));
    SheetAt<3>(Dialog, "Debug setting")->Edit();
  }
};

TEST_F(FailingApplyTest, AFailingPageStopsTheApplyAndKeepsApplyEnabled) {
  TTweakerOptionsMain Dialog;
  OpenEveryPage(Dialog);
  QTest::mouseClick(Dialog.btnApply, Qt::LeftButton);
  EXPECT_EQ((std::vector<std::string>{"Sheet0", "Sheet1", "Sheet2", "Failing"}), AppliedSheets);
  EXPECT_EQ((std::vector<std::string>{"Write registry value failed: LogEnabled"}),
            Interaction.Errors);
  EXPECT_TRUE(Dialog.btnApply->isEnabled());
}

TEST_F(FailingApplyTest, OkStaysOpenAfterAFailedApplyAndCancelThenCloses) {
  bool Changed = false;
  WhenModal([this](TTweakerOptionsMain& Dialog) {
    OpenEveryPage(Dialog);
    QTest::mouseClick(Dialog.btnOK, Qt::LeftButton);
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_EQ(1u, Interaction.Errors.size());
    EXPECT_TRUE(Dialog.btnApply->isEnabled());
    QTest::mouseClick(Dialog.btnCancel, Qt::LeftButton);
  });
  Changed = ShowTweakerOptions("About ZQTTweaker");
  EXPECT_TRUE(Changed);
}

TEST_F(OptionsDialogTest, OkAppliesAndCloses) {
  WhenModal([](TTweakerOptionsMain& Dialog) {
    Select(Dialog, "Debug setting");
    SheetAt<3>(Dialog, "Debug setting")->Edit();
    QTest::mouseClick(Dialog.btnOK, Qt::LeftButton);
  });
  EXPECT_TRUE(ShowTweakerOptions("About ZQTTweaker"));
  EXPECT_EQ((std::vector<std::string>{"Sheet0", "Sheet3"}), AppliedSheets);
}

TEST_F(OptionsDialogTest, TheResultTellsWhetherAnythingWasEditedNotWhetherItWasApplied) {
  WhenModal([](TTweakerOptionsMain& Dialog) {
    EXPECT_EQ("About ZQTTweaker", SelectedText(Dialog));
    QTest::mouseClick(Dialog.btnOK, Qt::LeftButton);
  });
  EXPECT_FALSE(ShowTweakerOptions("About ZQTTweaker"));
  WhenModal([](TTweakerOptionsMain& Dialog) {
    SheetAt<0>(Dialog, "About ZQTTweaker")->Edit();
    QTest::keyClick(&Dialog, Qt::Key_Escape);
  });
  EXPECT_TRUE(ShowTweakerOptions("About ZQTTweaker"));
  EXPECT_EQ((std::vector<std::string>{"Sheet0"}), AppliedSheets);
}

TEST_F(OptionsDialogTest, TheCaptionCarriesTheProgramsVersion) {
  QString Caption;
  WhenModal([&Caption](TTweakerOptionsMain& Dialog) {
    Caption = Dialog.windowTitle();
    Dialog.reject();
  });
  ShowTweakerOptions("About ZQTTweaker");
  EXPECT_EQ("Quorvanta Tweaker for Desktop and PocketPC Editions. Ver. 1.9.1",
            Caption.toStdString());
}

TEST_F(OptionsDialogTest, HoldingTheDownKeyCreatesOnlyThePageWhereTheSelectionRests) {
  WhenModal([](TTweakerOptionsMain& Dialog) {
    Dialog.tvOptions->setFocus();
    for (int Step = 0; Step < 6; ++Step) QTest::keyClick(Dialog.tvOptions, Qt::Key_Down, {}, 10);
    EXPECT_EQ(1, PagesCreated(Dialog));
    QTest::qWait(450);
    EXPECT_EQ("Debug setting", SelectedText(Dialog));
    EXPECT_EQ(2, PagesCreated(Dialog));
    EXPECT_NE(nullptr, SheetAt<3>(Dialog, "Debug setting"));
    Dialog.reject();
  });
  ShowTweakerOptions("About ZQTTweaker");
}

class EmptyRegistryDialogTest : public ::testing::Test {};

TEST_F(EmptyRegistryDialogTest, WithoutPagesTheTreeIsEmptyAndOkCloses) {
  ASSERT_EQ(nullptr, SheetList);
  WhenModal([](TTweakerOptionsMain& Dialog) {
    EXPECT_EQ(0, Dialog.tvOptions->topLevelItemCount());
    EXPECT_EQ(nullptr, Dialog.CurrentSheet());
    QTest::mouseClick(Dialog.btnOK, Qt::LeftButton);
  });
  EXPECT_FALSE(ShowTweakerOptions("About ZQTTweaker"));
}

}  // namespace
