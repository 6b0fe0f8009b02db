// Program entry on Windows: the user's side of messages and the dialog's
// front end, then the run itself.
#include <cstdlib>
#include <string>
#include <vector>

#include "Win32HostForm.h"
#include "Win32OptionsDialog.h"
#include "Win32UserInteraction.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // A thread that talks to the window system from its start keeps the
  // system's start-up feedback (the starting cursor) on through the device's
  // connection wait until the dialog shows; one that waited first would
  // lose it two seconds after its start.
  IsGUIThread(TRUE);
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
