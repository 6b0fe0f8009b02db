// What collecting the organizer's logs costs: eight files of 32 MiB (five
// on the simulated device, three on the desktop) collected as "Save all
// logs to ..." collects them, against the standard library's copy of the
// same eight files, in the same run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "LogCollection.h"
#include "RecordingInteraction.h"
#include "SimulatedDevice.h"
#include "StartedCatalogue.h"
#include "TemporaryRegistry.h"
#include "ZQTTweakerManager.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kFileSize = std::size_t{32} << 20;
const char* const kDeviceLogs[] = {
    "\\Program Files\\ZQT\\ZQT.exe.log", "\\Program Files\\ZQT\\DevZQTSync.dll.log",
    "\\Temp\\ZQTRemindSvc.log", "\\Temp\\ZQTSetup.log", "\\Temp\\ZQTUtil.log"};
const char* const kDesktopLogs[] = {"zqtSync.dll.log", "ZQTWMSync.exe.log", "ZQTSync.log"};

void WriteFileOfSize(const fs::path& File) {
  fs::create_directories(File.parent_path());
  std::ofstream Out(File, std::ios::binary | std::ios::trunc);
  const std::string Line = "2026-12-07 09:00:00 one line of the organizer's log\r\n";
  for (std::size_t Written = 0; Written < kFileSize; Written += Line.size()) Out << Line;
}

// The organizer's logs on a simulated device and a desktop, the program's
// managers and catalogue, as the program has them when the user clicks.
class TLogBench {
 public:
  TLogBench() {
    fs::create_directories(Target());
    for (const char* Log : kDeviceLogs) WriteFileOfSize(Device.DiskFile(Log));
    for (const char* Log : kDesktopLogs) WriteFileOfSize(Organizer() / Log);
    Device.SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Apps\\Quorvanta PocketPC Edition", "InstallDir ",
                    REG_SZ, DeviceTextBytes(u"\\Program Files\\ZQT"));
    SetRawValue(HKEY_LOCAL_MACHINE,
                "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\zqt.exe", "", REG_SZ,
                (Organizer() / "zqt.exe").string() + '\0');
    Program.Start();
  }
  fs::path Target() const { return Registry.Folder().Path() / "collected"; }
  fs::path Organizer() const { return Registry.Folder().Path() / "organizer"; }

  TRecordingInteraction Interaction;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TStartedCatalogue Program;
};

TLogBench* Bench = nullptr;

void CollectLogs(benchmark::State& State) {
  std::string Report;
  for (auto _ : State) {
    TLogCollection Collection(ZQTTweakOptions->RapiManager, Bench->Target().string());
    Collection.Collect();
    Report = Collection.Report();
  }
  if (!Bench->Interaction.Messages.empty() || Report.find("ZQTSync.log") == std::string::npos ||
      Report.find("ZQT.exe.log") == std::string::npos)
    State.SkipWithError("the collection did not copy every log");
  State.SetBytesProcessed(State.iterations() * 8 * kFileSize);
}
BENCHMARK(CollectLogs)->Unit(benchmark::kMillisecond)->UseRealTime();

void StandardLibraryCopy(benchmark::State& State) {
  for (auto _ : State) {
    for (const char* Log : kDeviceLogs) {
      const fs::path Source = Bench->Device.DiskFile(Log);
      fs::copy_file(Source, Bench->Target() / Source.filename(),
                    fs::copy_options::overwrite_existing);
    }
    for (const char* Log : kDesktopLogs)
      fs::copy_file(Bench->Organizer() / Log, Bench->Target() / Log,
                    fs::copy_options::overwrite_existing);
  }
  State.SetBytesProcessed(State.iterations() * 8 * kFileSize);
}
BENCHMARK(StandardLibraryCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TLogBench Setup;
  Bench = &Setup;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
