// What the three option pages share: an option list bound to one set of the
// catalogue, loaded when the page is created and saved when the dialog
// applies.
#pragma once

#include "frTweakOptionsSet.h"
#include "frmOptionsSheetBase.h"

class TTweakOptionSet;

class TTweakOptionPage : public TOptionsSheetBase {
  Q_OBJECT

 public:
  // Writes the edited options of the page's set.
  void Apply() override;

  TfrTweakOptions* frTweakOptions;

 protected:
  TTweakOptionPage(TOptionsSheetOwner* Owner, QWidget* Parent);
  // Binds the set, loads its values and fills the list. A failed load is
  // reported; the page then shows an empty list and never writes the set,
  // whose values the user has not seen.
  void FormCreate(TTweakOptionSet& Set);
  // Lays the page out as the option list alone, filling the page.
  void ShowOnlyTheOptionList();

 private:
  TTweakOptionSet* FOptionSet = nullptr;
  bool FLoaded = false;
};
