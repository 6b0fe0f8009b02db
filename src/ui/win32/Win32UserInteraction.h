// The user's side of the program's messages and folder dialog on Windows:
// the system's message boxes and the shell's folder dialog, each modal to
// the window the user works in.
#pragma once

#include <string>

#include "UserInteraction.h"

class TWin32UserInteraction : public TUserInteraction {
 public:
  // Title: the application's title, which every message box carries.
  explicit TWin32UserInteraction(std::string Title) : FTitle(std::move(Title)) {}

  void ShowError(const std::string& Message) override;
  void ShowMessage(const std::string& Message) override;
  std::string BrowseFolder(const std::string& Title, DWORD Flags,
                           const std::string& StartFolder) override;

 private:
  std::string FTitle;
};
