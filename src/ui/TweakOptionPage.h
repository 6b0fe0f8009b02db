// What the three option pages share: an option list bound to one set of the
// catalogue, loaded when the page is created and saved when the dialog
// applies.
#pragma once

#include "frTweakOptionsSet.h"
#include "frmOptionsSheetBase.h"

class TTweakOptionSet;

class TTweakOptionPage : public TOptionsSheetBase {
 public:
  // Writes the edited options of the page's set.
  void Apply() override;
  // Not while the option list's editor holds a text it refuses.
  bool CanLeave() override { return frTweakOptions.LeaveEditor(); }

  TfrTweakOptions frTweakOptions;

 protected:
  explicit TTweakOptionPage(TOptionsSheetOwner* Owner);
  // Binds the set, loads its values and fills the list. A failed load is
  // reported; the page then shows an empty list and never writes the set,
  // whose values the user has not seen.
  void FormCreate(TTweakOptionSet& Set);

 private:
  TTweakOptionSet* FOptionSet = nullptr;
  bool FLoaded = false;
};
