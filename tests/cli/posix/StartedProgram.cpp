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

namespace {

// A program started with its output going to files of its own.
class TStartedRun {
 public:
  TStartedRun(const std::string& Program, const std::vector<std::string>& Arguments)
      : FOutFile(FOutputs.File("out")), FErrFile(FOutputs.File("err")) {
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
    if (posix_spawn(&FPid, Program.c_str(), &Actions, nullptr, ArgvPointers.data(), environ) != 0)
      FPid = -1;
    posix_spawn_file_actions_destroy(&Actions);
  }

  TProgramRun Finish() {
    TProgramRun Run;
    int Status = 0;
    if (FPid > 0 && waitpid(FPid, &Status, 0) == FPid)
      Run.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
    Run.Out = ReadWholeFile(FOutFile);
    Run.Err = ReadWholeFile(FErrFile);
    return Run;
  }

 private:
  TTemporaryFolder FOutputs;
  std::string FOutFile;
  std::string FErrFile;
  pid_t FPid = -1;
};

}  // namespace

std::vector<TProgramRun> RunProgramsTogether(
    const std::string& Program, const std::vector<std::vector<std::string>>& ArgumentLists) {
  std::vector<std::unique_ptr<TStartedRun>> Started;
  for (const std::vector<std::string>& Arguments : ArgumentLists)
    Started.push_back(std::make_unique<TStartedRun>(Program, Arguments));
  std::vector<TProgramRun> Runs;
  for (const auto& Each : Started) Runs.push_back(Each->Finish());
  return Runs;
}

TProgramRun RunProgram(const std::string& Program, const std::vector<std::string>& Arguments) {
  return RunProgramsTogether(Program, {Arguments}).front();
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
