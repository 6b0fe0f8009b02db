// The desktop page: the organizer's desktop options.
#pragma once

#include "TweakOptionPage.h"

class TTweakOptDesktopUI : public TTweakOptionPage {
 public:
  explicit TTweakOptDesktopUI(TOptionsSheetOwner* Owner);
};
