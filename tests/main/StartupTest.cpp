// The program's start-up and end around the hidden host form, without a
// toolkit: a scripted dialog and an application object that records the
// terminate request stand for the toolkit's.
#include <gtest/gtest.h>

#include "RecordingInteraction.h"
#include "SimulatedDevice.h"
#include "TemporaryRegistry.h"
#include "TestSheets.h"
#include "TweakerPages.h"
#include "ZQTTweakerManager.h"
#include "main.h"

namespace {

const std::string kSettingsPath = std::string(kSettingsKey).substr(1);

bool AdvancedSwitchWritten() {
  DWORD Type = REG_NONE;
  std::string Bytes;
  return QueryRawValue(HKEY_CURRENT_USER, kSettingsPath, kAdvancedValueName, Type, Bytes) &&
         Type == REG_DWORD && Bytes == DwordBytes(1);
}

// The application object of a test: no window, and a message loop that
// ends at once with the code of the terminate request made before it.
class TTestApplication : public TApplicationFrontEnd {
 public:
  std::unique_ptr<THostWindow> CreateHostWindow(TForm1&) override { return nullptr; }
  void Terminate(int ExitCode) override { Requests.push_back(ExitCode); }
  int Run() override { return Requests.empty() ? -1 : Requests.front(); }

  std::vector<int> Requests;
};

struct TCommandLineCase {
  const char* Name;
  std::vector<std::string> Arguments;
  bool Written;
};

// Tests are listed under the case's name rather than its bytes.
void PrintTo(const TCommandLineCase& Case, std::ostream* Out) { *Out << Case.Name; }

class CommandLineTest : public ::testing::TestWithParam<TCommandLineCase> {
 protected:
  TTemporaryRegistry Registry;
};

TEST_P(CommandLineTest, OnlyThePrefixedSwitchWritesTheAdvancedSetting) {
  ScanCommandLine(GetParam().Arguments);
  EXPECT_EQ(GetParam().Written, AdvancedSwitchWritten());
  if (!GetParam().Written) {
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kSettingsPath));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    ::testing::Values(TCommandLineCase{"None", {}, false},
                      TCommandLineCase{"Slash", {"/AdvancedOptions"}, true},
                      TCommandLineCase{"HyphenLowerCase", {"-advancedoptions"}, true},
                      TCommandLineCase{"LetterUpperCase", {"xADVANCEDOPTIONS"}, true},
                      TCommandLineCase{"BlanksAround", {" \t/AdvancedOptions \n"}, true},
                      TCommandLineCase{"BareWord", {"AdvancedOptions"}, false},
                      TCommandLineCase{"WithValue", {"/AdvancedOptions=1"}, false},
                      TCommandLineCase{"EmptyAndOther", {"", "   ", "/Other"}, false},
                      TCommandLineCase{"Twice", {"/AdvancedOptions", "-AdvancedOptions"}, true}),
    [](const ::testing::TestParamInfo<TCommandLineCase>& Info) { return Info.param.Name; });

// The program's start-up around the host form: catalogue and pages first.
class HostFormTest : public ::testing::Test {
 protected:
  HostFormTest() { RegisterTweakerPages(); }
  ~HostFormTest() override {
    UnregisterTweakerPages();
    ZQTTweakOptions = std::make_unique<TZQTTweakOptionsManager>();
  }

  TRecordingInteraction Interaction;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TTestApplication Application;
};

TEST_F(HostFormTest, TheCreationShowsTheDialogWithTheSwitchAlreadyInEffectAndAsksToEnd) {
  std::string SelectedPage;
  int DebuggingOptions = 0;
  TScriptedFrontEnd FrontEnd([&](TTweakerOptionsMain& Dialog) {
    SelectedPage = Dialog.Node(Dialog.Selected()).Text;
    DebuggingOptions = ZQTTweakOptions->DebuggingOptions.Count();
    EXPECT_TRUE(Application.Requests.empty()) << "the end is asked for once the dialog closed";
    Dialog.btnCancelClick();
  });
  {
    TForm1 Form({"/AdvancedOptions"}, Application);
    EXPECT_TRUE(Form.RapiManager()->Connected());
    EXPECT_EQ(std::vector<int>{0}, Application.Requests);
    EXPECT_FALSE(Device.TimeToUninit());
  }
  EXPECT_TRUE(Device.TimeToUninit()) << "the device connection ends with the host form";
  EXPECT_EQ("About ZQTTweaker", SelectedPage);
  EXPECT_EQ(12, DebuggingOptions);
  EXPECT_TRUE(Interaction.Errors.empty());
}

