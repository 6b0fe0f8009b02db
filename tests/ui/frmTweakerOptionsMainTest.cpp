#include <gtest/gtest.h>

#include "RecordingInteraction.h"
#include "TestSheets.h"
#include "UserInteraction.h"
#include "frmTweakerOptionsMain.h"

namespace {

template <int Tag>
TTestSheet<Tag>* SheetAt(TTweakerOptionsMain& Dialog, const std::string& Text) {
  return dynamic_cast<TTestSheet<Tag>*>(Dialog.Node(NodeNamed(Dialog, Text)).Item->Sheet.get());
}

std::string SelectedText(const TTweakerOptionsMain& Dialog) {
  return Dialog.Selected() < 0 ? std::string() : Dialog.Node(Dialog.Selected()).Text;
}

class OptionsDialogTest : public ::testing::Test {
 protected:
  TRecordingInteraction Interaction;
  TTestSheetRegistration Registration;
};

TEST_F(OptionsDialogTest, TheTreeListsEveryPageWithItsGroupExpanded) {
  TTweakerOptionsMain Dialog;
  std::vector<std::string> Rows;
  for (int Node : Dialog.NodesInTreeOrder())
    Rows.push_back((Dialog.Node(Node).Parent >= 0 ? "  " : "") + Dialog.Node(Node).Text);
  EXPECT_EQ(
      (std::vector<std::string>{"About ZQTTweaker", "ZQT Desktop", "  Desktop UI", "ZQT PocketPC",
                                "  PocketPC UI", "Troubleshooting", "  Debug setting"}),
      Rows);
  for (int Node : Dialog.NodesInTreeOrder())
    EXPECT_EQ(!Dialog.Node(Node).Children.empty(), Dialog.Node(Node).Expanded)
        << Dialog.Node(Node).Text;
  EXPECT_EQ(0, PagesCreated(Dialog));
  EXPECT_FALSE(Dialog.ApplyEnabled());
}

TEST_F(OptionsDialogTest, AChildRegisteredAfterAnotherGroupStaysUnderItsParent) {
  Registration.Names.push_back(
      RegisterOptionsSheet("ZQT Desktop", "Late", TSheetClass::Of<TTestSheet<4>>()));
  TTweakerOptionsMain Dialog;
  std::vector<std::string> Rows;
  for (int Node : Dialog.NodesInTreeOrder()) Rows.push_back(Dialog.Node(Node).Text);
  EXPECT_EQ(
      (std::vector<std::string>{"About ZQTTweaker", "ZQT Desktop", "Desktop UI", "Late",
                                "ZQT PocketPC", "PocketPC UI", "Troubleshooting", "Debug setting"}),
      Rows);
}

TEST_F(OptionsDialogTest, TheStartPageMatchesItsNameExactlyOrFallsBackToTheFirstNode) {
  TTweakerOptionsMain Exact;
  Exact.SelectStartPage("Desktop UI");
  EXPECT_EQ("Desktop UI", SelectedText(Exact));
  ASSERT_NE(nullptr, Exact.CurrentSheet());
  EXPECT_EQ(SheetAt<1>(Exact, "Desktop UI"), Exact.CurrentSheet());

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
  TOptionsSheetBase* Pocket = Open(Dialog, "PocketPC UI");
  ASSERT_NE(nullptr, Pocket);
  Open(Dialog, "About ZQTTweaker");
  EXPECT_EQ(Pocket, Open(Dialog, "PocketPC UI"));
  EXPECT_EQ(2, CreatedSheets);
  EXPECT_EQ(2, PagesCreated(Dialog));
}

TEST_F(OptionsDialogTest, OnceDelayedOnlyThePageWhereTheSelectionRestsIsCreated) {
  TTweakerOptionsMain Dialog;
  Dialog.SelectStartPage("About ZQTTweaker");
  Dialog.SetChangeDelay(TTweakerOptionsMain::ChangeDelay);
  for (const char* Name : {"ZQT Desktop", "Desktop UI", "ZQT PocketPC", "Debug setting"})
    Dialog.tvOptionsSelect(NodeNamed(Dialog, Name));
  EXPECT_EQ(1, PagesCreated(Dialog));
  Dialog.tvOptionsChange();
  EXPECT_EQ(2, PagesCreated(Dialog));
  EXPECT_EQ(SheetAt<3>(Dialog, "Debug setting"), Dialog.CurrentSheet());
}

TEST_F(OptionsDialogTest, AGroupNodeShowsTheHintAndAReleaseOnItsLabelExpandsIt) {
  TTweakerOptionsMain Dialog;
  const int Group = NodeNamed(Dialog, "ZQT Desktop");
  Dialog.tvOptionsExpandedChange(Group, false);
  TOptionsSheetBase* Page = Open(Dialog, "ZQT Desktop");
  ASSERT_NE(nullptr, Page);
  ASSERT_NE(nullptr, Page->Label("lbSheetBaseLabel"));
  EXPECT_TRUE(Page->Label("lbSheetBaseLabel")->Visible);
  EXPECT_EQ("Please select a subentry for options", Page->Label("lbSheetBaseLabel")->Caption);
  Dialog.tvOptionsMouseUp(false);
  EXPECT_FALSE(Dialog.Node(Group).Expanded) << "a release beside the label does not expand";
  Dialog.tvOptionsMouseUp(true);
  EXPECT_TRUE(Dialog.Node(Group).Expanded);
  Dialog.tvOptionsMouseUp(true);
  EXPECT_TRUE(Dialog.Node(Group).Expanded) << "nodes are never collapsed by a release";
  Dialog.btnApplyClick();
  EXPECT_TRUE(AppliedSheets.empty()) << "a group page writes nothing";
}

TEST_F(OptionsDialogTest, ApplyIsEnabledByEditsAndDisabledByApplying) {
  TTweakerOptionsMain Dialog;
  Dialog.SelectStartPage("Desktop UI");
  EXPECT_FALSE(Dialog.ApplyEnabled());
  SheetAt<1>(Dialog, "Desktop UI")->Edit();
  EXPECT_TRUE(Dialog.ApplyEnabled());
  Dialog.btnApplyClick();
  EXPECT_FALSE(Dialog.ApplyEnabled());
  EXPECT_EQ((std::vector<std::string>{"Sheet1"}), AppliedSheets);
  SheetAt<1>(Dialog, "Desktop UI")->Edit();
  EXPECT_TRUE(Dialog.ApplyEnabled());
  EXPECT_TRUE(Dialog.Changed());
}

TEST_F(OptionsDialogTest, ApplyingWritesOnlyCreatedPagesInTreeOrder) {
  TTweakerOptionsMain Dialog;
  Dialog.ApplyAll();
  EXPECT_TRUE(AppliedSheets.empty());
  for (const char* Name : {"Debug setting", "ZQT Desktop", "About ZQTTweaker", "PocketPC UI"})
    Open(Dialog, Name);
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
    for (int Node : Dialog.NodesInTreeOrder()) Open(Dialog, Dialog.Node(Node).Text);
    SheetAt<3>(Dialog, "Debug setting")->Edit();
  }
};

