// Every command of zqttweak, through the built program.
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "FileAccess.h"
#include "OptionsLock.h"
#include "SystemError.h"
#include "ZqtTweakFixture.h"
#include "miniUtils.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kAllIds = {"drag-drop-delay",
                                          "use-margins",
                                          "disable-sip",
                                          "desktop-sync-log",
                                          "desktop-keep-temp-files",
                                          "desktop-trace-window",
                                          "desktop-show-stamps",
                                          "device-app-log",
                                          "device-reminders-log",
                                          "device-reminders-extra-log",
                                          "device-rte-log",
                                          "device-csv-menu",
                                          "device-deleted-items-ttl",
                                          "device-keep-temp-files",
                                          "device-show-stamps"};

// The first four columns of each line of --list: id, where, value, default.
std::vector<std::vector<std::string>> ListColumns(const std::string& Out) {
  std::vector<std::vector<std::string>> Lines;
  std::istringstream Text(Out);
  for (std::string Line; std::getline(Text, Line);) {
    std::istringstream Words(Line);
    std::vector<std::string> Columns(4);
    for (std::string& Column : Columns) Words >> Column;
    Lines.push_back(Columns);
  }
  return Lines;
}

std::vector<std::string> Ids(const std::vector<std::vector<std::string>>& Lines) {
  std::vector<std::string> Ids;
  for (const auto& Line : Lines) Ids.push_back(Line.front());
  return Ids;
}

using ZqtTweakTest = ZqtTweakFixture;

TEST_F(ZqtTweakTest, HelpShowsTheUsage) {
  for (const char* Word : {"--help", "-h", "/?"}) {
    const TProgramRun Help = Run({Word});
    EXPECT_EQ(0, Help.ExitCode) << Word;
    EXPECT_TRUE(Help.Out.starts_with("Usage: zqttweak OPTION...\n")) << Help.Out;
    EXPECT_NE(std::string::npos, Help.Out.find("--collect-logs FOLDER"));
    EXPECT_EQ("", Help.Err);
  }
}

TEST_F(ZqtTweakTest, VersionComesFromTheProgramsVersionResource) {
  const std::string Version = FileVersionString(ZqtTweakProgram(), false);
  ASSERT_EQ(AppVersionString(false, ""), Version);
  ASSERT_NE("", Version);
  const TProgramRun Shown = Run({"--version"});
  EXPECT_EQ(0, Shown.ExitCode);
  EXPECT_EQ("zqttweak " + Version + "\n", Shown.Out);
}

TEST_F(ZqtTweakTest, ListShowsEveryOptionWithWhereValueAndDefault) {
  UnlockAdvancedOptions();
  SetDesktop(kSettingsKey, kDelayName, 250);
  SetOnDevice(kAppearanceKey, "UseMargins", 0);
  SetOnDevice(kMainFormKey, "DeletedItemsTTL", 30);
  const TProgramRun List = Run({"--list"});
  ASSERT_EQ(0, List.ExitCode) << List.Err;
  const auto Lines = ListColumns(List.Out);
  EXPECT_EQ(kAllIds, Ids(Lines));
  EXPECT_EQ((std::vector<std::string>{"drag-drop-delay", "desktop", "250", "1000"}), Lines[0]);
  EXPECT_EQ((std::vector<std::string>{"use-margins", "device", "0", "1"}), Lines[1]);
  EXPECT_EQ((std::vector<std::string>{"device-deleted-items-ttl", "device", "30", "90"}),
            Lines[12]);
  EXPECT_NE(std::string::npos, List.Out.find("ZQT-PocketPC: time to live for deleted items\n"));
}

TEST_F(ZqtTweakTest, ListHoldsOnlyTheOptionsThatExistNow) {
  Device.RefuseConnection();
  const TProgramRun List = Run({"--list"});
  ASSERT_EQ(0, List.ExitCode) << List.Err;
  EXPECT_EQ((std::vector<std::string>{"drag-drop-delay", "desktop-sync-log"}),
            Ids(ListColumns(List.Out)));
}

