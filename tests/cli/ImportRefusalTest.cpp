// Registry files that an import refuses: each reason with its line, and
// then nothing at all is written, not even the values before that line.
#include "ZqtTweakFixture.h"

namespace {

const std::string kHeader = "Windows Registry Editor Version 5.00\n\n";
// Lines 3 and 4 after the header: a value an import would write.
const std::string kDelayLines =
    "[HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\Settings]\n"
    "\"DragDropExpandCollapseInterval\"=dword:00000005\n";

struct TRefusal {
  const char* Name;
  std::string Text;
  const char* Option;
  int Line;
  std::string Reason;
};

void PrintTo(const TRefusal& Refusal, std::ostream* Out) { *Out << Refusal.Name; }

class ImportRefusalTest : public ZqtTweakFixture, public ::testing::WithParamInterface<TRefusal> {};

TEST_P(ImportRefusalTest, IsReportedWithFileLineAndReasonAndWritesNothing) {
  const TRefusal& Refusal = GetParam();
  const std::string FileName = File("options.reg");
  WriteWholeFile(FileName, Refusal.Text);
  const TProgramRun Import = Run({Refusal.Option, FileName});
  EXPECT_EQ(1, Import.ExitCode);
  const std::string Place = Refusal.Line > 0 ? ":" + std::to_string(Refusal.Line) + ": " : ": ";
  EXPECT_EQ("zqttweak: " + FileName + Place + Refusal.Reason + "\n", Import.Err);
  EXPECT_FALSE(Desktop(kSettingsKey, kDelayName));
  EXPECT_FALSE(Desktop(kSyncLogKey, "LogEnabled"));
  EXPECT_FALSE(OnDevice(kAppearanceKey, "UseMargins"));
}

INSTANTIATE_TEST_SUITE_P(
    EachReason, ImportRefusalTest,
    ::testing::Values(
        TRefusal{"NotARegistryFile", "REGEDIT4\n\n" + kDelayLines, "--import", 1,
                 "the first line is not \"Windows Registry Editor Version 5.00\""},
        TRefusal{"DeviceFileOnTheDesktop",
                 kHeader + "; ZQTTweaker: options of the device\n" + kDelayLines, "--import", 3,
                 "the file holds options of the device: import it with --import-device"},
        TRefusal{"DeviceExportOnTheDesktop",
                 "ZQTTweaker Device Options Version 1.00\n\n" + kDelayLines, "--import", 1,
                 "the file holds options of the device: import it with --import-device"},
        TRefusal{"DesktopFileOnTheDevice", kHeader + kDelayLines, "--import-device", 0,
                 "the file holds options of the desktop: import it with --import"},
        TRefusal{"NoOptionAtAll",
                 kHeader + "[HKEY_CURRENT_USER\\Software\\Other]\n\"Other\"=dword:00000001\n",
                 "--import", 0, "the file sets no option of the desktop"},
        TRefusal{"MalformedLineInAKeyOfNoOption",
                 kHeader + kDelayLines + "[HKEY_CURRENT_USER\\Software\\Other]\n\"Data\"=hex:1,\n",
                 "--import", 6, "malformed line"},
        TRefusal{"HexDataNeverEnding", kHeader + kDelayLines + "\"Window\"=hex:01,\\\n", "--import",
                 5, "malformed line"},
        TRefusal{"AnotherType",
                 kHeader + kDelayLines + "\"DragDropExpandCollapseInterval\"=\"5\"\n", "--import",
                 5, "\"DragDropExpandCollapseInterval\" is not a DWORD value"},
        TRefusal{"MalformedLine", kHeader + kDelayLines + "DragDropExpandCollapseInterval=5\n",
                 "--import", 5, "malformed line"},
        TRefusal{"DwordOutOfRange",
                 kHeader + kDelayLines + "\"DragDropExpandCollapseInterval\"=dword:100000000\n",
                 "--import", 5, "dword:100000000 is out of range"},
        TRefusal{"BooleanOutOfRange",
                 kHeader + kDelayLines +
                     "[HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\WMSync]\n"
                     "\"LogEnabled\"=dword:00000002\n",
                 "--import", 6, "dword:00000002 is out of range for a Boolean option (0 or 1)"},
        TRefusal{"ValueOutsideAnyKey", kHeader + "\"LogEnabled\"=dword:00000001\n" + kDelayLines,
                 "--import", 3, "a value outside any key"},
        TRefusal{"KeyDeletion",
                 kHeader + kDelayLines + "[-HKEY_CURRENT_USER\\Software\\ZQT\\Sync]\n", "--import",
                 5, "deleting a key is not accepted"},
        TRefusal{"OptionThatDoesNotExistNow",
                 kHeader + kDelayLines +
                     "[HKEY_CURRENT_USER\\Software\\ZQT\\Sync]\n"
                     "\"KeepTempFiles\"=dword:00000001\n",
                 "--import", 6,
                 "Option desktop-keep-temp-files is an advanced option: it exists once ZQTTweaker "
                 "has been started with /AdvancedOptions"}),
    [](const ::testing::TestParamInfo<TRefusal>& Info) { return std::string(Info.param.Name); });

}  // namespace
