// What both systems share of starting the program.
#include "StartedProgram.h"

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