TEST_F(ZqtTweakTest, ListAndGetSpeakJsonOnRequest) {
  SetOnDevice(kAppearanceKey, "LogEnabled", 1);
  const TProgramRun List = Run({"--list", "--json"});
  ASSERT_EQ(0, List.ExitCode) << List.Err;
  const nlohmann::json Options = nlohmann::json::parse(List.Out);
  ASSERT_EQ(8u, Options.size());
  EXPECT_EQ((nlohmann::json{
                {"id", "use-margins"},
                {"where", "device"},
                {"type", "boolean"},
                {"value", true},
                {"default", true},
                {"caption", "Use margins"},
                {"description", "Enables the margin around the outline tree and to-do list view"}}),
            Options[1]);

  const TProgramRun Get = Run({"--json", "--get", "device-app-log"});
  ASSERT_EQ(0, Get.ExitCode) << Get.Err;
  const nlohmann::json Option = nlohmann::json::parse(Get.Out);
  EXPECT_EQ(true, Option["value"]);
  EXPECT_EQ(false, Option["default"]);
  EXPECT_EQ(1000, nlohmann::json::parse(Run({"--get=drag-drop-delay", "--json"}).Out)["value"]);
}

TEST_F(ZqtTweakTest, GetShowsIntegersInDecimalAndBooleansAsZeroOrOne) {
  SetDesktop(kSettingsKey, kDelayName, 0xFFFFFFFF);
  SetOnDevice(kAppearanceKey, "LogEnabled", 5);
  const TProgramRun Delay = Run({"--get", "drag-drop-delay"});
  EXPECT_EQ(0, Delay.ExitCode);
  EXPECT_EQ("-1\n", Delay.Out);
  EXPECT_EQ("1\n", Run({"--get", "device-app-log"}).Out);
  EXPECT_EQ("0\n", Run({"--get", "disable-sip"}).Out);
}

TEST_F(ZqtTweakTest, SetWritesEveryValueToItsRegistry) {
  UnlockAdvancedOptions();
  const TProgramRun Set = Run({"--set", "drag-drop-delay=1", "--set", "drag-drop-delay=$FA",
                               "--set", "use-margins=false", "--set=desktop-sync-log=1", "--set",
                               "device-deleted-items-ttl=-3", "--set", "device-app-log=TRUE"});
  EXPECT_EQ(0, Set.ExitCode) << Set.Err;
  EXPECT_EQ("", Set.Out);
  EXPECT_EQ(250u, Desktop(kSettingsKey, kDelayName));
  EXPECT_EQ(1u, Desktop(kSyncLogKey, "LogEnabled"));
  EXPECT_EQ(0u, OnDevice(kAppearanceKey, "UseMargins"));
  EXPECT_EQ(1u, OnDevice(kAppearanceKey, "LogEnabled"));
  EXPECT_EQ(static_cast<DWORD>(-3), OnDevice(kMainFormKey, "DeletedItemsTTL"));
}

