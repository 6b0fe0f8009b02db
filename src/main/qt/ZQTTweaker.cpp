// Program entry: the application object and the user's side of messages,
// then the run itself.
#include <QApplication>
#include <string>
#include <vector>

#include "QtHostForm.h"
#include "QtOptionsDialog.h"
#include "QtUserInteraction.h"

int main(int argc, char** argv) {
  // The command line as given, before the toolkit takes its own options out.
  const std::vector<std::string> Arguments(argv + 1, argv + argc);
  QApplication Application(argc, argv);
  Application.setApplicationName(kApplicationTitle);
  Application.setQuitOnLastWindowClosed(false);
  TQtUserInteraction Interaction;
  SetUserInteraction(&Interaction);
  TQtOptionsDialogFrontEnd FrontEnd;
  SetOptionsDialogFrontEnd(&FrontEnd);
  TQtApplicationFrontEnd ApplicationFrontEnd;
  const int ExitCode = RunTweaker(Arguments, ApplicationFrontEnd);
  SetOptionsDialogFrontEnd(nullptr);
  SetUserInteraction(nullptr);
  return ExitCode;
}