TEST_F(FailingApplyTest, AFailingPageStopsTheApplyAndKeepsApplyEnabled) {
  TTweakerOptionsMain Dialog;
  OpenEveryPage(Dialog);
  Dialog.btnApplyClick();
  EXPECT_EQ((std::vector<std::string>{"Sheet0", "Sheet1", "Sheet2", "Failing"}), AppliedSheets);
  EXPECT_EQ((std::vector<std::string>{"Write registry value failed: LogEnabled"}),
            Interaction.Errors);
  EXPECT_TRUE(Dialog.ApplyEnabled());
}

TEST_F(FailingApplyTest, OkStaysOpenAfterAFailedApplyAndCancelThenCloses) {
  TScriptedFrontEnd User([this](TTweakerOptionsMain& Dialog) {
    OpenEveryPage(Dialog);
    Dialog.btnOKClick();
    EXPECT_EQ(TModalResult::mrNone, Dialog.ModalResult()) << "the dialog stays open";
    EXPECT_EQ(1u, Interaction.Errors.size());
    EXPECT_TRUE(Dialog.ApplyEnabled());
    Dialog.btnCancelClick();
    EXPECT_EQ(TModalResult::mrCancel, Dialog.ModalResult());
  });
  EXPECT_TRUE(ShowTweakerOptions("About ZQTTweaker"));
}