// Every command line refused, with its exit status and its one line: a
// command line not understood (2) names the problem and points to the help;
// a command that cannot be done (1) says why. Neither writes anything.
TEST_F(ZqtTweakTest, EachRefusalExitsWithItsStatusAndOneLineSayingWhy) {
  const std::vector<std::string> Set = {"--set", "desktop-sync-log=1", "--set", "use-margins=0",
                                        "--set"};
  const auto SetThen = [&Set](const std::string& Last) {
    std::vector<std::string> Arguments = Set;
    Arguments.push_back(Last);
    return Arguments;
  };
  const std::string Help = "; try 'zqttweak --help'";
  const std::string Advanced =
      "Option desktop-show-stamps is an advanced option: it exists once ZQTTweaker has been "
      "started with /AdvancedOptions";
  const struct {
    std::vector<std::string> Arguments;
    int ExitCode;
    std::string Line;
    // The line begins so and goes on with the system's reason.
    bool ThenSystemReason = false;
  } Cases[] = {
      {{"--frobnicate"}, 2, "unrecognized option '--frobnicate'" + Help},
      {{}, 2, "no option given" + Help},
      {{"--list", "--get", "use-margins"}, 2, "--list and --get cannot go together" + Help},
      {{"--json", "--set", "drag-drop-delay=1"},
       2,
       "--json goes with --list or --get, not with --set" + Help},
      {{"list"}, 2, "unexpected argument 'list'" + Help},
      {{"--get", "margins"}, 2, "unknown option id 'margins'" + Help},
      {{"--reset", "everything"}, 2, "unknown option id 'everything'" + Help},
      {SetThen("margins=1"), 2, "unknown option id 'margins'" + Help},
      {SetThen("drag-drop-delay"), 2, "--set expects ID=VALUE, not 'drag-drop-delay'" + Help},
      {SetThen("=5"), 2, "--set expects ID=VALUE, not '=5'" + Help},
      {SetThen("drag-drop-delay=abc"), 2, "'abc' is not a valid integer value" + Help},
      {SetThen("device-app-log=yes"), 2,
       "'yes' is not a valid Boolean value: use 0, 1, true or false" + Help},
      {SetThen("desktop-show-stamps=1"), 1, Advanced},
      {{"--get", "desktop-show-stamps"}, 1, Advanced},
      {{"--import", Registry.Folder().Path().string()},
       1,
       "Cannot read " + Registry.Folder().Path().string() + ": it is a folder"},
      {{"--import", File("missing.reg")}, 1, "Cannot read " + File("missing.reg") + ": ", true},
      {{"--export", File("missing/desktop.reg")},
       1,
       "Cannot write " + File("missing/desktop.reg") + ": ",
       true},
      {{"--collect-logs", File("missing")},
       1,
       "Cannot collect into " + File("missing") + ": ",
       true},
      {{"--collect-logs", ZqtTweakProgram()},
       1,
       "Cannot collect into " + ZqtTweakProgram() + ": it is not a folder"},
  };
  for (const auto& Case : Cases) {
    const TProgramRun Refused = Run(Case.Arguments);
    const std::string Expected = "zqttweak: " + Case.Line;
    EXPECT_EQ(Case.ExitCode, Refused.ExitCode) << Expected;
    EXPECT_EQ("", Refused.Out);
    if (Case.ThenSystemReason)
      EXPECT_TRUE(Refused.Err.starts_with(Expected) &&
                  Refused.Err.find('\n') + 1 == Refused.Err.size())
          << Refused.Err;
    else
      EXPECT_EQ(Expected + "\n", Refused.Err);
  }
  EXPECT_FALSE(Desktop(kSyncLogKey, "LogEnabled"));
  EXPECT_FALSE(OnDevice(kAppearanceKey, "UseMargins"));
  Device.RefuseConnection();
  EXPECT_EQ("zqttweak: Option use-margins is kept on the device, and no device is connected\n",
            Run({"--get", "use-margins"}).Err);
}

TEST_F(ZqtTweakTest, ResetWritesTheDefaultAndNeverTheAdvancedSwitch) {
  SetDesktop(kSettingsKey, kDelayName, 250);
  SetDesktop(kSyncLogKey, "LogEnabled", 1);
  SetOnDevice(kAppearanceKey, "UseMargins", 0);
  EXPECT_EQ(0, Run({"--reset", "drag-drop-delay"}).ExitCode);
  EXPECT_EQ(1000u, Desktop(kSettingsKey, kDelayName));
  EXPECT_EQ(1u, Desktop(kSyncLogKey, "LogEnabled"));
  EXPECT_EQ(0u, OnDevice(kAppearanceKey, "UseMargins"));

  EXPECT_EQ(0, Run({"--reset", "all"}).ExitCode);
  EXPECT_EQ(0u, Desktop(kSyncLogKey, "LogEnabled"));
  EXPECT_EQ(1u, OnDevice(kAppearanceKey, "UseMargins"));
  EXPECT_FALSE(Desktop(kSettingsKey, "ZQTTweakerAdvanced"));
}

