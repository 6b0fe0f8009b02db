// What one desktop option costs in the registry: the load cycle (close,
// open the key, ask whether the value exists, read the DWORD) and one
// durable write, beside the least such a read can cost: one prepared SQLite
// point query for the value on a connection of its own to the same file.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

#include "BenchRatios.h"
#include "RegistryHandles.h"
#include "RegistryMngr.h"

namespace {

const std::string kKey = "\\Software\\Quorvanta\\Velora\\Settings";
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

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithRatios(argc, argv,
                                 {{.Text = "option load cycle against one prepared point query",
                                   .Numerator = "OptionLoadCycle",
                                   .Denominator = "PreparedPointQuery",
                                   .Limit = 2.0}});
}
