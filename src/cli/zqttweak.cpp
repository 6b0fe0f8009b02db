// Program entry of zqttweak: the organizer's hidden settings from the
// command line, without a window.
#include <iostream>
#include <string>
#include <vector>

#include "ConsoleInteraction.h"
#include "TweakCommands.h"

int main(int argc, char** argv) {
  TConsoleInteraction Interaction(std::cerr);
  SetUserInteraction(&Interaction);
  const int ExitCode = RunTweakCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout);
  SetUserInteraction(nullptr);
  return ExitCode;
}
