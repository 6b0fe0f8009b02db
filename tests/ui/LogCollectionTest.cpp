// The troubleshooting page's log collection over the simulated device, a
// temporary desktop registry and temporary folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingInteraction.h"
#include "SimulatedDevice.h"
#include "StartedCatalogue.h"
#include "TemporaryRegistry.h"
#include "ZQTTweakerManager.h"
#include "frmTweakOptDebugging.h"
#include "miniUtils.h"

namespace {

namespace fs = std::filesystem;

const std::string kInstallKey = "SOFTWARE\\Apps\\Quorvanta PocketPC Edition";
const std::string kSupportSentence =
    "\n\r\n\rIf you want to report a problem zip these files and send the archive to ZQT support.";

class LogCollectionTest : public ::testing::Test {
 protected:
  LogCollectionTest() {
    fs::create_directories(Target);
    fs::create_directories(Organizer);
    Interaction.FolderAnswer = Target.string();
    SetRawValue(HKEY_LOCAL_MACHINE,
                "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe", "", REG_SZ,
                (Organizer / "zqt.exe").string() + '\0');
  }
  ~LogCollectionTest() override { Page.reset(); }
  void InstallFolder(const char* Name, const WideString& Folder) {
    Device.SetValue(HKEY_LOCAL_MACHINE, kInstallKey, Name, REG_SZ, DeviceTextBytes(Folder));
  }
  void DeviceLogs(std::initializer_list<const char*> Paths) {
    for (const char* Path : Paths) Device.PutFile(Path, std::string("device ") + Path);
  }
  void DesktopLogs(std::initializer_list<const char*> Names) {
    for (const char* Name : Names) WriteWholeFile((Organizer / Name).string(), Name);
  }
  // Starts the program's side up to the troubleshooting page.
  void OpenPage(bool WithDevice) {
    if (!WithDevice) Device.RefuseConnection();
    Program.Start();
    Page = std::make_unique<TTweakOptDebugging>(nullptr);
  }
  // The click on "Save all logs to ...".
  void ClickSaveLogs() { Page->Layout().Bottom->Buttons.at(0).OnClick(); }
  // Opens the page and clicks "Save all logs to ...".
  void Click(bool WithDevice = true) {
    OpenPage(WithDevice);
    ClickSaveLogs();
  }
  std::vector<std::string> Collected() const {
    std::vector<std::string> Names;
    for (const auto& Entry : fs::directory_iterator(Target))
      Names.push_back(Entry.path().filename().string());
    std::sort(Names.begin(), Names.end());
    return Names;
  }

