// A program run as a whole process to its end, its output thrown away: how
// long it took and the most memory it held.
#pragma once

#include <string>
#include <vector>

struct TProcessRun {
  bool Succeeded = false;
  double Seconds = 0;
  double PeakMemoryKib = 0;
};

// Arguments: the program (found on the PATH when it has no folder) and its
// arguments.
TProcessRun RunToItsEnd(const std::vector<std::string>& Arguments);
