// Program entry: the application object and the user's side of messages,
// then the run itself.
#include <QApplication>
#include <string>
#include <vector>

#include "ProgramIcon.h"
#include "QtHostForm.h"
#include "QtOptionsDialog.h"
#include "QtUserInteraction.h"

int main(int argc, char** argv) {
  // The command line as given, before the toolkit takes its own options out.
  const std::vector<std::string> Arguments(argv + 1, argv + argc);
  QApplication Application(argc, argv);
  Application.setApplicationName(kApplicationTitle);
  Application.setQuitOnLastWindowClosed(false);
  // Every window carries the icon. The desktop matches them to the
  // program's desktop entry, whose launch feedback ends when the first of
  // them, the dialog, shows, and whose icon a desktop drawing icons from its
  // theme takes from there.
  Application.setDesktopFileName(ZQT_APP_ID);
  Application.setWindowIcon(ProgramIcon());
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
