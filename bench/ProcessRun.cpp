#include "ProcessRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>

extern char** environ;

TProcessRun RunToItsEnd(const std::vector<std::string>& Arguments) {
  std::vector<std::string> Words(Arguments);
  std::vector<char*> Argv;
  for (std::string& Word : Words) Argv.push_back(Word.data());
  Argv.push_back(nullptr);
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  TProcessRun Run;
  const auto Start = std::chrono::steady_clock::now();
  pid_t Child = -1;
  const bool Started =
      posix_spawnp(&Child, Argv.front(), &Actions, nullptr, Argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&Actions);
  if (!Started) return Run;
  int Status = 0;
  rusage Usage{};
  wait4(Child, &Status, 0, &Usage);
  Run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
  Run.Succeeded = WIFEXITED(Status) && WEXITSTATUS(Status) == 0;
  Run.PeakMemoryKib = static_cast<double>(Usage.ru_maxrss);
  return Run;
}
