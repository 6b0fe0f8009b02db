// Program entry: the catalogue and the pages first, then the hidden host
// form, whose creation runs the options dialog; at the end everything is
// released in the reverse order.
#include <QApplication>
#include <string>
#include <vector>

#include "QtUserInteraction.h"
#include "TweakerPages.h"
#include "ZQTTweakerManager.h"
#include "main.h"

int main(int argc, char** argv) {
  // The command line as given, before the toolkit takes its own options out.
  const std::vector<std::string> Arguments(argv + 1, argv + argc);
  QApplication Application(argc, argv);
  Application.setApplicationName("ZQTTweaker");
  Application.setQuitOnLastWindowClosed(false);
  TQtUserInteraction Interaction;
  SetUserInteraction(&Interaction);

  ZQTTweakOptions = std::make_unique<TZQTTweakOptionsManager>();
  RegisterTweakerPages();
  int ExitCode;
  {
    // The host form is never shown: the loop ends at the quit request its
    // creation posted.
    TForm1 Form1(Arguments);
    ExitCode = Application.exec();
  }
  UnregisterTweakerPages();
  ZQTTweakOptions.reset();
  SetUserInteraction(nullptr);
  return ExitCode;
}
