// zqttweak and what only Linux has: pipes and devices among the files,
// permission bits and links, a registry file that is not one, and signals.
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cstdlib>
#include <thread>

#include "SystemError.h"
#include "ZqtTweakFixture.h"

namespace {

using ZqtTweakSystemTest = ZqtTweakFixture;

std::string StoreFile() { return std::getenv("ZQT_REGISTRY_FILE"); }

// Opening a pipe for reading would wait for a writer for ever; a device
// would be read as whatever it gives.
TEST_F(ZqtTweakSystemTest, ImportOfAPipeOrADeviceIsRefusedWithoutReadingIt) {
  const std::string Pipe = File("options.reg");
  ASSERT_EQ(0, mkfifo(Pipe.c_str(), 0600));
  const std::pair<std::string, std::string> Cases[] = {{Pipe, "it is not a regular file"},
                                                       {"/dev/zero", "it is not a regular file"}};
  for (const auto& [FileName, Reason] : Cases) {
    const TProgramRun Import = Run({"--import", FileName});
    EXPECT_EQ(1, Import.ExitCode);
    EXPECT_EQ("zqttweak: Cannot read " + FileName + ": " + Reason + "\n", Import.Err);
  }
}

TEST_F(ZqtTweakSystemTest, ExportKeepsTheModeOfTheFileItReplaces) {
  const std::string Exported = File("desktop.reg");
  WriteWholeFile(Exported, "older export");
  ASSERT_EQ(0, chmod(Exported.c_str(), 0640));
  ASSERT_EQ(0, Run({"--export", Exported}).ExitCode);
  struct stat Info;
  ASSERT_EQ(0, stat(Exported.c_str(), &Info));
  EXPECT_EQ(0640u, Info.st_mode & 07777);
  EXPECT_TRUE(ReadWholeFile(Exported).starts_with("Windows Registry Editor Version 5.00\n"));
}

// What another user could plant at the names the program writes: nothing
// there is followed or replaced, and the command says why it stopped.
TEST_F(ZqtTweakSystemTest, NothingPlantedAtTheProgramsFileNamesIsFollowedOrReplaced) {
  const std::string Victim = File("victim");
  WriteWholeFile(Victim, "export PATH\n");
  const std::string Journal = StoreFile() + ".journal";
  const std::string Pipe = File("pipe.reg");
  ASSERT_EQ(0, mkfifo(Pipe.c_str(), 0600));
  const std::string Folder = File("folder.reg");
  ASSERT_EQ(0, mkdir(Folder.c_str(), 0700));
  const std::string Device = File("null.reg");
  const bool Root = geteuid() == 0;
  if (Root) ASSERT_EQ(0, mknod(Device.c_str(), S_IFCHR | 0600, makedev(1, 3)));
  struct TCase {
    std::vector<std::string> Command;
    std::string Err;
  };
  std::vector<TCase> Cases = {
      {{"--export", Pipe}, "Cannot write " + Pipe + ": it is not a regular file"},
      {{"--export", Folder}, "Cannot write " + Folder + ": it is a folder"},
  };
  if (Root)
    Cases.push_back(
        {{"--export", Device}, "Cannot write " + Device + ": it is not a regular file"});
  Cases.push_back({{"--set", "drag-drop-delay=5"},
                   "Cannot read " + Journal +
                       ": it is a symbolic link.\nTo drop it, leaving every option as it is now: "
                       "zqttweak --drop-journal"});
  for (const TCase& Case : Cases) {
    SCOPED_TRACE(Case.Command.back());
    if (Case.Command.front() == "--set") ASSERT_EQ(0, symlink(Victim.c_str(), Journal.c_str()));
    const TProgramRun Command = Run(Case.Command);
    EXPECT_EQ(1, Command.ExitCode);
    EXPECT_EQ("zqttweak: " + Case.Err + "\n", Command.Err);
  }
  struct stat Info;
  EXPECT_TRUE(stat(Pipe.c_str(), &Info) == 0 && S_ISFIFO(Info.st_mode));
  EXPECT_TRUE(stat(Folder.c_str(), &Info) == 0 && S_ISDIR(Info.st_mode));
  if (Root) EXPECT_TRUE(stat(Device.c_str(), &Info) == 0 && S_ISCHR(Info.st_mode));
  EXPECT_EQ("export PATH\n", ReadWholeFile(Victim));
  EXPECT_FALSE(Desktop(kSettingsKey, kDelayName));
}

// Another program's file where the registry should be: every read of it
// fails, the first being that of the switch that decides which options
// exist, and no command shows a default in its place or writes anything.
TEST_F(ZqtTweakSystemTest, AReadThatFailsFailsTheCommandAndWritesNothing) {
  SetOnDevice(kAppearanceKey, "UseMargins", 0);
  WriteWholeFile(StoreFile(), std::string(4096, 'x'));
  const std::string Exported = File("desktop.reg");
  const std::string Failure =
      "zqttweak: Cannot read ZQTTweakerAdvanced: Failed to get data for 'ZQTTweakerAdvanced': " +
      SystemErrorMessage(ERROR_BADDB) + "\n";
  const std::pair<std::vector<std::string>, std::string> Cases[] = {
      {{"--get", "drag-drop-delay"}, Failure},
      {{"--list"}, Failure},
      {{"--export", Exported}, Failure},
      {{"--set", "use-margins=1", "--set", "drag-drop-delay=250"}, Failure}};
  for (const auto& [Command, Err] : Cases) {
    SCOPED_TRACE(Command.front());
    const TProgramRun Run = this->Run(Command);
    EXPECT_EQ(1, Run.ExitCode);
    EXPECT_EQ("", Run.Out);
    EXPECT_EQ(Err, Run.Err);
  }
  EXPECT_FALSE(std::filesystem::exists(Exported));
  EXPECT_EQ(0u, OnDevice(kAppearanceKey, "UseMargins"));
}

// Stopped between any two of its writes, a command leaves all of its values
// or none as the next command sees them: SIGKILL leaves its journal, from
// which the next command takes its changes back; the other signals let it
// finish first.
TEST_F(ZqtTweakSystemTest, ACommandStoppedDuringItsWritesLeavesAllOrNothing) {
  UnlockAdvancedOptions();
  struct TOption {
    std::string Id, Key, Name;
  };
  const TOption Options[] = {
      {"drag-drop-delay", kSettingsKey, kDelayName},
      {"desktop-sync-log", kSyncLogKey, "LogEnabled"},
      {"desktop-keep-temp-files", "Software\\ZQT\\Sync", "KeepTempFiles"},
      {"desktop-trace-window", "Software\\ZQT\\Sync", "EnableTraceWindow"},
      {"desktop-show-stamps", "Software\\Quorvanta\\Debug", "ShowItemModifStampInUI"}};
  const std::pair<int, std::size_t> Cases[] = {{SIGKILL, 0}, {SIGKILL, 2}, {SIGKILL, 4},
                                               {SIGINT, 0},  {SIGTERM, 2}, {SIGHUP, 0}};
  for (const auto& [Signal, AfterWrite] : Cases) {
    SCOPED_TRACE(std::to_string(Signal) + " after write " + std::to_string(AfterWrite + 1));
    std::vector<std::string> Reset, Set;
    for (const TOption& Option : Options) {
      Reset.insert(Reset.end(), {"--set", Option.Id + "=0"});
      Set.insert(Set.end(), {"--set", Option.Id + "=1"});
    }
    ASSERT_EQ(0, Run(Reset).ExitCode);
    TStartedRun Command(ZqtTweakProgram(), Set);
    const TOption& Watched = Options[AfterWrite];
    for (int Look = 0; Look < 100000 && Desktop(Watched.Key, Watched.Name) != 1u; ++Look)
      std::this_thread::sleep_for(std::chrono::microseconds(20));
    kill(static_cast<pid_t>(Command.Process()), Signal);
    Command.Finish();
    const TProgramRun Next = Run({"--get", "drag-drop-delay"});
    ASSERT_EQ(0, Next.ExitCode) << Next.Err;
    int Changed = 0;
    for (const TOption& Option : Options) Changed += Desktop(Option.Key, Option.Name) == 1u;
    EXPECT_TRUE(Changed == 0 || Changed == 5) << Changed << " of 5 changed";
    if (Signal != SIGKILL) EXPECT_EQ(5, Changed);
    if (Changed == 0)
      EXPECT_EQ("zqttweak: An earlier command was interrupted: its changes were taken back\n",
                Next.Err);
  }
}

}  // namespace
