// What collecting the organizer's logs costs: eight files of 32 MiB (five
// on the simulated device, three on the desktop) collected by the
// troubleshooting page's "Save all logs to ...", against the standard
// library's copy of the same eight files, in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "RecordingInteraction.h"
#include "SimulatedDevice.h"
#include "StartedCatalogue.h"
#include "TemporaryRegistry.h"
#include "ZQTTweakerManager.h"
#include "frmTweakOptDebugging.h"

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
// managers and catalogue, and the troubleshooting page, as the program has
// them when the user clicks.
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
    Interaction.FolderAnswer = Target().string();
    Program.Start();
    Page = std::make_unique<TTweakOptDebugging>(nullptr, nullptr);
  }
  ~TLogBench() { Page.reset(); }
  fs::path Target() const { return Registry.Folder().Path() / "collected"; }
  fs::path Organizer() const { return Registry.Folder().Path() / "organizer"; }

  TRecordingInteraction Interaction;
  TTemporaryRegistry Registry;
  TSimulatedDevice Device;
  TStartedCatalogue Program;
  std::unique_ptr<TTweakOptDebugging> Page;
};

TLogBench* Bench = nullptr;

void CollectLogs(benchmark::State& State) {
  for (auto _ : State) {
    Bench->Interaction.Messages.clear();
    Bench->Page->btnSaveLogsClick();
  }
  if (Bench->Interaction.Messages.size() != 1 ||
      Bench->Interaction.Messages[0].find("ZQTSync.log") == std::string::npos)
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
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication Application(argc, argv);
  benchmark::Initialize(&argc, argv);
  TLogBench Setup;
  Bench = &Setup;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
