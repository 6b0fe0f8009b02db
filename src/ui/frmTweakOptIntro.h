// The introduction page: what the program is, and whether a device was
// found at start-up.
#pragma once

#include "frmOptionsSheetBase.h"

class TTweakOptAbout : public TOptionsSheetBase {
 public:
  // Label1 to Label3 tell what the program is; lbDevice is shown exactly
  // when no device was connected at start-up.
  explicit TTweakOptAbout(TOptionsSheetOwner* Owner);
};
