// Linux: the program is spawned with its output going to files, and finds
// the test's registry file through the registry's environment variable.
#include "StartedProgram.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "ProcessVariables.h"
#include "RegistryHandles.h"
#include "TemporaryRegistry.h"

extern char** environ;

std::string ZqtTweakProgram() { return ZQTTWEAK_PROGRAM; }

std::string FaultyZqtTweakProgram() { return FAULTY_ZQTTWEAK_PROGRAM; }

TStartedRun::TStartedRun(const std::string& Program, const std::vector<std::string>& Arguments) {
  std::vector<std::string> Argv{Program};
  Argv.insert(Argv.end(), Arguments.begin(), Arguments.end());
  std::vector<char*> ArgvPointers;
  for (std::string& Argument : Argv) ArgvPointers.push_back(Argument.data());
  ArgvPointers.push_back(nullptr);
  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_addopen(&Actions, STDOUT_FILENO, FOutFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&Actions, STDERR_FILENO, FErrFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0600);
  pid_t Pid = 0;
  if (posix_spawn(&Pid, Program.c_str(), &Actions, nullptr, ArgvPointers.data(), environ) == 0)
    FProcess = Pid;
  posix_spawn_file_actions_destroy(&Actions);
}

TProgramRun TStartedRun::Finish() {
  TProgramRun Run;
  int Status = 0;
  const pid_t Pid = static_cast<pid_t>(FProcess);
  if (Pid > 0 && waitpid(Pid, &Status, 0) == Pid)
    Run.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  Run.Out = ReadWholeFile(FOutFile);
  Run.Err = ReadWholeFile(FErrFile);
  return Run;
}

struct TProgramRegistry::TPlace {
  TTemporaryRegistry Registry;
};

TProgramRegistry::TProgramRegistry() : FPlace(std::make_unique<TPlace>()) {
  SetProcessVariable(kRegistryFileVariable, FPlace->Registry.StoreFile());
}

TProgramRegistry::~TProgramRegistry() { ClearProcessVariable(kRegistryFileVariable); }

const TTemporaryFolder& TProgramRegistry::Folder() const { return FPlace->Registry.Folder(); }

std::string RegistryEditorBytes(const std::string& Text) { return Text; }
