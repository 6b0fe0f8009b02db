// What collecting the organizer's logs costs: eight files of 32 MiB (five
// on the simulated device, three on the desktop) collected as "Save all
// logs to ..." collects them, against the least such a collection can cost
// (the device files read and written in 10240-byte chunks, the desktop files
// copied by the system, each file made durable) and the standard library's
// copy of the same eight files, in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "BenchRatios.h"
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

void SyncFile(const fs::path& File) {
  const int Descriptor = open(File.c_str(), O_RDONLY | O_CLOEXEC);
  fsync(Descriptor);
  close(Descriptor);
}

void WriteFileOfSize(const fs::path& File) {
  fs::create_directories(File.parent_path());
  {
    std::ofstream Out(File, std::ios::binary | std::ios::trunc);
    const std::string Line = "2026-12-07 09:00:00 one line of the organizer's log\r\n";
    for (std::size_t Written = 0; Written < kFileSize; Written += Line.size()) Out << Line;
  }
  // On the disk before the first benchmark starts, which would otherwise
  // pay for writing it.
  SyncFile(File);
}

// One read and one write per 10240-byte chunk, then the file made durable.
void CopyInChunks(const fs::path& Source, const fs::path& Target) {
  std::vector<char> Buffer(10240);
  const int From = open(Source.c_str(), O_RDONLY | O_CLOEXEC);
  const int To = open(Target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  for (ssize_t Read; (Read = read(From, Buffer.data(), Buffer.size())) > 0;)
    if (write(To, Buffer.data(), Read) != Read) break;
  fsync(To);
  close(To);
  close(From);
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
BENCHMARK(CollectLogs)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

// The limit of a collection: the device files in the device's chunks, the
// desktop files by the system's own copy, each file made durable.
void CollectionLimit(benchmark::State& State) {
  for (auto _ : State) {
    for (const char* Log : kDeviceLogs) {
      const fs::path Source = Bench->Device.DiskFile(Log);
      CopyInChunks(Source, Bench->Target() / Source.filename());
    }
    for (const char* Log : kDesktopLogs) {
      fs::copy_file(Bench->Organizer() / Log, Bench->Target() / Log,
                    fs::copy_options::overwrite_existing);
      SyncFile(Bench->Target() / Log);
    }
  }
  State.SetBytesProcessed(State.iterations() * 8 * kFileSize);
}
BENCHMARK(CollectionLimit)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

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
BENCHMARK(StandardLibraryCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  TLogBench Setup;
  Bench = &Setup;
  return RunBenchmarksWithRatios(
      argc, argv,
      {{.Text = "log collection, time against its limit",
        .Numerator = "CollectLogs",
        .Denominator = "CollectionLimit",
        .Limit = 1.05}});
}
