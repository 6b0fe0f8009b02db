// The PocketPC page: the organizer's options on the device; empty without a
// device.
#pragma once

#include "TweakOptionPage.h"

class TTweakOptPocketPCUI : public TTweakOptionPage {
 public:
  explicit TTweakOptPocketPCUI(TOptionsSheetOwner* Owner);
};