// A page whose loading fails: it reports the failure while it is created.
class TUnloadableSheet : public TOptionsSheetBase {
 public:
  explicit TUnloadableSheet(TOptionsSheetOwner* Owner) : TOptionsSheetBase(Owner) {
    ++CreatedSheets;
    ReportErrorsOf([] { throw Exception("Read registry value failed: UseMargins"); });
  }
};

TEST_F(OptionsDialogTest, APageWhoseLoadFailsIsCreatedAndReportedOnceWhateverFiresMeanwhile) {
  Registration.Names.push_back(
      RegisterOptionsSheet("", "Unloadable", TSheetClass::Of<TUnloadableSheet>()));
  TTweakerOptionsMain Dialog;
  Dialog.SelectStartPage("About ZQTTweaker");
  Dialog.SetChangeDelay(TTweakerOptionsMain::ChangeDelay);
  const int Unloadable = NodeNamed(Dialog, "Unloadable");
  // While the error box is up, the tree's timer fires and the tree reports
  // the same selection again.
  Interaction.OnError = [&] {
    Dialog.tvOptionsSelect(Unloadable);
    Dialog.tvOptionsChange();
  };
  CreatedSheets = 0;
  Dialog.tvOptionsSelect(Unloadable);
  Dialog.tvOptionsChange();
  Dialog.tvOptionsChange();
  EXPECT_EQ(1, CreatedSheets);
  EXPECT_EQ(1u, Interaction.Errors.size());
  EXPECT_EQ(Dialog.Node(Unloadable).Item->Sheet.get(), Dialog.CurrentSheet());
}

TEST_F(OptionsDialogTest, OkAppliesAndCloses) {
  TScriptedFrontEnd User([](TTweakerOptionsMain& Dialog) {
    Open(Dialog, "Debug setting");
    SheetAt<3>(Dialog, "Debug setting")->Edit();
    Dialog.btnOKClick();
    EXPECT_EQ(TModalResult::mrOk, Dialog.ModalResult());
  });
  EXPECT_TRUE(ShowTweakerOptions("About ZQTTweaker"));
  EXPECT_EQ((std::vector<std::string>{"Sheet0", "Sheet3"}), AppliedSheets);
}

TEST_F(OptionsDialogTest, TheResultTellsWhetherAnythingWasEditedNotWhetherItWasApplied) {
  {
    TScriptedFrontEnd User([](TTweakerOptionsMain& Dialog) {
      EXPECT_EQ("About ZQTTweaker", SelectedText(Dialog));
      Dialog.btnOKClick();
    });
    EXPECT_FALSE(ShowTweakerOptions("About ZQTTweaker"));
  }
  TScriptedFrontEnd User([](TTweakerOptionsMain& Dialog) {
    SheetAt<0>(Dialog, "About ZQTTweaker")->Edit();
    Dialog.btnCancelClick();
  });
  EXPECT_TRUE(ShowTweakerOptions("About ZQTTweaker"));
  EXPECT_EQ((std::vector<std::string>{"Sheet0"}), AppliedSheets);
}

TEST_F(OptionsDialogTest, TheCaptionCarriesTheProgramsVersionAndTheTreeItsDelay) {
  std::string Caption;
  TScriptedFrontEnd User([&Caption](TTweakerOptionsMain& Dialog) {
    Caption = Dialog.Caption();
    Dialog.tvOptionsSelect(NodeNamed(Dialog, "Desktop UI"));
    EXPECT_EQ(1, PagesCreated(Dialog)) << "the selection waits for the tree's delay";
  });
  ShowTweakerOptions("About ZQTTweaker");
  EXPECT_EQ("Quorvanta Tweaker for Desktop and PocketPC Editions. Ver. 1.9.1", Caption);
}

TEST(EmptyRegistryDialogTest, WithoutPagesTheTreeIsEmptyAndOkCloses) {
  ASSERT_EQ(nullptr, SheetList);
  TScriptedFrontEnd User([](TTweakerOptionsMain& Dialog) {
    EXPECT_EQ(0, Dialog.NodeCount());
    EXPECT_EQ(nullptr, Dialog.CurrentSheet());
    Dialog.btnOKClick();
    EXPECT_EQ(TModalResult::mrOk, Dialog.ModalResult());
  });
  EXPECT_FALSE(ShowTweakerOptions("About ZQTTweaker"));
}

}  // namespace
