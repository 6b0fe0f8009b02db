// The troubleshooting page: logging options, and the collection of the
// organizer's log files.
#pragma once

#include "TweakOptionPage.h"

class TTweakOptDebugging : public TTweakOptionPage {
 public:
  // Panel2 along the top holds Label1; Panel1 along the bottom holds
  // btnSaveLogs.
  explicit TTweakOptDebugging(TOptionsSheetOwner* Owner);

  // Collects the organizer's log files from the device and the desktop
  // into a folder the user picks, and tells which were copied.
  void btnSaveLogsClick();
};
