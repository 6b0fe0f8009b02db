// What one desktop option costs in the registry: the load cycle (close,
// open the key, ask whether the value exists, read the DWORD) and one
// durable write, beside the least such a read can cost: one prepared SQLite
// point query for the value on a connection of its own to the same file.
// The load reads twice, so it may cost two such queries and a tenth of one
// for all the rest (opening the key, the handle, the commit watch): 2.2.
// Then four writer programs at once on one file, on quiet cores and with
// every core kept busy: how many writes were refused, and how long the
// slowest took beside the slowest of one writer program alone.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string_view>
#include <thread>
#include <vector>

#include "BenchRatios.h"
#include "ChildProcess.h"
#include "RegistryHandles.h"
#include "RegistryMngr.h"

namespace {

const std::string kKey = "\\Software\\Quorvanta\\Velora\\Settings";
// The same key as the Win32 functions take it.
const std::string kKeyPath = kKey.substr(1);
const std::string kValueName = "ZQTTweakerAdvanced";

// A fresh registry file in the system's temporary folder, removed afterwards.
class TBenchRegistry {
 public:
  TBenchRegistry()
      : FFile(std::filesystem::temp_directory_path() /
              ("zqt-bench-" + std::to_string(getpid()) + ".db")) {
    std::filesystem::remove(FFile);
    SetDesktopRegistryStore(std::make_shared<TRegistryStore>(FFile.string()));
    RegWriteBool(kKey, kValueName, true);
  }
  ~TBenchRegistry() {
    SetDesktopRegistryStore(nullptr);
    std::filesystem::remove(FFile);
  }

  const std::filesystem::path& File() const { return FFile; }