TEST_F(ZqtTweakTest, DesktopCommandsNeverReachTheDevice) {
  Device.NeverConnect();
  const std::string Exported = File("desktop.reg");
  EXPECT_EQ(0, Run({"--get", "drag-drop-delay"}).ExitCode);
  EXPECT_EQ(0, Run({"--set", "drag-drop-delay=5"}).ExitCode);
  EXPECT_EQ(0, Run({"--reset", "desktop-sync-log"}).ExitCode);
  EXPECT_EQ(0, Run({"--export", Exported}).ExitCode);
  EXPECT_EQ(0, Run({"--import", Exported}).ExitCode);
  EXPECT_EQ(0u, Device.Calls("CeRapiInitEx"));
}

TEST_F(ZqtTweakTest, ExportWritesTheDesktopOptionsAsTheRegistryEditorDoes) {
  SetDesktop(kSettingsKey, kDelayName, 10);
  const std::string Exported = File("desktop.reg");
  const TProgramRun Export = Run({"--export", Exported});
  EXPECT_EQ(0, Export.ExitCode) << Export.Err;
  EXPECT_EQ(RegistryEditorBytes("Windows Registry Editor Version 5.00\n"
                                "\n"
                                "; ZQTTweaker: options of the desktop (zqttweak --import FILE)\n"
                                "\n"
                                "[HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\Settings]\n"
                                "\"DragDropExpandCollapseInterval\"=dword:0000000a\n"
                                "\n"
                                "[HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\WMSync]\n"
                                "\"LogEnabled\"=dword:00000000\n"
                                "\n"),
            ReadWholeFile(Exported));
}

TEST_F(ZqtTweakTest, ExportDeviceWritesTheDevicesOptionsKeyByKey) {
  SetOnDevice(kAppearanceKey, "LogEnabled", 1);
  const std::string Exported = File("device.reg");
  EXPECT_EQ(0, Run({"--export-device", Exported}).ExitCode);
  EXPECT_EQ(
      RegistryEditorBytes("ZQTTweaker Device Options Version 1.00\n"
                          "\n"
                          "; ZQTTweaker: options of the device (zqttweak --import-device FILE), "
                          "not for a registry editor\n"
                          "\n"
                          "[HKEY_CURRENT_USER\\Software\\ZQT\\ZQT\\Appearance]\n"
                          "\"UseMargins\"=dword:00000001\n"
                          "\"LogEnabled\"=dword:00000001\n"
                          "\n"
                          "[HKEY_CURRENT_USER\\Software\\ZQT\\ZQT\\MainForm]\n"
                          "\"DisableSIP\"=dword:00000000\n"
                          "\n"
                          "[HKEY_CURRENT_USER\\Software\\ZQT\\ZQTRemindSvc]\n"
                          "\"LogEnabled\"=dword:00000000\n"
                          "\"ExtraLogging\"=dword:00000000\n"
                          "\n"
                          "[HKEY_CURRENT_USER\\Software\\ZQT\\ZQT]\n"
                          "\"RTELogEnabled\"=dword:00000000\n"
                          "\n"),
      ReadWholeFile(Exported));
}

TEST_F(ZqtTweakTest, ExportOfTheDeviceWithoutOneFailsAndWritesNoFile) {
  Device.RefuseConnection();
  const TProgramRun Export = Run({"--export-device", File("device.reg")});
  EXPECT_EQ(1, Export.ExitCode);
  EXPECT_EQ("zqttweak: No device is connected\n", Export.Err);
  EXPECT_FALSE(fs::exists(File("device.reg")));
}

