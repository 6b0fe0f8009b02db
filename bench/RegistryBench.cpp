// What one desktop option costs in the registry: the load cycle (close,
// open the key, ask whether the value exists, read the DWORD) and one
// durable write.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "RegistryHandles.h"
#include "RegistryMngr.h"

namespace {

const std::string kKey = "\\Software\\Quorvanta\\Velora\\Settings";

// A fresh registry file in the system's temporary folder, removed afterwards.
class TBenchRegistry {
 public:
  TBenchRegistry()
      : FFile(std::filesystem::temp_directory_path() /
              ("zqt-bench-" + std::to_string(getpid()) + ".db")) {
    std::filesystem::remove(FFile);
    SetDesktopRegistryStore(std::make_shared<TRegistryStore>(FFile.string()));
    RegWriteBool(kKey, "ZQTTweakerAdvanced", true);
  }
  ~TBenchRegistry() {
    SetDesktopRegistryStore(nullptr);
    std::filesystem::remove(FFile);
  }

 private:
  std::filesystem::path FFile;
};

void OptionLoadCycle(benchmark::State& State) {
  TBenchRegistry Registry;
  TRegistryManager Manager("", "", false, HKEY_CURRENT_USER);
  for (auto _ : State) {
    Manager.OpenKeyMode(kKey, false, false);
    benchmark::DoNotOptimize(Manager.ReadIntegerDef("ZQTTweakerAdvanced", 0));
  }
}
BENCHMARK(OptionLoadCycle);

void DurableWrite(benchmark::State& State) {
  TBenchRegistry Registry;
  TRegistryManager Manager(kKey, "", false, HKEY_CURRENT_USER);
  int Value = 0;
  for (auto _ : State) Manager.WriteIntegerValue("DeletedItemsTTL", ++Value);
}
BENCHMARK(DurableWrite);

}  // namespace

BENCHMARK_MAIN();
