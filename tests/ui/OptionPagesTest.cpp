// The program's four pages in the real dialog, over a temporary desktop
// registry and the simulated device.
#include <gtest/gtest.h>

#include "RecordingInteraction.h"
#include "RecordingListView.h"
#include "SimulatedDevice.h"
#include "StartedCatalogue.h"
#include "TemporaryRegistry.h"
#include "TestSheets.h"
#include "TweakOptionPage.h"
#include "TweakerPages.h"
#include "ZQTTweakerManager.h"
#include "frmTweakOptDebugging.h"
#include "frmTweakOptIntro.h"
#include "frmTweakerOptionsMain.h"
#include "miniUtils.h"

namespace {

const std::string kAppearance = "Software\\ZQT\\ZQT\\Appearance";
const std::string kMainForm = "Software\\ZQT\\ZQT\\MainForm";
const std::string kDesktopSettings = "Software\\Quorvanta\\Velora\\Settings";

class OptionPagesTest : public ::testing::Test {
 protected:
  ~OptionPagesTest() override {
    Dialog.reset();
    // Whether changes are shown lasts for the process.
    TfrTweakOptions().SetShowChanges(false);
    UnregisterTweakerPages();
  }
  // Starts as the program does: the managers, the catalogue, the pages.
  void Start(bool WithDevice, bool Advanced) {
    if (!WithDevice) Device.RefuseConnection();
    if (Advanced)
      SetRawValue(HKEY_CURRENT_USER, kDesktopSettings, "ZQTTweakerAdvanced", REG_DWORD,
                  DwordBytes(1));
    Program.Start();
    RegisterTweakerPages();
    Dialog = std::make_unique<TTweakerOptionsMain>();
  }
  TfrTweakOptions& Grid(const std::string& Name) {
    TfrTweakOptions& Frame = dynamic_cast<TTweakOptionPage&>(*Open(*Dialog, Name)).frTweakOptions;
    Frame.SetView(&View);
    return Frame;
  }
  static std::vector<std::string> Captions(const TfrTweakOptions& Frame) {
    std::vector<std::string> Rows;
    for (int Row = 0; Row < Frame.RowCount(); ++Row)
      Rows.push_back(WideToAnsi(Frame.VTVGetText(Row, 0), 0));
    return Rows;
  }
  static void Toggle(TfrTweakOptions& Frame, int Row) {
    Frame.VTVChecked(Row, !Frame.IsChecked(Row));
  }
  // The user opens the row's editor with F2 and types Text into it.
  void Edit(TfrTweakOptions& Frame, int Row, const std::string& Text) {
    Frame.VTVChange(Row);
    Frame.GridKeyDown(TListKey::lkF2);
    View.EditorText_ = AnsiToWide(Text, 0);
  }
  // ... and presses Return.
  void Type(TfrTweakOptions& Frame, int Row, const std::string& Text) {
    Edit(Frame, Row, Text);
    Frame.EditorKeyDown(TListKey::lkReturn);
    EXPECT_FALSE(Frame.EditorOpen()) << Text;
  }
  bool DeviceDword(const std::string& Key, const std::string& Name, DWORD Expected) {
    DWORD Type = REG_NONE;
    std::string Bytes;
    return Device.QueryValue(HKEY_CURRENT_USER, Key, Name, Type, Bytes) && Type == REG_DWORD &&
           Bytes == DwordBytes(Expected);
  }

