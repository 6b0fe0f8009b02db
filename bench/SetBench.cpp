// zqttweak --set of one value as a whole process, against the sqlite3
// command-line program updating one row of the same registry file with
// synchronous=FULL, the two run in turns so that a busy machine slows both
// alike; and the same for five values, whose command keeps a journal.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "BenchRatios.h"
#include "ProcessRun.h"
#include "RegistryMngr.h"
#include "TemporaryFolder.h"
#include "ZQTTweakerManager.h"

namespace {

// Seconds from start to end; negative when it did not succeed.
double Seconds(const std::vector<std::string>& Arguments) {
  const TProcessRun Run = RunToItsEnd(Arguments);
  return Run.Succeeded ? Run.Seconds : -1;
}

// Values cycle, so that every write changes what is stored.
std::vector<std::string> SetCommand(int Values, int Round) {
  static const char* const kIds[] = {"drag-drop-delay", "desktop-sync-log", "desktop-show-stamps",
                                     "desktop-keep-temp-files", "desktop-trace-window"};
  std::vector<std::string> Command{ZQTTWEAK_PROGRAM};
  for (int Index = 0; Index < Values; ++Index)
    Command.insert(Command.end(),
                   {"--set", std::string(kIds[Index]) + "=" +
                                 std::to_string(Index == 0 ? 100 + Round % 100 : Round % 2)});
  return Command;
}

std::vector<std::string> SqliteUpdate(const std::string& Store, int Round) {
  return {"sqlite3", "-cmd", "PRAGMA synchronous=FULL", Store,
          "UPDATE vals SET data = X'" + std::string(Round % 2 ? "64" : "65") +
              "000000' WHERE CAST(name AS TEXT) = 'DragDropExpandCollapseInterval'"};
}

// The registry file of every run, with the advanced options unlocked and
// the values there.
const std::string& Store() {
  static const TTemporaryFolder Folder;
  static const std::string File = [] {
    const std::string Name = Folder.File("registry.db");
    setenv("ZQT_REGISTRY_FILE", Name.c_str(), 1);
    RegWriteBool(kSettingsKey, kAdvancedValueName, true);
    Seconds(SetCommand(5, 0));
    return Name;
  }();
  return File;
}

// Each round runs zqttweak, then sqlite3; the time reported is zqttweak's.
void SetAgainstSqlite(benchmark::State& State) {
  const std::string& Store = ::Store();
  const int Values = static_cast<int>(State.range(0));
  double Zqttweak = 0, Sqlite = 0;
  int Round = 0;
  for (auto _ : State) {
    ++Round;
    const double Set = Seconds(SetCommand(Values, Round));
    const double Update = Seconds(SqliteUpdate(Store, Round));
    if (Set < 0 || Update < 0) {
      State.SkipWithError("zqttweak or sqlite3 failed");
      return;
    }
    State.SetIterationTime(Set);
    Zqttweak += Set;
    Sqlite += Update;
  }
  State.counters["to_sqlite"] = Zqttweak / Sqlite;
}
BENCHMARK(SetAgainstSqlite)
    ->Name("SetOfOneValueAgainstSqlite")
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(3.0);
BENCHMARK(SetAgainstSqlite)
    ->Name("SetOfFiveValuesAgainstSqlite")
    ->Arg(5)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithRatios(
      argc, argv,
      {{.Text = "zqttweak --set of one value to sqlite3 updating one row (synchronous=FULL)",
        .Numerator = "SetOfOneValueAgainstSqlite",
        .Limit = 1.5,
        .Counter = "to_sqlite"},
       {.Text = "zqttweak --set of five values to sqlite3 updating one row (stated, no limit)",
        .Numerator = "SetOfFiveValuesAgainstSqlite",
        .Limit = 1000,
        .Counter = "to_sqlite"}});
}
