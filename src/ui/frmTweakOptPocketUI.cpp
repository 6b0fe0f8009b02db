#include "frmTweakOptPocketUI.h"

#include "ZQTTweakerManager.h"

TTweakOptPocketPCUI::TTweakOptPocketPCUI(TOptionsSheetOwner* Owner) : TTweakOptionPage(Owner) {
  FormCreate(ZQTTweakOptions->PocketPCUIOptions);
}
