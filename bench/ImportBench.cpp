// zqttweak importing a file of one million lines that set one option, as a
// whole process on a registry file of its own: the time from its start to
// its end, and the most memory it held. Reading a file is linear: each line
// is read once, and each option loaded and written once per command.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchRatios.h"
#include "ProcessRun.h"
#include "TemporaryFolder.h"

namespace {

constexpr int kLines = 1000000;

std::string MillionLineFile() {
  std::string Text =
      "Windows Registry Editor Version 5.00\n\n"
      "[HKEY_CURRENT_USER\\Software\\Quorvanta\\Velora\\Settings]\n";
  char Line[64];
  for (int Index = 0; Index < kLines; ++Index) {
    std::snprintf(Line, sizeof(Line), "\"DragDropExpandCollapseInterval\"=dword:%08x\n", Index);
    Text += Line;
  }
  return Text;
}

void ImportOfAMillionLines(benchmark::State& State) {
  TTemporaryFolder Folder;
  const std::string FileName = Folder.File("million.reg");
  WriteWholeFile(FileName, MillionLineFile());
  setenv("ZQT_REGISTRY_FILE", Folder.File("registry.db").c_str(), 1);
  double PeakMemoryKib = 0;
  for (auto _ : State) {
    const TProcessRun Run = RunToItsEnd({ZQTTWEAK_PROGRAM, "--import", FileName});
    if (!Run.Succeeded) {
      State.SkipWithError("zqttweak did not import the file");
      return;
    }
    State.SetIterationTime(Run.Seconds);
    PeakMemoryKib += Run.PeakMemoryKib;
  }
  State.counters["peak_memory_kib"] =
      benchmark::Counter(PeakMemoryKib, benchmark::Counter::kAvgIterations);
}
BENCHMARK(ImportOfAMillionLines)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) {
  return RunBenchmarksWithRatios(argc, argv,
                                 {{.Text = "zqttweak --import of one million lines",
                                   .Numerator = "ImportOfAMillionLines",
                                   .Limit = 2.0}});
}
