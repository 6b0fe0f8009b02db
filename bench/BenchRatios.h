// The benchmarks of one program run, then how near each figure is to the
// limit it is held against: mostly a ratio between the medians of two
// benchmarks of the same run, so that a busy machine slows both sides alike.
#pragma once

#include <string>
#include <vector>

struct TBenchRatio {
  // What the ratio says.
  std::string Text;
  // Benchmark function names; the ratio is Numerator / Denominator. Without
  // a Denominator, Numerator's own figure is held against Limit.
  std::string Numerator;
  std::string Denominator;
  double Limit = 1.0;
  // Whether the ratio must be at least Limit rather than at most.
  bool AtLeast = false;
  // A user counter of both benchmarks; empty: their real time.
  std::string Counter;
};

// Runs the benchmarks the command line selects and prints each ratio whose
// sides ran: the medians where there were repetitions, otherwise the single
// figures. The process's exit code.
int RunBenchmarksWithRatios(int argc, char** argv, const std::vector<TBenchRatio>& Ratios);
