#include "frmTweakOptDesktopUI.h"

#include "ZQTTweakerManager.h"

TTweakOptDesktopUI::TTweakOptDesktopUI(TOptionsSheetOwner* Owner, QWidget* Parent)
    : TTweakOptionPage(Owner, Parent) {
  ShowOnlyTheOptionList();
  FormCreate(ZQTTweakOptions->DesktopUIOptions);
}
