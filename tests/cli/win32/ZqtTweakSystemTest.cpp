// zqttweak and what only Windows has: the system's registry editor, which
// users run on the files they have (its exports import, and it refuses the
// files of the device), and devices with names of files.
#include "ZqtTweakFixture.h"

namespace {

std::string RegistryEditor() {
  char Folder[MAX_PATH];
  const UINT Length = GetWindowsDirectoryA(Folder, MAX_PATH);
  return std::string(Folder, Length) + "\\regedit.exe";
}

using ZqtTweakSystemTest = ZqtTweakFixture;

TEST_F(ZqtTweakSystemTest, TheRegistryEditorWritesNothingOfADeviceExportIntoTheDesktopRegistry) {
  SetOnDevice(kAppearanceKey, "UseMargins", 0);
  const std::string Exported = File("device.reg");
  ASSERT_EQ(0, Run({"--export-device", Exported}).ExitCode);
  ASSERT_EQ(0, RunProgram(RegistryEditor(), {"/s", Exported}).ExitCode);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\ZQT"));
}

TEST_F(ZqtTweakSystemTest, TheRegistryEditorsExportOfTheSettingsKeyImports) {
  UnlockAdvancedOptions();
  SetDesktop(kSettingsKey, kDelayName, 250);
  SetRawValue(HKEY_CURRENT_USER, kSettingsKey, "Language", REG_SZ, std::string("en", 3));
  const std::string Exported = File("settings.reg");
  ASSERT_EQ(0, RunProgram(RegistryEditor(), {"/e", Exported, "HKEY_CURRENT_USER\\" + kSettingsKey})
                   .ExitCode);
  ASSERT_EQ(0, Run({"--set", "drag-drop-delay=1"}).ExitCode);
  const TProgramRun Import = Run({"--import", Exported});
  EXPECT_EQ(0, Import.ExitCode) << Import.Err;
  EXPECT_EQ(250u, Desktop(kSettingsKey, kDelayName));
  EXPECT_NE(std::string::npos, Import.Err.find(": skipped: \"Language\" in ")) << Import.Err;
  EXPECT_NE(std::string::npos, Import.Err.find(": skipped: \"ZQTTweakerAdvanced\" in "));
}

// A device is never read as a file (NUL would read as an empty one), nor
// replaced by one; a folder is left as it is.
TEST_F(ZqtTweakSystemTest, ADeviceOrAFolderIsNeverReadOrReplacedAsAFile) {
  const std::string Folder = File("folder.reg");
  ASSERT_TRUE(CreateDirectoryA(Folder.c_str(), nullptr));
  const std::pair<std::vector<std::string>, std::string> Cases[] = {
      {{"--import", "NUL"}, "zqttweak: Cannot read NUL: "},
      {{"--export", "NUL"}, "zqttweak: Cannot write NUL: it is not a regular file\n"},
      {{"--export", Folder}, "zqttweak: Cannot write " + Folder + ": it is a folder\n"}};
  for (const auto& [Command, Err] : Cases) {
    const TProgramRun Run = this->Run(Command);
    EXPECT_EQ(1, Run.ExitCode);
    EXPECT_TRUE(Run.Err.starts_with(Err)) << Run.Err;
  }
  EXPECT_TRUE(GetFileAttributesA(Folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
