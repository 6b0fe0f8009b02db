// Program entry on Windows: the user's side of messages and the dialog's
// front end, then the run itself.
#include <cstdlib>
#include <string>
#include <vector>

#include "Win32HostForm.h"
#include "Win32OptionsDialog.h"
#include "Win32UserInteraction.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // The command line in the system's code page, without the program's path.
  const std::vector<std::string> Arguments(__argv + 1, __argv + __argc);
  TWin32UserInteraction Interaction(kApplicationTitle);
  SetUserInteraction(&Interaction);
  TWin32OptionsDialogFrontEnd FrontEnd;
  SetOptionsDialogFrontEnd(&FrontEnd);
  TWin32ApplicationFrontEnd Application;
  const int ExitCode = RunTweaker(Arguments, Application);
  SetOptionsDialogFrontEnd(nullptr);
  SetUserInteraction(nullptr);
  return ExitCode;
}
