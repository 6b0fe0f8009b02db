#include "TweakOptionPage.h"

#include "UserInteraction.h"
#include "ZQTTweakerManager.h"

TTweakOptionPage::TTweakOptionPage(TOptionsSheetOwner* Owner) : TOptionsSheetBase(Owner) {
  lbSheetBaseLabel().Visible = false;
  FLayout.OptionList = &frTweakOptions;
}

void TTweakOptionPage::FormCreate(TTweakOptionSet& Set) {
  FOptionSet = &Set;
  frTweakOptions.SetOptionSet(&Set);
  frTweakOptions.SetOnOptionChanged([this](const void* Sender) { MarkModified(Sender); });
  ReportErrorsOf([&] {
    Set.LoadOptions(ZQTTweakOptions->RegistryManager, ZQTTweakOptions->RapiManager);
    FLoaded = true;
    frTweakOptions.FillList();
  });
}

void TTweakOptionPage::Apply() {
  TOptionsSheetBase::Apply();
  if (FLoaded)
    FOptionSet->SaveOptions(ZQTTweakOptions->RegistryManager, ZQTTweakOptions->RapiManager);
}
