// How zqttweak speaks to its user: every message and error report on the
// standard error stream, after the program's name. There is no folder
// dialog on the console: it is always cancelled.
#pragma once

#include <ostream>
#include <string>

#include "UserInteraction.h"

class TConsoleInteraction : public TUserInteraction {
 public:
  explicit TConsoleInteraction(std::ostream& Err) : FErr(Err) {}

  void ShowError(const std::string& Message) override;
  void ShowMessage(const std::string& Message) override;
  std::string BrowseFolder(const std::string& Title, DWORD Flags,
                           const std::string& StartFolder) override;

 private:
  std::ostream& FErr;
};

// Message as console text: each line-break pair of the program's messages
// ("\n\r") becomes one line break.
std::string ConsoleText(const std::string& Message);
