// The user's side of the program's messages and folder dialog, with the
// toolkit's message boxes and folder dialog.
#pragma once

#include "UserInteraction.h"

class TQtUserInteraction : public TUserInteraction {
 public:
  void ShowError(const std::string& Message) override;
  void ShowMessage(const std::string& Message) override;
  std::string BrowseFolder(const std::string& Title, DWORD Flags,
                           const std::string& StartFolder) override;
};
