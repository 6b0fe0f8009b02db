#include "frmTweakOptPocketUI.h"

#include "ZQTTweakerManager.h"

TTweakOptPocketPCUI::TTweakOptPocketPCUI(TOptionsSheetOwner* Owner, QWidget* Parent)
    : TTweakOptionPage(Owner, Parent) {
  ShowOnlyTheOptionList();
  FormCreate(ZQTTweakOptions->PocketPCUIOptions);
}
