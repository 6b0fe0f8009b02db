// How the program speaks to its user: the standard error report, plain
// messages and the folder dialog. The layers below the user interface call
// these functions; the user interface installs the toolkit's dialogs, and
// tests install answers of their own so that nothing blocks.
#pragma once

#include <exception>
#include <string>

#include "WinCompat.h"

class TUserInteraction {
 public:
  virtual ~TUserInteraction() = default;
  // The application's standard error report: a modal box with a stop icon,
  // the application's title and the message.
  virtual void ShowError(const std::string& Message) = 0;
  // A plain modal message box with the application's title.
  virtual void ShowMessage(const std::string& Message) = 0;
  // The folder dialog, opening at StartFolder (none when empty): the chosen
  // folder, or the empty string when the user cancelled or chose something
  // that is not a file-system folder.
  virtual std::string BrowseFolder(const std::string& Title, DWORD Flags,
                                   const std::string& StartFolder) = 0;
};

// The interaction in force. Before one is installed, messages go to the
// standard error stream and the folder dialog is cancelled.
TUserInteraction& UserInteraction();
// Installs Interaction (borrowed) and returns the one it replaces; null
// returns to the default.
TUserInteraction* SetUserInteraction(TUserInteraction* Interaction);

// Runs Handler and hands any exception it raises to the standard error
// report: the edge of every event handler, so that the toolkit never sees one.
template <typename THandler>
void ReportErrorsOf(THandler&& Handler) noexcept {
  try {
    Handler();
  } catch (const std::exception& Error) {
    UserInteraction().ShowError(Error.what());
  } catch (...) {
    UserInteraction().ShowError("Unknown error");
  }
}