TEST_F(ZqtTweakTest, ImportOfAnExportGivesBackTheExportedValuesOnBothSides) {
  UnlockAdvancedOptions();
  SetDesktop(kSettingsKey, kDelayName, 0xFFFFFFFF);
  SetDesktop(kSyncLogKey, "LogEnabled", 1);
  SetOnDevice(kMainFormKey, "DeletedItemsTTL", 7);
  SetOnDevice(kAppearanceKey, "UseMargins", 0);
  ASSERT_EQ(0, Run({"--export", File("desktop.reg")}).ExitCode);
  ASSERT_EQ(0, Run({"--export-device", File("device.reg")}).ExitCode);
  const std::string Before = Run({"--list"}).Out;

  ASSERT_EQ(0, Run({"--set", "drag-drop-delay=1", "--set", "desktop-sync-log=0", "--set",
                    "device-deleted-items-ttl=100", "--set", "use-margins=1"})
                   .ExitCode);
  ASSERT_NE(Before, Run({"--list"}).Out);
  EXPECT_EQ(0, Run({"--import", File("desktop.reg")}).ExitCode);
  EXPECT_EQ(0, Run({"--import-device", File("device.reg")}).ExitCode);
  EXPECT_EQ(Before, Run({"--list"}).Out);
  EXPECT_EQ(0xFFFFFFFFu, Desktop(kSettingsKey, kDelayName));
  EXPECT_EQ(7u, OnDevice(kMainFormKey, "DeletedItemsTTL"));
}

TEST_F(ZqtTweakTest, ImportReadsEitherEncodingAndEitherLineEnd) {
  const std::string Text =
      "Windows Registry Editor Version 5.00\n"
      "\n"
      "; set by hand\n"
      "[hkey_current_user\\software\\quorvanta\\velora\\settings]\n"
      "\"dragdropexpandcollapseinterval\"=dword:0000002A\n"
      "\n"
      "[HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\WMSync]\n"
      "\"LogEnabled\"=-\n";
  std::string WithCrlf;
  for (char Character : Text)
    WithCrlf += Character == '\n' ? std::string("\r\n") : std::string(1, Character);
  std::string Utf16 = "\xFF\xFE";
  for (char Character : WithCrlf) Utf16 += std::string{Character, '\0'};
  for (const std::string& Bytes : {Text, "\xEF\xBB\xBF" + WithCrlf, Utf16}) {
    SetDesktop(kSettingsKey, kDelayName, 5);
    SetDesktop(kSyncLogKey, "LogEnabled", 1);
    WriteWholeFile(File("hand.reg"), Bytes);
    const TProgramRun Import = Run({"--import", File("hand.reg")});
    EXPECT_EQ(0, Import.ExitCode) << Import.Err;
    EXPECT_EQ(42u, Desktop(kSettingsKey, kDelayName));
    EXPECT_EQ(0u, Desktop(kSyncLogKey, "LogEnabled"));
  }
}

// A file exactly as large as an import reads is read whole; one byte more is
// refused unread.
TEST_F(ZqtTweakTest, AnImportExactlyAtTheSizeLimitIsReadAndOneByteMoreIsRefused) {
  const std::string Head =
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\Settings]\n"
      "\"DragDropExpandCollapseInterval\"=dword:0000002A\n;";
  std::string Bytes = Head + std::string(kLargestReadFile - Head.size() - 1, 'x') + "\n";
  const std::string FileName = File("limit.reg");
  WriteWholeFile(FileName, Bytes);
  const TProgramRun AtLimit = Run({"--import", FileName});
  EXPECT_EQ(0, AtLimit.ExitCode) << AtLimit.Err.substr(0, 200);
  EXPECT_EQ(42u, Desktop(kSettingsKey, kDelayName));
  WriteWholeFile(FileName, Bytes + "x");
  const TProgramRun Over = Run({"--import", FileName});
  EXPECT_EQ(1, Over.ExitCode);
  EXPECT_EQ("zqttweak: Cannot read " + FileName + ": it is larger than 128 MiB\n", Over.Err);
}

