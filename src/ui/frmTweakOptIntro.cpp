#include "frmTweakOptIntro.h"

#include "RapiMngr.h"
#include "ZQTTweakerManager.h"

namespace {

constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kRed = 0xFF0000;

TSheetLabel ColouredLabel(const char* Name, const char* Caption, TSheetRect Bounds,
                          std::uint32_t Color, bool Bold = false) {
  TSheetLabel Label;
  Label.Name = Name;
  Label.Caption = Caption;
  Label.Bounds = Bounds;
  Label.Color = Color;
  Label.Bold = Bold;
  return Label;
}

}  // namespace

TTweakOptAbout::TTweakOptAbout(TOptionsSheetOwner* Owner) : TOptionsSheetBase(Owner) {
  lbSheetBaseLabel().Visible = false;
  FLayout.Labels.push_back(ColouredLabel(
      "Label1",
      "Welcome to Quorvanta Tweaker application. With this application you can tweak "
      "various advanced parameters which are not included to the settings in ZQT User "
      "Interface. ",
      {16, 8, 356, 45}, kBlue));
  FLayout.Labels.push_back(ColouredLabel(
      "Label2",
      "Please note that we take great care to ensure that ZQTTweaker works as it should, "
      "but it is NOT part of Quorvanta application. For this reason our Support might not "
      "be able to answer questions about ZQTTweaker. ",
      {16, 57, 356, 52}, kBlue));
  FLayout.Labels.push_back(ColouredLabel(
      "Label3", "All settings listed in ZQTTweaker are subject to change without notification.",
      {16, 114, 356, 33}, kRed, true));
  TSheetLabel Device = ColouredLabel(
      "lbDevice", "Device is not detected. Please cradle your device to list ZQT PocketPC options.",
      {13, 177, 364, 32}, 0x000000);
  const TRapiManager* Rapi = ZQTTweakOptions->RapiManager;
  Device.Visible = !(Rapi && Rapi->Connected());
  FLayout.Labels.push_back(Device);
}
