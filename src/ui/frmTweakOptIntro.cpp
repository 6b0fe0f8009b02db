#include "frmTweakOptIntro.h"

#include "RapiMngr.h"
#include "ZQTTweakerManager.h"

namespace {

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kBlue = 0x0000FF;
constexpr std::uint32_t kRed = 0xFF0000;

// The page's word-wrapped labels, top to bottom; the last is lbDevice.
const TSheetLabel kLabels[] = {
    {"Label1",
     "Welcome to Quorvanta Tweaker application. With this application you can tweak various "
     "advanced parameters which are not included to the settings in ZQT User Interface. ",
     {16, 8, 356, 45},
     kBlue},
    {"Label2",
     "Please note that we take great care to ensure that ZQTTweaker works as it should, but it is "
     "NOT part of Quorvanta application. For this reason our Support might not be able to answer "
     "questions about ZQTTweaker. ",
     {16, 57, 356, 52},
     kBlue},
    {"Label3",
     "All settings listed in ZQTTweaker are subject to change without notification.",
     {16, 114, 356, 33},
     kRed,
     true},
    {"lbDevice",
     "Device is not detected. Please cradle your device to list ZQT PocketPC options.",
     {13, 177, 364, 32},
     kBlack}};

}  // namespace

TTweakOptAbout::TTweakOptAbout(TOptionsSheetOwner* Owner) : TOptionsSheetBase(Owner) {
  lbSheetBaseLabel().Visible = false;
  FLayout.Labels.insert(FLayout.Labels.end(), std::begin(kLabels), std::end(kLabels));
  const TRapiManager* Rapi = ZQTTweakOptions->RapiManager;
  FLayout.Labels.back().Visible = !(Rapi && Rapi->Connected());
}
