// Program entry: the application object and the user's side of messages,
// then the run itself.
#include <QApplication>
#include <string>
#include <vector>

#include "QtOptionsDialog.h"
#include "QtUserInteraction.h"
#include "main.h"

int main(int argc, char** argv) {
  // The command line as given, before the toolkit takes its own options out.
  const std::vector<std::string> Arguments(argv + 1, argv + argc);
  QApplication Application(argc, argv);
  Application.setApplicationName("ZQTTweaker");
  Application.setQuitOnLastWindowClosed(false);
  TQtUserInteraction Interaction;
  SetUserInteraction(&Interaction);
  TQtOptionsDialogFrontEnd FrontEnd;
  SetOptionsDialogFrontEnd(&FrontEnd);
  const int ExitCode = RunTweaker(Arguments);
  SetOptionsDialogFrontEnd(nullptr);
  SetUserInteraction(nullptr);
  return ExitCode;
}
