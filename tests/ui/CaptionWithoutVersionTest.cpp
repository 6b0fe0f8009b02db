// Built into an executable without a version resource: the dialog's caption
// then ends in " Ver. " with nothing after it.
#include <gtest/gtest.h>

#include "TestSheets.h"
#include "frmTweakerOptionsMain.h"

namespace {

TEST(UnversionedDialogTest, TheCaptionEndsWithAnEmptyVersion) {
  std::string Caption;
  TScriptedFrontEnd User([&Caption](TTweakerOptionsMain& Dialog) { Caption = Dialog.Caption(); });
  ShowTweakerOptions("About ZQTTweaker");
  EXPECT_EQ("Quorvanta Tweaker for Desktop and PocketPC Editions. Ver. ", Caption);
}

}  // namespace
