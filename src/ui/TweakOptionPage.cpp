#include "TweakOptionPage.h"

#include <QVBoxLayout>

#include "UserInteraction.h"
#include "ZQTTweakerManager.h"

TTweakOptionPage::TTweakOptionPage(TOptionsSheetOwner* Owner, QWidget* Parent)
    : TOptionsSheetBase(Owner, Parent) {
  lbSheetBaseLabel->hide();
  frTweakOptions = new TfrTweakOptions(this);
  frTweakOptions->setObjectName("frTweakOptions");
}

void TTweakOptionPage::ShowOnlyTheOptionList() {
  auto* Layout = new QVBoxLayout(this);
  Layout->setContentsMargins(0, 0, 0, 0);
  Layout->addWidget(frTweakOptions);
}

void TTweakOptionPage::FormCreate(TTweakOptionSet& Set) {
  FOptionSet = &Set;
  frTweakOptions->SetOptionSet(&Set);
  frTweakOptions->SetOnOptionChanged([this](const void* Sender) { MarkModified(Sender); });
  ReportErrorsOf([&] {
    Set.LoadOptions(ZQTTweakOptions->RegistryManager, ZQTTweakOptions->RapiManager);
    FLoaded = true;
    frTweakOptions->FillList();
  });
}

void TTweakOptionPage::Apply() {
  TOptionsSheetBase::Apply();
  if (FLoaded)
    FOptionSet->SaveOptions(ZQTTweakOptions->RegistryManager, ZQTTweakOptions->RapiManager);
}