  TRecordingInteraction Interaction;
  TRecordingListView View;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TStartedCatalogue Program;
  std::unique_ptr<TTweakerOptionsMain> Dialog;
};

TEST(PageBeforeTheRunTest, PagesFindTheCatalogueFromTheProgramsStart) {
  TRecordingInteraction Interaction;
  TTweakOptDebugging Debugging(nullptr);
  EXPECT_EQ(0, Debugging.frTweakOptions.RowCount());
  TTweakOptAbout About(nullptr);
  EXPECT_TRUE(About.Label("lbDevice")->Visible);
  EXPECT_TRUE(Interaction.Errors.empty());
}

TEST_F(OptionPagesTest, TheIntroductionSaysWhenNoDeviceWasFound) {
  Start(false, false);
  TOptionsSheetBase* About = Open(*Dialog, "About ZQTTweaker");
  EXPECT_TRUE(About->Label("lbDevice")->Visible);
  EXPECT_FALSE(About->Label("lbSheetBaseLabel")->Visible);
}

TEST_F(OptionPagesTest, TheIntroductionSaysNothingOfAConnectedDevice) {
  Start(true, false);
  TOptionsSheetBase* About = Open(*Dialog, "About ZQTTweaker");
  EXPECT_FALSE(About->Label("lbDevice")->Visible);
  ASSERT_NE(nullptr, About->Label("Label3"));
  EXPECT_TRUE(About->Label("Label3")->Visible);
  EXPECT_TRUE(About->Label("Label3")->Bold);
}

TEST_F(OptionPagesTest, WithoutADeviceOnlyDesktopOptionsAreListed) {
  Start(false, true);
  TfrTweakOptions& Pocket = Grid("PocketPC UI");
  EXPECT_EQ(0, Pocket.RowCount());
  EXPECT_EQ("", Pocket.Description());
  EXPECT_EQ((std::vector<std::string>{"ZQT-Desktop: sync to PocketPC edition logging enabled",
                                      "ZQT-Desktop: keep PPC sync temp files",
                                      "ZQT-Desktop: enable PPC sync trace window",
                                      "ZQT-Desktop: show time stamps and indexes"}),
            Captions(Grid("Debug setting")));
  EXPECT_EQ(std::vector<std::string>{"Expand/collapse delay when drag&drop in outline (ms)"},
            Captions(Grid("Desktop UI")));
  const TSheetLayout& Debugging = Open(*Dialog, "Debug setting")->Layout();
  ASSERT_TRUE(Debugging.Bottom && Debugging.Top);
  EXPECT_EQ("Save all logs to ...", Debugging.Bottom->Buttons.at(0).Caption);
  EXPECT_EQ("These options are used for ZQT troubleshooting", Debugging.Top->Labels.at(0).Caption);
}

TEST_F(OptionPagesTest, AnUnreadableDeviceValueLeavesItsPageEmptyAndUnwritten) {
  Device.SetValue(HKEY_CURRENT_USER, kAppearance, "UseMargins", REG_SZ, DeviceTextBytes(WIDE("1")));
  Start(true, false);
  TfrTweakOptions& Pocket = Grid("PocketPC UI");
  EXPECT_EQ((std::vector<std::string>{"Invalid registry type: UseMargins"}), Interaction.Errors);
  EXPECT_EQ(0, Pocket.RowCount());
  Type(Grid("Desktop UI"), 0, "250");
  Dialog->btnApplyClick();
  EXPECT_FALSE(Dialog->ApplyEnabled());
  EXPECT_EQ(1u, Interaction.Errors.size());
  EXPECT_FALSE(Device.KeyExists(HKEY_CURRENT_USER, kMainForm))
      << "options the user never saw are not written";
}

TEST_F(OptionPagesTest, EditsAreWrittenEndToEndOnOk) {
  Start(true, true);
  TfrTweakOptions& Debugging = Grid("Debug setting");
  ASSERT_EQ("ZQT-PocketPC: application logging enabled", Captions(Debugging).at(4));
  Toggle(Debugging, 4);
  ASSERT_EQ("ZQT-PocketPC: time to live for deleted items", Captions(Debugging).at(9));
  Type(Debugging, 9, "30");
  Type(Grid("Desktop UI"), 0, "500");
  EXPECT_TRUE(Dialog->ApplyEnabled());
  Dialog->btnOKClick();
  EXPECT_TRUE(Interaction.Errors.empty());
  EXPECT_EQ(TModalResult::mrOk, Dialog->ModalResult());

  EXPECT_TRUE(DeviceDword(kAppearance, "LogEnabled", 1));
  EXPECT_TRUE(DeviceDword(kMainForm, "DeletedItemsTTL", 30));
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(QueryRawValue(HKEY_CURRENT_USER, kDesktopSettings, "DragDropExpandCollapseInterval",
                            Type, Bytes));
  EXPECT_EQ(DwordBytes(500), Bytes);
  // Nothing else was written.
  EXPECT_FALSE(Device.QueryValue(HKEY_CURRENT_USER, kAppearance, "ShowTaskStamps", Type, Bytes));
  EXPECT_FALSE(
      Device.QueryValue(HKEY_CURRENT_USER, kMainForm, "EnableCSVImportExport", Type, Bytes));
  for (const char* Key : {"Software\\ZQT\\ZQTRemindSvc", "Software\\ZQT\\Sync"})
    EXPECT_FALSE(Device.KeyExists(HKEY_CURRENT_USER, Key)) << Key;
  for (const char* Key :
       {"Software\\Quorvanta\\Velora\\WMSync", "Software\\ZQT", "Software\\Quorvanta\\Debug"})
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key)) << Key;
}