 private:
  std::filesystem::path FFile;
};

// The value's row read straight from the file by its primary key: the
// settings key's id, found once (it is the only key of that name), and the
// name as stored, folded to lower case.
class TPointQuery {
 public:
  explicit TPointQuery(const std::filesystem::path& File) {
    sqlite3_open_v2(File.c_str(), &FDb, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_prepare_v3(FDb, "SELECT type, data FROM vals WHERE key = ? AND fold = ?", -1,
                       SQLITE_PREPARE_PERSISTENT, &FStatement, nullptr);
    sqlite3_bind_int64(FStatement, 1, SettingsKeyId());
    static constexpr char kFolded[] = "zqttweakeradvanced";
    sqlite3_bind_blob(FStatement, 2, kFolded, sizeof kFolded - 1, SQLITE_STATIC);
  }
  ~TPointQuery() {
    sqlite3_finalize(FStatement);
    sqlite3_close_v2(FDb);
  }

  // The value's type, or -1 when no row came back.
  int Run() {
    const int Type =
        sqlite3_step(FStatement) == SQLITE_ROW ? sqlite3_column_int(FStatement, 0) : -1;
    benchmark::DoNotOptimize(sqlite3_column_blob(FStatement, 1));
    sqlite3_reset(FStatement);
    return Type;
  }

 private:
  sqlite3_int64 SettingsKeyId() {
    sqlite3_stmt* Find = nullptr;
    sqlite3_prepare_v2(FDb, "SELECT id FROM keys WHERE fold = CAST('settings' AS BLOB)", -1, &Find,
                       nullptr);
    const sqlite3_int64 Id = sqlite3_step(Find) == SQLITE_ROW ? sqlite3_column_int64(Find, 0) : 0;
    sqlite3_finalize(Find);
    return Id;
  }

  sqlite3* FDb = nullptr;
  sqlite3_stmt* FStatement = nullptr;
};

void OptionLoadCycle(benchmark::State& State) {
  TBenchRegistry Registry;
  TRegistryManager Manager("", "", false, HKEY_CURRENT_USER);
  for (auto _ : State) {
    Manager.OpenKeyMode(kKey, false, false);
    benchmark::DoNotOptimize(Manager.ReadIntegerDef(kValueName, 0));
  }
}
BENCHMARK(OptionLoadCycle);

void PreparedPointQuery(benchmark::State& State) {
  TBenchRegistry Registry;
  TPointQuery Query(Registry.File());
  if (Query.Run() != REG_DWORD) {
    State.SkipWithError("the point query did not find the value");
    return;
  }
  for (auto _ : State) benchmark::DoNotOptimize(Query.Run());
}
BENCHMARK(PreparedPointQuery);

void DurableWrite(benchmark::State& State) {
  TBenchRegistry Registry;
  TRegistryManager Manager(kKey, "", false, HKEY_CURRENT_USER);
  int Value = 0;
  for (auto _ : State) Manager.WriteIntegerValue("DeletedItemsTTL", ++Value);
}
BENCHMARK(DurableWrite);

using TClock = std::chrono::steady_clock;

constexpr int kWritesPerWriter = 200;

// A writer program: Count writes into the file named, each a create of the
// settings key and a set of one DWORD value, as the option model applies an
// option. Prints how many were refused, then the slowest write and all
// writes together, in nanoseconds.
int RunWriter(const std::string& Prefix, int Count) {
  int Refused = 0;
  TClock::duration Slowest{}, Total{};
  for (int Index = 0; Index < Count; ++Index) {
    const TClock::time_point Start = TClock::now();
    HKEY Key = nullptr;
    LONG Result = RegCreateKeyExA(HKEY_CURRENT_USER, kKeyPath.c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS, nullptr, &Key, nullptr);
    if (Result == ERROR_SUCCESS) {
      const DWORD Value = static_cast<DWORD>(Index);
      Result = RegSetValueExA(Key, (Prefix + std::to_string(Index)).c_str(), 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&Value), sizeof(Value));
      RegCloseKey(Key);
    }
    const TClock::duration Took = TClock::now() - Start;
    Refused += Result != ERROR_SUCCESS;
    Slowest = std::max(Slowest, Took);
    Total += Took;
  }
  std::printf("%d %lld %lld\n", Refused, static_cast<long long>(Slowest.count()),
              static_cast<long long>(Total.count()));
  return 0;
}

// A program that keeps one core busy until it is killed.
int RunSpinner() {
  for (unsigned Turn = 0;; ++Turn) benchmark::DoNotOptimize(Turn);
}

std::unique_ptr<TChildProcess> StartSelf(std::vector<std::string> Arguments,
                                         std::vector<std::string> Environment = {}) {
  return std::make_unique<TChildProcess>("/proc/self/exe", std::move(Arguments),
                                         std::move(Environment));
}

// Rounds of writer programs on a fresh file each; with Spinning, one
// spinning program per core runs beside them.
void ContendedWrites(benchmark::State& State, int Writers, bool Spinning) {
  const std::filesystem::path Folder =
      std::filesystem::temp_directory_path() / ("zqt-contention-" + std::to_string(getpid()));
  std::vector<std::unique_ptr<TChildProcess>> Spinners;
  for (unsigned Core = 0; Spinning && Core < std::thread::hardware_concurrency(); ++Core)
    Spinners.push_back(StartSelf({"--spin"}));
  long long Refused = 0, Writes = 0;
  double Slowest = 0, Total = 0;
  for (auto _ : State) {
    std::filesystem::remove_all(Folder);
    std::filesystem::create_directory(Folder);
    const std::string Variable = "ZQT_REGISTRY_FILE=" + (Folder / "registry.db").string();
    std::vector<std::unique_ptr<TChildProcess>> Started;
    for (int Writer = 0; Writer < Writers; ++Writer)
      Started.push_back(StartSelf(
          {"--writer", std::string(1, char('A' + Writer)), std::to_string(kWritesPerWriter)},
          {Variable}));
    for (auto& Writer : Started) {
      std::string Line;
      Writer->ReadLine(Line);
      Writer->Wait();
      std::istringstream Figures(Line);
      long long WriterRefused = 0, WriterSlowest = 0, WriterTotal = 0;
      Figures >> WriterRefused >> WriterSlowest >> WriterTotal;
      Refused += WriterRefused;
      Slowest = std::max(Slowest, WriterSlowest / 1e6);
      Total += WriterTotal / 1e6;
      Writes += kWritesPerWriter;
    }
  }
  std::filesystem::remove_all(Folder);
  State.counters["refused"] = static_cast<double>(Refused);
  State.counters["slowest_ms"] = Slowest;
  State.counters["mean_ms"] = Total / static_cast<double>(Writes);
}
void OneWriterOnQuietCores(benchmark::State& State) { ContendedWrites(State, 1, false); }
void FourWritersOnQuietCores(benchmark::State& State) { ContendedWrites(State, 4, false); }
void OneWriterOnBusyCores(benchmark::State& State) { ContendedWrites(State, 1, true); }
void FourWritersOnBusyCores(benchmark::State& State) { ContendedWrites(State, 4, true); }
BENCHMARK(OneWriterOnQuietCores)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FourWritersOnQuietCores)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(OneWriterOnBusyCores)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FourWritersOnBusyCores)->Iterations(5)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const std::string_view Mode = argc > 1 ? argv[1] : "";
  if (Mode == "--writer" && argc == 4) return RunWriter(argv[2], std::stoi(argv[3]));
  if (Mode == "--spin") return RunSpinner();
  return RunBenchmarksWithRatios(
      argc, argv,
      {{.Text = "option load cycle against one prepared point query",
        .Numerator = "OptionLoadCycle",
        .Denominator = "PreparedPointQuery",
        .Limit = 2.2},
       {.Text = "writes refused, four writer programs on quiet cores",
        .Numerator = "FourWritersOnQuietCores",
        .Limit = 0,
        .Counter = "refused"},
       {.Text = "writes refused, four writer programs on busy cores",
        .Numerator = "FourWritersOnBusyCores",
        .Limit = 0,
        .Counter = "refused"},
       {.Text = "slowest write of four writer programs against one alone, quiet cores",
        .Numerator = "FourWritersOnQuietCores",
        .Denominator = "OneWriterOnQuietCores",
        .Limit = 8,
        .Counter = "slowest_ms"},
       {.Text = "slowest write of four writer programs against one alone, busy cores",
        .Numerator = "FourWritersOnBusyCores",
        .Denominator = "OneWriterOnBusyCores",
        .Limit = 8,
        .Counter = "slowest_ms"}});
}