  TRecordingInteraction Interaction;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TStartedCatalogue Program;
  fs::path Target = Registry.Folder().Path() / "collected";
  fs::path Organizer = Registry.Folder().Path() / "organizer";
  std::unique_ptr<TTweakOptDebugging> Page;
};

TEST_F(LogCollectionTest, EveryLogIsCopiedAndListedWithItsSource) {
  InstallFolder("InstallDir ", WIDE("\\Program Files\\ZQT"));
  DeviceLogs({"\\Program Files\\ZQT\\ZQT.exe.log", "\\Temp\\ZQTUtil.log"});
  DesktopLogs({"ZQTSync.log"});
  Click();
  EXPECT_EQ((std::vector<std::string>{"The following log files copied:"
                                      "\n\r<device>\\Program Files\\ZQT\\ZQT.exe.log"
                                      "\n\r<device>\\Temp\\ZQTUtil.log"
                                      "\n\r" +
                                      (Organizer / "ZQTSync.log").string() + kSupportSentence}),
            Interaction.Messages);
  EXPECT_EQ((std::vector<std::string>{"Select a folder to save desktop and device log files to"}),
            Interaction.FolderTitles);
  EXPECT_EQ(kBrowseForFileSystemFoldersOnly, Interaction.FolderFlags.at(0));
  EXPECT_EQ((std::vector<std::string>{"ZQT.exe.log", "ZQTSync.log", "ZQTUtil.log"}), Collected());
  EXPECT_EQ("device \\Temp\\ZQTUtil.log", ReadWholeFile((Target / "ZQTUtil.log").string()));
  EXPECT_EQ(HKEY_CURRENT_USER, Program.Rapi->RootKey());
}

TEST_F(LogCollectionTest, CancellingTheFolderDialogDoesNothing) {
  Interaction.FolderAnswer.clear();
  DesktopLogs({"ZQTSync.log"});
  Device.SetTempPath("");
  OpenPage(true);
  const auto CallsBefore = Device.RemoteCalls();
  ClickSaveLogs();
  EXPECT_TRUE(Interaction.Messages.empty());
  EXPECT_TRUE(Collected().empty());
  EXPECT_EQ(CallsBefore, Device.RemoteCalls());
}

TEST_F(LogCollectionTest, WithoutADeviceOnlyTheDesktopLogsAreTried) {
  DesktopLogs({"zqtSync.dll.log", "ZQTWMSync.exe.log", "ZQTSync.log"});
  Click(false);
  ASSERT_EQ(1u, Interaction.Messages.size());
  EXPECT_EQ("The following log files copied:\n\r" + (Organizer / "zqtSync.dll.log").string() +
                "\n\r" + (Organizer / "ZQTWMSync.exe.log").string() + "\n\r" +
                (Organizer / "ZQTSync.log").string() + kSupportSentence,
            Interaction.Messages[0]);
}

TEST_F(LogCollectionTest, ADeviceWithoutItsInstallFolderStillGivesItsTemporaryLogs) {
  DeviceLogs({"\\ZQT.exe.log", "\\Temp\\ZQTSetup.log"});
  Click();
  EXPECT_EQ((std::vector<std::string>{"Could not locate ZQT-PPC install folder on device",
                                      "The following log files copied:"
                                      "\n\r<device>\\Temp\\ZQTSetup.log" +
                                          kSupportSentence}),
            Interaction.Messages);
}

TEST_F(LogCollectionTest, AnEmptyInstallDirFallsBackToInstlDir) {
  InstallFolder("InstallDir ", WIDE(""));
  InstallFolder("InstlDir", WIDE("\\Old ZQT"));
  DeviceLogs({"\\Old ZQT\\DevZQTSync.dll.log"});
  Device.SetTempPath("");
  Click();
  EXPECT_EQ((std::vector<std::string>{"Could not locate TEMP folder on device.",
                                      "The following log files copied:"
                                      "\n\r<device>\\Old ZQT\\DevZQTSync.dll.log" +
                                          kSupportSentence}),
            Interaction.Messages);
}

TEST_F(LogCollectionTest, WithoutTheOrganizersPathTheProgramsOwnFolderIsSearched) {
  SetRawValue(HKEY_LOCAL_MACHINE,
              "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe", "", REG_SZ,
              std::string(1, '\0'));
  const fs::path OwnLog = fs::path(AppFileName()).parent_path() / "ZQTWMSync.exe.log";
  WriteWholeFile(OwnLog.string(), "own folder");
  Click(false);
  fs::remove(OwnLog);
  EXPECT_EQ((std::vector<std::string>{"The following log files copied:\n\r" + OwnLog.string() +
                                      kSupportSentence}),
            Interaction.Messages);
}

TEST_F(LogCollectionTest, NothingFoundIsSaidSo) {
  Click(false);
  EXPECT_EQ(std::vector<std::string>{"Log files not found"}, Interaction.Messages);
}

TEST_F(LogCollectionTest, ACopiedLogReplacesAnOlderOne) {
  WriteWholeFile((Target / "ZQTSync.log").string(), "older");
  DesktopLogs({"ZQTSync.log"});
  Click(false);
  EXPECT_EQ("ZQTSync.log", ReadWholeFile((Target / "ZQTSync.log").string()));
}

TEST_F(LogCollectionTest, AnInstallFolderOfAnotherTypeEndsTheClickWithTheRootRestored) {
  Device.SetValue(HKEY_LOCAL_MACHINE, kInstallKey, "InstallDir ", REG_DWORD, DwordBytes(7));
  DeviceLogs({"\\Temp\\ZQTUtil.log"});
  DesktopLogs({"ZQTSync.log"});
  Click();
  EXPECT_EQ(std::vector<std::string>{"Invalid registry type: InstallDir "}, Interaction.Errors);
  EXPECT_TRUE(Interaction.Messages.empty());
  EXPECT_TRUE(Collected().empty());
  EXPECT_EQ(HKEY_CURRENT_USER, Program.Rapi->RootKey());
}

TEST_F(LogCollectionTest, ADeviceReadFailingHalfWayKeepsTheOlderFile) {
  WriteWholeFile((Target / "ZQTUtil.log").string(), "older log");
  Device.PutFile("\\Temp\\ZQTUtil.log", std::string(30000, 'x'));
  Device.FailReadsAfter(15000);
  Click();
  EXPECT_EQ("older log", ReadWholeFile((Target / "ZQTUtil.log").string()));
  EXPECT_EQ((std::vector<std::string>{"Could not locate ZQT-PPC install folder on device",
                                      "Log files not found"}),
            Interaction.Messages);
  EXPECT_EQ(std::vector<std::string>{"ZQTUtil.log"}, Collected());
}

}  // namespace
