// The desktop page: the organizer's desktop options.
#pragma once

#include "TweakOptionPage.h"

class TTweakOptDesktopUI : public TTweakOptionPage {
  Q_OBJECT

 public:
  TTweakOptDesktopUI(TOptionsSheetOwner* Owner, QWidget* Parent);
};