// The device refuses the second write; the first value comes back exactly
// as it was: a missing value or key missing again, a value of another type
// or number with its type and bytes.
TEST_F(ZqtTweakTest, AFailedWritePutsBackExactlyWhatWasThereAndSaysSo) {
  struct TCase {
    const char* Name;
    const char* Assignment;
    std::string Key;
    std::string ValueName;
    DWORD Type;  // REG_NONE: the value is missing
    std::string Bytes;
  };
  const TCase Cases[] = {
      {"a missing value", "drag-drop-delay=500", kSettingsKey, kDelayName, REG_NONE, ""},
      {"a missing key", "desktop-sync-log=1", kSyncLogKey, "LogEnabled", REG_NONE, ""},
      {"text", "drag-drop-delay=500", kSettingsKey, kDelayName, REG_SZ, std::string("250", 4)},
      {"a Boolean stored as 2", "desktop-sync-log=0", kSyncLogKey, "LogEnabled", REG_DWORD,
       DwordBytes(2)},
  };
  SetOnDevice(kAppearanceKey, "UseMargins", 1);
  Device.RefuseRegistryWrites();
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    if (Case.Type != REG_NONE)
      SetRawValue(HKEY_CURRENT_USER, Case.Key, Case.ValueName, Case.Type, Case.Bytes);
    else if (Case.Key == kSettingsKey)
      SetDesktop(kSettingsKey, "Other", 1);
    const bool KeyExisted = KeyExists(HKEY_CURRENT_USER, Case.Key);
    const TProgramRun Set = Run({"--set", Case.Assignment, "--set", "use-margins=0"});
    EXPECT_EQ(1, Set.ExitCode);
    EXPECT_EQ("zqttweak: Could not write use-margins: Write registry value failed: UseMargins: " +
                  SystemErrorMessage(ERROR_ACCESS_DENIED) + "\nNothing was changed.\n",
              Set.Err);
    DWORD Type = REG_NONE;
    std::string Bytes;
    EXPECT_EQ(Case.Type != REG_NONE,
              QueryRawValue(HKEY_CURRENT_USER, Case.Key, Case.ValueName, Type, Bytes));
    EXPECT_EQ(Case.Type, Type);
    EXPECT_EQ(Case.Bytes, Bytes);
    EXPECT_EQ(KeyExisted, KeyExists(HKEY_CURRENT_USER, Case.Key));
    EXPECT_EQ(1u, OnDevice(kAppearanceKey, "UseMargins"));
  }
}

// Read with read rights, such a value is shown as stored; a value written
// there fails even when it equals the stored one, and the command with it.
TEST_F(ZqtTweakTest, AKeyGrantingOnlyReadRightsShowsItsValueAndFailsEveryWrite) {
  SetDesktop(kSettingsKey, kDelayName, 250);
  SetDesktop(kSyncLogKey, "LogEnabled", 1);
  ASSERT_TRUE(TTemporaryRegistry::SetKeyReadOnly(HKEY_CURRENT_USER, kSyncLogKey));
  EXPECT_EQ("1\n", Run({"--get", "desktop-sync-log"}).Out);
  const TProgramRun Set = Run({"--set", "drag-drop-delay=7", "--set", "desktop-sync-log=1"});
  EXPECT_EQ(1, Set.ExitCode);
  EXPECT_EQ("zqttweak: Could not write desktop-sync-log: Failed to set data for 'LogEnabled': " +
                SystemErrorMessage(ERROR_ACCESS_DENIED) + "\nNothing was changed.\n",
            Set.Err);
  EXPECT_EQ(250u, Desktop(kSettingsKey, kDelayName));
}

TEST_F(ZqtTweakTest, ACommandGivesUpWhenAnotherKeepsTheOptionsAndWritesNothing) {
  const TOptionsLock Other(std::chrono::milliseconds(0));
  ASSERT_TRUE(Other.Held()) << Other.Failure();
  const TProgramRun Set = Run({"--set", "drag-drop-delay=5"});
  EXPECT_EQ(1, Set.ExitCode);
  EXPECT_EQ("zqttweak: Another zqttweak is changing the options: nothing was done\n", Set.Err);
  EXPECT_FALSE(Desktop(kSettingsKey, kDelayName));
}

