// The commands of zqttweak, one a run: showing, setting and resetting
// options, exporting and importing them as registry files, and collecting
// the organizer's log files. A command reaches the device (connecting as
// the dialog does, waiting up to 2000 ms) only when it involves an option
// of the device, or the log files.
#pragma once

#include <ostream>
#include <string>
#include <vector>

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// Runs the command line Arguments (without the program's name), writing
// its results to Out and every message through the user-interaction
// functions; the exit code: kExitFailure when the command failed (and then
// nothing was changed, unless the message names what could not be put
// back), kExitUsage when the command line alone was wrong, said in one line
// (and then nothing was done).
int RunTweakCommand(const std::vector<std::string>& Arguments, std::ostream& Out);