TEST_F(HostFormTest, AFailedSwitchWriteIsReportedAndEndsTheProgramWithoutADialog) {
  SetRawValue(HKEY_CURRENT_USER, kSettingsPath, "Other", REG_DWORD, DwordBytes(0));
  if (!Registry.SetKeyReadOnly(HKEY_CURRENT_USER, kSettingsPath))
    GTEST_SKIP() << "this registry cannot restrict a key to read rights for the test's user";
  bool DialogShown = false;
  TScriptedFrontEnd FrontEnd([&](TTweakerOptionsMain&) { DialogShown = true; });
  TForm1 Form({"-AdvancedOptions"}, Application);
  EXPECT_EQ(std::vector<int>{1}, Application.Requests);
  EXPECT_FALSE(DialogShown);
  EXPECT_EQ((std::vector<std::string>{"Failed to set data for 'ZQTTweakerAdvanced'"}),
            Interaction.Errors);
}

TEST_F(HostFormTest, TheTestPanelReadsWritesAndCopiesOnTheDevice) {
  TScriptedFrontEnd FrontEnd([](TTweakerOptionsMain& Dialog) { Dialog.btnCancelClick(); });
  TForm1 Form({}, Application);
  Device.SetValue(HKEY_CURRENT_USER, "Software\\ZQT\\ZQT\\Appearance", "StrikeOutCOmpleteTasks",
                  REG_DWORD, DwordBytes(0xFFFFFFFE));
  Form.btnRegistryRead.OnClick();
  EXPECT_EQ("4294967294", Form.edValue.Text);
  EXPECT_EQ("OK", Form.lbResult.Text);

  Form.edValue.Text = "$10";
  Form.btnRegWrite.OnClick();
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(Device.QueryValue(HKEY_CURRENT_USER, "Software\\ZQT\\ZQT\\Appearance",
                                "StrikeOutCOmpleteTasks", Type, Bytes));
  EXPECT_EQ(DwordBytes(16), Bytes);
  Form.edKey.Text = "Software\\Missing";
  Form.btnRegistryRead.OnClick();
  EXPECT_EQ("Error", Form.lbResult.Text);

  Device.PutFile("\\Temp\\ZQTUtil.log", "log lines");
  Form.edCopyTo.Text = Registry.Folder().File("copied.log");
  Form.btnCopy.OnClick();
  EXPECT_EQ("OK", Form.lbCopyRes.Text);
  EXPECT_EQ("log lines", ReadWholeFile(Registry.Folder().File("copied.log")));
  Form.edCopyFrom.Text = "\\Temp\\Missing.log";
  Form.btnCopy.OnClick();
  EXPECT_EQ("Error", Form.lbCopyRes.Text);
  EXPECT_EQ((std::vector<std::string>{"Device file not found: \\Temp\\Missing.log"}),
            Interaction.Messages);
}

class RunTest : public ::testing::Test {
 protected:
  ~RunTest() override { ZQTTweakOptions = std::make_unique<TZQTTweakOptionsManager>(); }
  TRecordingInteraction Interaction;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TTestApplication Application;
};

TEST_F(RunTest, TheRunEndsWithEverythingReleased) {
  bool DialogUp = false;
  TScriptedFrontEnd FrontEnd([this, &DialogUp](TTweakerOptionsMain& Dialog) {
    DialogUp = ZQTTweakOptions && SheetList && !Device.TimeToUninit();
    Dialog.btnCancelClick();
  });
  EXPECT_EQ(0, RunTweaker({}, Application));
  EXPECT_TRUE(DialogUp) << "catalogue, pages and connection are there while the dialog is";
  EXPECT_TRUE(Device.TimeToUninit()) << "the device connection ended";
  EXPECT_EQ(nullptr, SheetList);
  EXPECT_NE(nullptr, ZQTTweakOptions) << "the catalogue lives as long as the program";
}

TEST(PageRegistrationTest, TheFourPagesRegisterInOrderAndLeaveInReverse) {
  RegisterTweakerPages();
  ASSERT_NE(nullptr, SheetList);
  std::vector<std::string> Names;
  for (int Index = 0; Index < SheetList->Count(); ++Index)
    Names.push_back(SheetList->Entries(Index).SheetName);
  EXPECT_EQ(
      (std::vector<std::string>{"About ZQTTweaker", "ZQT Desktop", "Desktop UI", "ZQT PocketPC",
                                "PocketPC UI", "Troubleshooting", "Debug setting"}),
      Names);
  UnregisterTweakerPages();
  EXPECT_EQ(nullptr, SheetList);
}

}  // namespace
