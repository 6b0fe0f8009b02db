// A program started by a test, with its standard output readable line by line.
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <string>
#include <vector>

class TChildProcess {
 public:
  // Starts Program with Arguments; Environment entries ("NAME=value") are
  // added to the test's own environment.
  TChildProcess(const std::string& Program, const std::vector<std::string>& Arguments,
                const std::vector<std::string>& Environment = {});
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  bool Started() const { return FPid > 0; }
  // The next line of its output without the line break; false at the end.
  bool ReadLine(std::string& Line);
  void Kill();
  // Waits until it has stopped itself (SIGSTOP); false when it ended first.
  bool WaitStopped();
  void Continue();
  // Waits for the end; the exit code, or -1 when it did not exit normally.
  int Wait();

 private:
  pid_t FPid = -1;
  FILE* FOutput = nullptr;
  bool FWaited = false;
  int FExitCode = -1;
};
