#include "frmTweakOptDesktopUI.h"

#include "ZQTTweakerManager.h"

TTweakOptDesktopUI::TTweakOptDesktopUI(TOptionsSheetOwner* Owner) : TTweakOptionPage(Owner) {
  FormCreate(ZQTTweakOptions->DesktopUIOptions);
}
