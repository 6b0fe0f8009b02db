// What copying a device file to the desktop costs: a 64 MiB file copied from
// the simulated device in 10240-byte chunks through a temporary file that is
// put in place durably, against the least such a copy can cost (the same file
// read and written in 10240-byte chunks by a plain loop, then made durable)
// and the standard library's copy of the same file on the same disk, with
// and without making it durable, in the same run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

#include "BenchRatios.h"
#include "DeviceFolder.h"
#include "RapiMngr.h"
#include "WinLibraries.h"

namespace {

constexpr std::int64_t kFileSize = std::int64_t{64} << 20;
const std::string kDeviceFile = "\\Temp\\Big.bin";

// A device in the system's temporary folder, served by the device library
// built beside this benchmark, holding one file of kFileSize bytes; removed
// with everything in it afterwards.
class TBenchDevice {
 public:
  TBenchDevice()
      : FFolder(std::filesystem::temp_directory_path() /
                ("zqt-device-bench-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(FFolder);
    std::filesystem::create_directories(DiskFile().parent_path());
    std::filesystem::create_directories(FFolder / kDeviceSettingsFolder);
    WritePattern(DiskFile());
    setenv(kRapiLibraryVariable, ZQT_DEVICE_LIBRARY, 1);
    setenv(kDeviceFolderVariable, FFolder.c_str(), 1);
  }
  ~TBenchDevice() { std::filesystem::remove_all(FFolder); }
  TBenchDevice(const TBenchDevice&) = delete;
  TBenchDevice& operator=(const TBenchDevice&) = delete;

  // Where the device keeps kDeviceFile.
  std::filesystem::path DiskFile() const {
    return FFolder / kDeviceFilesFolder / "Temp" / "Big.bin";
  }
  // A desktop file beside the device, on the same disk.
  std::string DesktopFile(const char* Name) const { return (FFolder / Name).string(); }

 private:
  static void WritePattern(const std::filesystem::path& File) {
    std::vector<char> Block(1 << 20);
    for (std::size_t Index = 0; Index < Block.size(); ++Index)
      Block[Index] = static_cast<char>(Index * 131);
    {
      std::ofstream Out(File, std::ios::binary);
      for (std::int64_t Written = 0; Written < kFileSize; Written += Block.size())
        Out.write(Block.data(), static_cast<std::streamsize>(Block.size()));
    }
    // On the disk before the first benchmark starts, which would otherwise
    // pay for writing it.
    const int Written = open(File.c_str(), O_RDONLY | O_CLOEXEC);
    fsync(Written);
    close(Written);
  }

  std::filesystem::path FFolder;
};

TBenchDevice& Device() {
  static TBenchDevice GDevice;
  return GDevice;
}

void CopyFileFromDevice(benchmark::State& State) {
  const std::string Target = Device().DesktopFile("from-device.bin");
  TRapiManager Manager;
  if (!Manager.Connected()) {
    State.SkipWithError("the simulated device did not answer");
    return;
  }
  for (auto _ : State) Manager.CopyFileFromDevice(kDeviceFile, Target, true);
  State.SetBytesProcessed(State.iterations() * kFileSize);
}
BENCHMARK(CopyFileFromDevice)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// The limit of a device copy: one read and one write per 10240-byte chunk,
// then the file made durable.
void ChunkedCopyAndSync(benchmark::State& State) {
  const std::string Source = Device().DiskFile().string();
  const std::string Target = Device().DesktopFile("chunked.bin");
  std::vector<char> Buffer(10240);
  for (auto _ : State) {
    const int From = open(Source.c_str(), O_RDONLY | O_CLOEXEC);
    const int To = open(Target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    for (ssize_t Read; (Read = read(From, Buffer.data(), Buffer.size())) > 0;)
      if (write(To, Buffer.data(), Read) != Read) State.SkipWithError("a write fell short");
    fsync(To);
    close(To);
    close(From);
  }
  State.SetBytesProcessed(State.iterations() * kFileSize);
}
BENCHMARK(ChunkedCopyAndSync)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

void StandardCopyFile(benchmark::State& State) {
  const std::filesystem::path Source = Device().DiskFile();
  const std::string Target = Device().DesktopFile("standard.bin");
  for (auto _ : State)
    std::filesystem::copy_file(Source, Target, std::filesystem::copy_options::overwrite_existing);
  State.SetBytesProcessed(State.iterations() * kFileSize);
}
BENCHMARK(StandardCopyFile)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

// The standard copy made as durable as a device copy: the file is on the
// disk before the next one starts.
void StandardCopyFileAndSync(benchmark::State& State) {
  const std::filesystem::path Source = Device().DiskFile();
  const std::string Target = Device().DesktopFile("standard-synced.bin");
  for (auto _ : State) {
    std::filesystem::copy_file(Source, Target, std::filesystem::copy_options::overwrite_existing);
    const int File = open(Target.c_str(), O_RDONLY | O_CLOEXEC);
    fsync(File);
    close(File);
  }
  State.SetBytesProcessed(State.iterations() * kFileSize);
}
BENCHMARK(StandardCopyFileAndSync)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithRatios(
      argc, argv,
      {{.Text = "device copy, speed against the chunked loop",
        .Numerator = "ChunkedCopyAndSync",
        .Denominator = "CopyFileFromDevice",
        .Limit = 0.95,
        .AtLeast = true}});
}