// The two write in opposite orders, so that any overlap of their writes
// would mix them.
TEST_F(ZqtTweakTest, TwoCommandsAtOnceEndInTheWholeResultOfOne) {
  constexpr int kRounds = 100;
  const std::vector<std::vector<std::string>> Commands = {
      {"--set", "drag-drop-delay=111", "--set", "desktop-sync-log=1"},
      {"--set", "desktop-sync-log=0", "--set", "drag-drop-delay=222"}};
  for (int Round = 0; Round < kRounds; ++Round) {
    for (const TProgramRun& Each : RunProgramsTogether(ZqtTweakProgram(), Commands))
      ASSERT_EQ(0, Each.ExitCode) << Each.Err;
    const auto Result =
        std::make_pair(Desktop(kSettingsKey, kDelayName), Desktop(kSyncLogKey, "LogEnabled"));
    ASSERT_TRUE(Result == std::make_pair(std::optional<DWORD>(111), std::optional<DWORD>(1)) ||
                Result == std::make_pair(std::optional<DWORD>(222), std::optional<DWORD>(0)))
        << "round " << Round << ": " << Result.first.value_or(0) << ", "
        << Result.second.value_or(0);
  }
}

// What the registry editor writes of the settings key, in its order: the
// options' values among the organizer's own, a key below, and data of
// every other type, hex data over four lines.
TEST_F(ZqtTweakTest, ImportOfARegistryEditorExportSetsItsOptionsAndListsWhatItSkipped) {
  const std::string FileName = File("settings.reg");
  WriteWholeFile(
      FileName,
      RegistryEditorBytes(
          "Windows Registry Editor Version 5.00\n"
          "\n"
          "[HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\Settings]\n"
          "@=\"default\"\n"
          "\"DragDropExpandCollapseInterval\"=dword:000000fa\n"
          "\"Language\"=\"en \\\"quoted\\\" \\\\back\"\n"
          "\"Path\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,00,00\n"
          "\"Window\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\n"
          "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,\\\n"
          "  2e,2f,30,31,32,33,34,35,36,37,38,39,3a,3b,3c,3d,3e,3f,40,41,42,43,44,\\\n"
          "  45,46\n"
          "\"ZQTTweakerAdvanced\"=dword:00000001\n"
          "\n"
          "[HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\Settings\\Sub]\n"
          "\"Other\"=dword:00000003\n"
          "\n"));
  SetDesktop(kSettingsKey, kDelayName, 5);
  const TProgramRun Import = Run({"--import", FileName});
  EXPECT_EQ(0, Import.ExitCode);
  const std::string Place = "zqttweak: " + FileName + ":";
  const std::string Settings =
      " in [HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\Settings] is no option\n";
  EXPECT_EQ(Place + "4: skipped: @" + Settings + Place + "6: skipped: \"Language\"" + Settings +
                Place + "7: skipped: \"Path\"" + Settings + Place + "8: skipped: \"Window\"" +
                Settings + Place + "12: skipped: \"ZQTTweakerAdvanced\"" + Settings + Place +
                "14: skipped: [HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\Settings\\Sub] "
                "holds no option of the desktop\n",
            Import.Err);
  EXPECT_EQ(250u, Desktop(kSettingsKey, kDelayName));
  EXPECT_FALSE(Desktop(kSettingsKey, "ZQTTweakerAdvanced"));
}

TEST_F(ZqtTweakTest, ADeviceFileWrittenByHandImportsOnTheDevice) {
  WriteWholeFile(File("device.reg"),
                 RegistryEditorBytes("Windows Registry Editor Version 5.00\n\n"
                                     "[HKEY_CURRENT_USER\\Software\\ZQT\\ZQT\\Appearance]\n"
                                     "\"UseMargins\"=dword:00000000\n"));
  const TProgramRun Import = Run({"--import-device", File("device.reg")});
  EXPECT_EQ(0, Import.ExitCode) << Import.Err;
  EXPECT_EQ(0u, OnDevice(kAppearanceKey, "UseMargins"));
}

