// What the tests of zqttweak need to start the built program and to see
// what it did: the program run as a process, the desktop registry it
// shares with the test, and the bytes of this system's registry files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TemporaryFolder.h"

struct TProgramRun {
  int ExitCode = -1;
  // Its standard output and standard error, with "\n" line ends.
  std::string Out;
  std::string Err;
};

// The built zqttweak, and its build with a fault among its registry calls
// (FaultyZqtTweak.cpp).
std::string ZqtTweakProgram();
std::string FaultyZqtTweakProgram();
// Runs Program with Arguments, in the test's environment, to its end.
TProgramRun RunProgram(const std::string& Program, const std::vector<std::string>& Arguments);
// Starts Program once with each list of arguments, all before waiting for
// any, and runs them to their ends; their runs in the same order.
std::vector<TProgramRun> RunProgramsTogether(
    const std::string& Program, const std::vector<std::vector<std::string>>& ArgumentLists);

// A program started in the test's environment with its output going to
// files of its own (one file per system starts and waits).
class TStartedRun {
 public:
  TStartedRun(const std::string& Program, const std::vector<std::string>& Arguments);
  TStartedRun(const TStartedRun&) = delete;
  TStartedRun& operator=(const TStartedRun&) = delete;

  // Waits for its end.
  TProgramRun Finish();
  // The system's name for the process: its id, or its handle; 0 when it did
  // not start.
  std::intptr_t Process() const { return FProcess; }

 private:
  TTemporaryFolder FOutputs;
  std::string FOutFile = FOutputs.File("out");
  std::string FErrFile = FOutputs.File("err");
  // The system's name for the process: its id, or its handle; 0 when it did
  // not start.
  std::intptr_t FProcess = 0;
};

// While the object lives, the desktop registry that programs started by the
// test use, and the test itself: on Linux a temporary registry file; on
// Windows the real registry, where the keys the program reads and writes
// are kept aside meanwhile and put back afterwards.
class TProgramRegistry {
 public:
  TProgramRegistry();
  ~TProgramRegistry();
  TProgramRegistry(const TProgramRegistry&) = delete;
  TProgramRegistry& operator=(const TProgramRegistry&) = delete;

  // A folder for the test's own files.
  const TTemporaryFolder& Folder() const;

 private:
  struct TPlace;
  std::unique_ptr<TPlace> FPlace;
};

// ASCII Text as this system's registry editor writes it to a file.
std::string RegistryEditorBytes(const std::string& Text);
