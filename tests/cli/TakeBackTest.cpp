// What the next command makes of a journal: it takes back only the values
// still as the killed command wrote them, a device's only on that device,
// and exactly one command says so; a journal it cannot use says what it
// holds and how to drop it.
#include <filesystem>

#include "FaultyZqtTweak.h"
#include "ProcessVariables.h"
#include "TakeBackFixture.h"

namespace {

constexpr const char* kTakenBack =
    "An earlier command was interrupted: its changes were taken back";

class TakeBackTest : public TakeBackFixture {
 protected:
  // Every watched value set, the command ended right after it wrote Value.
  void EndAfterWriting(const TWatchedValue& Value) {
    for (int Call = 1; Call < 100; ++Call) {
      SetBefore();
      SetProcessVariable(kEndAtCallVariable, std::to_string(Call));
      const TProgramRun Ended = RunProgram(FaultyZqtTweakProgram(), SetCommand(Watched));
      ClearProcessVariable(kEndAtCallVariable);
      ASSERT_EQ(kEndedAtCall, Ended.ExitCode) << Ended.Err;
      if (Found(Value) == std::optional<TFoundValue>(After(Value))) return;
    }
    FAIL() << Value.Id << " was never written";
  }
};

// Killed after its first write; another program then changes that value and
// one the command never reached.
TEST_F(TakeBackTest, AValueChangedByAnotherProgramSinceIsKeptAndNamed) {
  const TWatchedValue& Delay = WatchedNamed("drag-drop-delay");
  const TWatchedValue& Trace = WatchedNamed("desktop-trace-window");
  EndAfterWriting(Delay);
  Set(Delay, REG_DWORD, DwordBytes(750));
  Set(Trace, REG_DWORD, DwordBytes(0));
  const TProgramRun Next = Run({"--get", "desktop-sync-log"});
  EXPECT_EQ(0, Next.ExitCode);
  EXPECT_EQ(std::string("zqttweak: ") + kTakenBack +
                ", but\ndesktop-trace-window was changed by another program since: kept as it "
                "is\ndrag-drop-delay was changed by another program since: kept as it is\n",
            Next.Err);
  EXPECT_EQ(750u, Desktop(kSettingsKey, kDelayName));
  EXPECT_EQ(0u, Desktop(Trace.Key, Trace.Name));
  EXPECT_FALSE(std::filesystem::exists(JournalFile()));
}

// Killed after its device writes; then another device, and none.
TEST_F(TakeBackTest, ADevicesValuesAreTakenBackOnlyOnThatDevice) {
  const TWatchedValue& Margins = WatchedNamed("use-margins");
  EndAfterWriting(WatchedNamed("device-rte-log"));
  TSimulatedDevice Other;
  Other.SetName(WIDE("Pocket two"));
  Other.SetValue(HKEY_CURRENT_USER, Margins.Key, Margins.Name, REG_DWORD, DwordBytes(1));
  const std::string Away =
      "zqttweak: An earlier command was interrupted on a device that is not connected now: its "
      "changes of use-margins, device-rte-log stay in the journal " +
      JournalFile() +
      " until that device is connected again (or drop them with zqttweak --drop-journal)\n";
  for (bool OtherConnected : {true, false}) {
    SCOPED_TRACE(OtherConnected ? "another device" : "no device");
    if (!OtherConnected) Other.Unplug();
    const TProgramRun Desktop = Run({"--set", "drag-drop-delay=7"});
    EXPECT_EQ(0, Desktop.ExitCode);
    EXPECT_EQ(OtherConnected ? std::string("zqttweak: ") + kTakenBack + "\n" + Away : Away,
              Desktop.Err);
    EXPECT_EQ(7u, this->Desktop(kSettingsKey, kDelayName));
    const TProgramRun OnDevice = Run({"--set", "use-margins=0"});
    EXPECT_EQ(1, OnDevice.ExitCode);
    if (OtherConnected) {
      EXPECT_EQ(Away + "zqttweak: The journal " + JournalFile() +
                    " keeps the change of use-margins by an interrupted command for another "
                    "device: connect that device and run any zqttweak command to take it back "
                    "there, or drop the journal with zqttweak --drop-journal\nNothing was "
                    "changed.\n",
                OnDevice.Err);
    }
  }
  DWORD Type = REG_NONE;
  std::string Bytes;
  ASSERT_TRUE(Other.QueryValue(HKEY_CURRENT_USER, Margins.Key, Margins.Name, Type, Bytes));
  EXPECT_EQ(DwordBytes(1), Bytes);
  Device.PlugIn();
  const TProgramRun Back = Run({"--get", "use-margins"});
  EXPECT_EQ(std::string("zqttweak: ") + kTakenBack + "\n", Back.Err);
  EXPECT_EQ("1\n", Back.Out);
  EXPECT_EQ(Before(WatchedNamed("device-rte-log")), Found(WatchedNamed("device-rte-log")));
  EXPECT_FALSE(std::filesystem::exists(JournalFile()));
}

TEST_F(TakeBackTest, OfSeveralCommandsStartedTogetherOneTakesTheJournalBack) {
  EndAfterWriting(WatchedNamed("desktop-sync-log"));
  const std::vector<TProgramRun> Runs = RunProgramsTogether(
      ZqtTweakProgram(), std::vector<std::vector<std::string>>(4, {"--get", "drag-drop-delay"}));
  int Said = 0;
  for (const TProgramRun& Each : Runs) {
    EXPECT_EQ(0, Each.ExitCode) << Each.Err;
    Said += Each.Err == std::string("zqttweak: ") + kTakenBack + "\n";
  }
  EXPECT_EQ(1, Said);
  EXPECT_EQ(6, AsBeforeAndAsWritten().first);
}

// Each stops every command with what it holds and how to drop it, until
// it is dropped.
TEST_F(TakeBackTest, AJournalThatCannotBeUsedSaysWhatItHoldsAndHowToDropIt) {
  const std::string Journal = JournalFile();
  const std::string Drop = "To drop it, leaving every option as it is now: zqttweak --drop-journal";
  const std::string Entry =
      "x647261672d64726f702d64656c6179 0 x536f667477617265 x44656c6179 x 1 4 x03000000 x 1 4 "
      "x07000000 x\n";
  const std::pair<std::string, std::string> Cases[] = {
      {"ZQTTweaker command journal 2\n" + Entry + "x41 9\nend\n",
       "it is damaged; it holds:\n  drag-drop-delay: 3 before, 7 written\n  1 line that cannot "
       "be read\n"},
      {"ZQTTweaker command journal 2\n" + Entry,
       "it was not written whole; it holds:\n  drag-drop-delay: 3 before, 7 written\n"},
      {"#!/bin/sh\n", "it is not a zqttweak journal.\n"},
      {std::string((1 << 20) + 1, 'x'), "it is larger than 1 MiB.\n"}};
  for (const auto& [Bytes, Holds] : Cases) {
    SCOPED_TRACE(Holds);
    WriteWholeFile(Journal, Bytes);
    const TProgramRun Get = Run({"--get", "drag-drop-delay"});
    EXPECT_EQ(1, Get.ExitCode);
    EXPECT_EQ("zqttweak: Cannot read " + Journal + ": " + Holds + Drop + "\n", Get.Err);
    const TProgramRun Dropped = Run({"--drop-journal"});
    EXPECT_EQ(0, Dropped.ExitCode);
    EXPECT_EQ(
        "zqttweak: The journal " + Journal + " was dropped: every option stays as it is now\n",
        Dropped.Err);
    EXPECT_EQ(0, Run({"--get", "drag-drop-delay"}).ExitCode);
  }
  EXPECT_EQ("zqttweak: There is no journal to drop\n", Run({"--drop-journal"}).Err);
}

TEST_F(TakeBackTest, AFolderAtTheNewJournalsNameIsNamedAsItself) {
  std::filesystem::create_directories(JournalFile() + "-new");
  const TProgramRun Set = Run({"--set", "drag-drop-delay=5", "--set", "desktop-sync-log=1"});
  EXPECT_EQ(1, Set.ExitCode);
  EXPECT_TRUE(Set.Err.starts_with("zqttweak: Cannot write " + JournalFile() + "-new: ")) << Set.Err;
  EXPECT_FALSE(Desktop(kSettingsKey, kDelayName));
  std::filesystem::remove(JournalFile() + "-new");
}

}  // namespace
