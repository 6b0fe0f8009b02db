// The program's four pages in the real dialog, over a temporary desktop
// registry and the simulated device.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "RecordingInteraction.h"
#include "SimulatedDevice.h"
#include "StartedCatalogue.h"
#include "TemporaryRegistry.h"
#include "TweakerPages.h"
#include "ZQTTweakerManager.h"
#include "frmTweakOptDebugging.h"
#include "frmTweakOptIntro.h"
#include "frmTweakerOptionsMain.h"

namespace {

const std::string kAppearance = "Software\\ZQT\\ZQT\\Appearance";
const std::string kMainForm = "Software\\ZQT\\ZQT\\MainForm";
const std::string kDesktopSettings = "Software\\Quorvanta\\Velora\\Settings";

class OptionPagesTest : public ::testing::Test {
 protected:
  ~OptionPagesTest() override {
    Dialog.reset();
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
    Dialog->show();
  }
  TOptionsSheetBase* Open(const QString& Name) {
    for (QTreeWidgetItem* Node : Dialog->NodesInTreeOrder())
      if (Node->text(0) == Name) Dialog->tvOptions->setCurrentItem(Node);
    return Dialog->CurrentSheet();
  }
  TfrTweakOptions* Grid(const QString& Name) {
    return Open(Name)->findChild<TfrTweakOptions*>("frTweakOptions");
  }
  QStringList Captions(TfrTweakOptions* Frame) {
    QStringList Rows;
    for (int Row = 0; Row < Frame->VTV->model()->rowCount(); ++Row)
      Rows << Frame->VTV->model()->index(Row, 0).data().toString();
    return Rows;
  }
  void Toggle(TfrTweakOptions* Frame, int Row) {
    Frame->VTV->setFocus();
    Frame->VTV->setCurrentIndex(Frame->VTV->model()->index(Row, 1));
    QTest::keyClick(Frame->VTV, Qt::Key_Space);
  }
  void Type(TfrTweakOptions* Frame, int Row, const QString& Text) {
    Frame->VTV->setFocus();
    Frame->VTV->setCurrentIndex(Frame->VTV->model()->index(Row, 1));
    QTest::keyClick(Frame->VTV, Qt::Key_F2);
    auto* Editor = qobject_cast<QLineEdit*>(Frame->VTV->indexWidget(Frame->VTV->currentIndex()));
    ASSERT_NE(nullptr, Editor);
    Editor->setText(Text);
    QTest::keyClick(Editor, Qt::Key_Return);
    QCoreApplication::processEvents();
  }
  bool DeviceDword(const std::string& Key, const std::string& Name, DWORD Expected) {
    DWORD Type = REG_NONE;
    std::string Bytes;
    return Device.QueryValue(HKEY_CURRENT_USER, Key, Name, Type, Bytes) && Type == REG_DWORD &&
           Bytes == DwordBytes(Expected);
  }

  TRecordingInteraction Interaction;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TStartedCatalogue Program;
  std::unique_ptr<TTweakerOptionsMain> Dialog;
};

TEST_F(OptionPagesTest, TheIntroductionSaysWhenNoDeviceWasFound) {
  Start(false, false);
  EXPECT_TRUE(dynamic_cast<TTweakOptAbout*>(Open("About ZQTTweaker"))->lbDevice->isVisible());
}

TEST_F(OptionPagesTest, TheIntroductionSaysNothingOfAConnectedDevice) {
  Start(true, false);
  auto* About = dynamic_cast<TTweakOptAbout*>(Open("About ZQTTweaker"));
  ASSERT_NE(nullptr, About);
  EXPECT_FALSE(About->lbDevice->isVisible());
  EXPECT_TRUE(About->Label3->isVisible());
}

TEST_F(OptionPagesTest, WithoutADeviceOnlyDesktopOptionsAreListed) {
  Start(false, true);
  TfrTweakOptions* Pocket = Grid("PocketPC UI");
  EXPECT_EQ(0, Pocket->VTV->model()->rowCount());
  EXPECT_EQ("", Pocket->lbDescription->text());
  EXPECT_EQ((QStringList{"ZQT-Desktop: sync to PocketPC edition logging enabled",
                         "ZQT-Desktop: keep PPC sync temp files",
                         "ZQT-Desktop: enable PPC sync trace window",
                         "ZQT-Desktop: show time stamps and indexes"}),
            Captions(Grid("Debug setting")));
  EXPECT_EQ(QStringList{"Expand/collapse delay when drag&drop in outline (ms)"},
            Captions(Grid("Desktop UI")));
  EXPECT_EQ("Save all logs to ...",
            dynamic_cast<TTweakOptDebugging*>(Open("Debug setting"))->btnSaveLogs->text());
}

TEST_F(OptionPagesTest, AnUnreadableDeviceValueLeavesItsPageEmptyAndUnwritten) {
  Device.SetValue(HKEY_CURRENT_USER, kAppearance, "UseMargins", REG_SZ, DeviceTextBytes(u"1"));
  Start(true, false);
  TfrTweakOptions* Pocket = Grid("PocketPC UI");
  EXPECT_EQ((std::vector<std::string>{"Invalid registry type: UseMargins"}), Interaction.Errors);
  EXPECT_EQ(0, Pocket->VTV->model()->rowCount());
  Type(Grid("Desktop UI"), 0, "250");
  QTest::mouseClick(Dialog->btnApply, Qt::LeftButton);
  EXPECT_FALSE(Dialog->btnApply->isEnabled());
  EXPECT_EQ(1u, Interaction.Errors.size());
  EXPECT_FALSE(Device.KeyExists(HKEY_CURRENT_USER, kMainForm))
      << "options the user never saw are not written";
}

TEST_F(OptionPagesTest, EditsAreWrittenEndToEndOnOk) {
  Start(true, true);
  TfrTweakOptions* Debugging = Grid("Debug setting");
  ASSERT_EQ("ZQT-PocketPC: application logging enabled",
            Debugging->VTV->model()->index(4, 0).data().toString());
  Toggle(Debugging, 4);
  ASSERT_EQ("ZQT-PocketPC: time to live for deleted items",
            Debugging->VTV->model()->index(9, 0).data().toString());
  Type(Debugging, 9, "30");
  Type(Grid("Desktop UI"), 0, "500");
  EXPECT_TRUE(Dialog->btnApply->isEnabled());
  QTest::mouseClick(Dialog->btnOK, Qt::LeftButton);
  EXPECT_TRUE(Interaction.Errors.empty());
  EXPECT_EQ(QDialog::Accepted, Dialog->result());

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
  QTest::mouseClick(Dialog->btnOK, Qt::LeftButton);
  EXPECT_EQ((std::vector<std::string>{"Write registry value failed: LogEnabled"}),
            Interaction.Errors);
  EXPECT_TRUE(Dialog->isVisible());
  EXPECT_TRUE(Dialog->btnApply->isEnabled());
}

}  // namespace
