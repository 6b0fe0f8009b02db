// Program entry: the application object and the user's side of messages,
// then the run itself.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <string>
#include <vector>

#include "QtHostForm.h"
#include "QtOptionsDialog.h"
#include "QtUserInteraction.h"

namespace {

// The program's icon: the one the desktop's icon theme holds under the
// program's name, which is installed with it, or else the same picture
// built into the program.
QIcon ProgramIcon() {
  QIcon BuiltIn;
  for (const QFileInfo& Picture : QDir(":/icon").entryInfoList(QDir::Files))
    BuiltIn.addFile(Picture.filePath());
  return QIcon::fromTheme(ZQT_APP_ID, BuiltIn);
}

}  // namespace

int main(int argc, char** argv) {
  // The command line as given, before the toolkit takes its own options out.
  const std::vector<std::string> Arguments(argv + 1, argv + argc);
  QApplication Application(argc, argv);
  Application.setApplicationName(kApplicationTitle);
  Application.setQuitOnLastWindowClosed(false);
  // Every window carries the icon; the desktop matches them to the
  // program's desktop entry, whose launch feedback ends when the first of
  // them, the dialog, shows.
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