TEST_F(OptionPagesTest, ARefusedDeviceWriteKeepsTheDialogOpen) {
  Device.SetValue(HKEY_CURRENT_USER, kAppearance, "UseMargins", REG_DWORD, DwordBytes(1));
  Start(true, false);
  Toggle(Grid("Debug setting"), 1);
  Device.RefuseRegistryWrites();
  Dialog->btnOKClick();
  EXPECT_EQ((std::vector<std::string>{"Write registry value failed: LogEnabled"}),
            Interaction.Errors);
  EXPECT_EQ(TModalResult::mrNone, Dialog->ModalResult());
  EXPECT_TRUE(Dialog->ApplyEnabled());
}

}  // namespace

namespace {

TEST_F(OptionPagesTest, ARefusedNumberKeepsTheUserOnItsPageUntilCancelClosesWithoutWriting) {
  Start(false, false);
  TfrTweakOptions& Desktop = Grid("Desktop UI");
  const int DesktopNode = Dialog->Selected();
  Edit(Desktop, 0, "abc");
  EXPECT_FALSE(Dialog->tvOptionsChanging(NodeNamed(*Dialog, "Debug setting")));
  EXPECT_EQ(DesktopNode, Dialog->Selected());
  Dialog->btnApplyClick();
  Dialog->btnOKClick();
  EXPECT_EQ(TModalResult::mrNone, Dialog->ModalResult());
  EXPECT_EQ(3u, Interaction.Errors.size()) << "each attempt is told once";
  Dialog->btnCancelClick();
  EXPECT_EQ(TModalResult::mrCancel, Dialog->ModalResult());
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kDesktopSettings));
}

TEST_F(OptionPagesTest, AResetIsAnEditThatOkWrites) {
  SetRawValue(HKEY_CURRENT_USER, kDesktopSettings, "DragDropExpandCollapseInterval", REG_DWORD,
              DwordBytes(250));
  Start(false, false);
  TfrTweakOptions& Desktop = Grid("Desktop UI");
  EXPECT_EQ(AnsiToWide("250", 0), Desktop.VTVGetText(0, 1));
  Desktop.ResetOption(0);
  EXPECT_EQ(AnsiToWide("1000", 0), Desktop.VTVGetText(0, 1));
  EXPECT_TRUE(Dialog->ApplyEnabled());
  Dialog->btnOKClick();
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(QueryRawValue(HKEY_CURRENT_USER, kDesktopSettings, "DragDropExpandCollapseInterval",
                            Type, Bytes));
  EXPECT_EQ(DwordBytes(1000), Bytes);
}

TEST_F(OptionPagesTest, ChangesFromDefaultsAreBoldAndTellWhereTheyLive) {
  Device.SetValue(HKEY_CURRENT_USER, kAppearance, "UseMargins", REG_DWORD, DwordBytes(0));
  Start(true, false);
  TfrTweakOptions& Pocket = Grid("PocketPC UI");
  EXPECT_FALSE(Pocket.VTVPaintText(0, 1).Bold) << "changes are not shown at first";
  EXPECT_EQ("", Pocket.Hint(0));
  Pocket.SetShowChanges(true);
  EXPECT_TRUE(Pocket.VTVPaintText(0, 1).Bold);
  EXPECT_FALSE(Pocket.VTVPaintText(1, 1).Bold);
  EXPECT_EQ(
      "Use margins\nDefault: checked\ndevice registry: "
      "HKEY_CURRENT_USER\\Software\\ZQT\\ZQT\\Appearance, UseMargins",
      Pocket.Hint(0));
  TfrTweakOptions& Desktop = Grid("Desktop UI");
  EXPECT_EQ(
      "Expand/collapse delay when drag&drop in outline (ms)\nDefault: 1000\n"
      "desktop registry: HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\Settings, "
      "DragDropExpandCollapseInterval",
      Desktop.Hint(0))
      << "the choice holds for every page";
  Pocket.ResetAllOptions();
  EXPECT_FALSE(Pocket.VTVPaintText(0, 1).Bold);
  EXPECT_TRUE(Dialog->ApplyEnabled());
}

}  // namespace