TEST_F(ZqtTweakTest, CollectLogsCopiesWhatItFindsAndReportsIt) {
  const fs::path Organizer = Registry.Folder().Path() / "organizer";
  const fs::path Target = Registry.Folder().Path() / "logs";
  fs::create_directories(Organizer);
  fs::create_directories(Target);
  SetRawValue(HKEY_LOCAL_MACHINE,
              "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe", "", REG_SZ,
              (Organizer / "zqt.exe").string() + '\0');
  Device.PutFile("\\Temp\\ZQTUtil.log", "device log");
  WriteWholeFile((Organizer / "ZQTSync.log").string(), "desktop log");

  const TProgramRun Collect = Run({"--collect-logs", Target.string()});
  EXPECT_EQ(0, Collect.ExitCode);
  EXPECT_EQ(
      "The following log files copied:\n"
      "<device>\\Temp\\ZQTUtil.log\n" +
          (Organizer / "ZQTSync.log").string() +
          "\n\nIf you want to report a problem zip these files and send the archive to ZQT "
          "support.\n",
      Collect.Out);
  EXPECT_EQ("zqttweak: Could not locate ZQT-PPC install folder on device\n", Collect.Err);
  EXPECT_EQ("device log", ReadWholeFile((Target / "ZQTUtil.log").string()));
  EXPECT_EQ("desktop log", ReadWholeFile((Target / "ZQTSync.log").string()));
}

TEST_F(ZqtTweakTest, CollectLogsThatFindsNothingFails) {
  Device.RefuseConnection();
  SetRawValue(HKEY_LOCAL_MACHINE,
              "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe", "", REG_SZ,
              File("zqt.exe") + '\0');
  const TProgramRun Collect = Run({"--collect-logs", Registry.Folder().Path().string()});
  EXPECT_EQ(1, Collect.ExitCode);
  EXPECT_EQ("Log files not found\n", Collect.Out);
  EXPECT_EQ("", Collect.Err);
}

TEST_F(ZqtTweakTest, CollectLogsNamesEachFileItFoundButCouldNotCopy) {
  const fs::path Organizer = Registry.Folder().Path() / "organizer";
  const fs::path Target = Registry.Folder().Path() / "logs";
  fs::create_directories(Organizer);
  // A folder where a log file would go cannot be copied over.
  fs::create_directories(Target / "ZQTSync.log");
  SetRawValue(HKEY_LOCAL_MACHINE,
              "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe", "", REG_SZ,
              (Organizer / "zqt.exe").string() + '\0');
  Device.PutFile("\\Temp\\ZQTUtil.log", "device log");
  Device.FailReadsAfter(3);
  WriteWholeFile((Organizer / "ZQTSync.log").string(), "desktop log");

  const TProgramRun Collect = Run({"--collect-logs", Target.string()});
  EXPECT_EQ(1, Collect.ExitCode);
  EXPECT_EQ("", Collect.Out);
  const std::string DeviceFailure = "zqttweak: Could not copy <device>\\Temp\\ZQTUtil.log to " +
                                    (Target / "ZQTUtil.log").string() +
                                    ": Can not read device file: \\Temp\\ZQTUtil.log\n";
  const std::string DesktopFailure = "zqttweak: Could not copy " +
                                     (Organizer / "ZQTSync.log").string() + " to " +
                                     (Target / "ZQTSync.log").string() + ": ";
  EXPECT_TRUE(
      Collect.Err.starts_with("zqttweak: Could not locate ZQT-PPC install folder on device\n" +
                              DeviceFailure + DesktopFailure))
      << Collect.Err;
  EXPECT_FALSE(fs::exists(Target / "ZQTUtil.log"));
}

}  // namespace
