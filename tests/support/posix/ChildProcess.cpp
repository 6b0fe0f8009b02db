#include "ChildProcess.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

TChildProcess::TChildProcess(const std::string& Program, const std::vector<std::string>& Arguments,
                             const std::vector<std::string>& Environment) {
  int Pipe[2];
  if (pipe(Pipe) != 0) return;
  std::vector<std::string> Argv{Program};
  Argv.insert(Argv.end(), Arguments.begin(), Arguments.end());
  std::vector<char*> ArgvPointers;
  for (std::string& Argument : Argv) ArgvPointers.push_back(Argument.data());
  ArgvPointers.push_back(nullptr);
  std::vector<std::string> Env(Environment);
  for (char** Entry = environ; *Entry; ++Entry) Env.emplace_back(*Entry);
  std::vector<char*> EnvPointers;
  for (std::string& Entry : Env) EnvPointers.push_back(Entry.data());
  EnvPointers.push_back(nullptr);

  posix_spawn_file_actions_t Actions;
  posix_spawn_file_actions_init(&Actions);
  posix_spawn_file_actions_adddup2(&Actions, Pipe[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&Actions, Pipe[0]);
  posix_spawn_file_actions_addclose(&Actions, Pipe[1]);
  // Nothing else the test holds (a lock of the build, say) stays with a
  // child that outlives it.
  posix_spawn_file_actions_addclosefrom_np(&Actions, STDERR_FILENO + 1);
  if (posix_spawn(&FPid, Program.c_str(), &Actions, nullptr, ArgvPointers.data(),
                  EnvPointers.data()) != 0)
    FPid = -1;
  posix_spawn_file_actions_destroy(&Actions);
  close(Pipe[1]);
  FOutput = fdopen(Pipe[0], "r");
}

TChildProcess::~TChildProcess() {
  if (FPid > 0 && !FWaited) {
    Kill();
    Wait();
  }
  if (FOutput) fclose(FOutput);
}

bool TChildProcess::ReadLine(std::string& Line) {
  Line.clear();
  if (!FOutput) return false;
  int C;
  while ((C = fgetc(FOutput)) != EOF) {
    if (C == '\n') return true;
    Line.push_back(static_cast<char>(C));
  }
  return !Line.empty();
}

void TChildProcess::Kill() {
  if (FPid > 0 && !FWaited) kill(FPid, SIGKILL);
}

bool TChildProcess::WaitStopped() {
  int Status = 0;
  if (FPid <= 0 || FWaited || waitpid(FPid, &Status, WUNTRACED) != FPid) return false;
  if (WIFSTOPPED(Status)) return true;
  FWaited = true;
  FExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  return false;
}

void TChildProcess::Continue() {
  if (FPid > 0 && !FWaited) kill(FPid, SIGCONT);
}

int TChildProcess::Wait() {
  if (FPid <= 0) return -1;
  if (!FWaited) {
    int Status = 0;
    waitpid(FPid, &Status, 0);
    FWaited = true;
    FExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
  }
  return FExitCode;
}
