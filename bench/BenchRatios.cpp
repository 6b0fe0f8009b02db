#include "BenchRatios.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <set>

namespace {

// The console's report, keeping each benchmark's figure as it goes by.
class TFigureKeeper : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& Runs) override {
    for (const Run& Each : Runs) Keep(Each);
    ConsoleReporter::ReportRuns(Runs);
  }

  // The figure of Benchmark: its counter, or its real time in seconds.
  const double* Figure(const std::string& Benchmark, const std::string& Counter) const {
    const auto Found = FFigures.find({Benchmark, Counter});
    return Found == FFigures.end() ? nullptr : &Found->second;
  }

 private:
  void Keep(const Run& Each) {
    if (Each.error_occurred) return;
    const bool Median = Each.run_type == Run::RT_Aggregate && Each.aggregate_name == "median";
    if (!Median && Each.run_type != Run::RT_Iteration) return;
    const std::string& Name = Each.run_name.function_name;
    // A median stands in for the single runs that came before it.
    if (!Median && FMedians.count(Name)) return;
    if (Median) FMedians.insert(Name);
    FFigures[{Name, ""}] =
        Each.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(Each.time_unit);
    for (const auto& [Counter, Value] : Each.counters) FFigures[{Name, Counter}] = Value;
  }

  std::map<std::pair<std::string, std::string>, double> FFigures;
  std::set<std::string> FMedians;
};

bool Within(const TBenchRatio& Ratio, double Value) {
  return Ratio.AtLeast ? Value >= Ratio.Limit : Value <= Ratio.Limit;
}

const char* Bound(const TBenchRatio& Ratio) { return Ratio.AtLeast ? "at least" : "at most"; }

const char* Verdict(bool IsWithin) { return IsWithin ? "within" : "NOT within"; }

void PrintRatio(const TBenchRatio& Ratio, double Numerator, double Denominator) {
  const double Value = Numerator / Denominator;
  const char* const Unit = Ratio.Counter.empty() ? " s" : "";
  std::printf("%s: %.3f (%s %.2f: %s), %s %.6g%s / %s %.6g%s\n", Ratio.Text.c_str(), Value,
              Bound(Ratio), Ratio.Limit, Verdict(Within(Ratio, Value)), Ratio.Numerator.c_str(),
              Numerator, Unit, Ratio.Denominator.c_str(), Denominator, Unit);
}

void PrintFigure(const TBenchRatio& Ratio, double Value) {
  const char* const Unit = Ratio.Counter.empty() ? " s" : "";
  std::printf("%s: %.6g%s (%s %.6g%s: %s), %s\n", Ratio.Text.c_str(), Value, Unit, Bound(Ratio),
              Ratio.Limit, Unit, Verdict(Within(Ratio, Value)), Ratio.Numerator.c_str());
}

}  // namespace

int RunBenchmarksWithRatios(int argc, char** argv, const std::vector<TBenchRatio>& Ratios) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  TFigureKeeper Keeper;
  benchmark::RunSpecifiedBenchmarks(&Keeper);
  benchmark::Shutdown();
  for (const TBenchRatio& Ratio : Ratios) {
    const double* Numerator = Keeper.Figure(Ratio.Numerator, Ratio.Counter);
    if (!Numerator) continue;
    if (Ratio.Denominator.empty()) {
      PrintFigure(Ratio, *Numerator);
    } else if (const double* Denominator = Keeper.Figure(Ratio.Denominator, Ratio.Counter)) {
      PrintRatio(Ratio, *Numerator, *Denominator);
    }
  }
  return 0;
}
