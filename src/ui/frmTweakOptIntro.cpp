#include "frmTweakOptIntro.h"

#include "RapiMngr.h"
#include "ZQTTweakerManager.h"

namespace {

QLabel* AddLabel(QWidget* Page, const char* Name, const char* Caption, QRect Bounds,
                 const char* Style) {
  auto* Label = new QLabel(Caption, Page);
  Label->setObjectName(Name);
  Label->setGeometry(Bounds);
  Label->setWordWrap(true);
  Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label->setStyleSheet(Style);
  return Label;
}

}  // namespace

TTweakOptAbout::TTweakOptAbout(TOptionsSheetOwner* Owner, QWidget* Parent)
    : TOptionsSheetBase(Owner, Parent) {
  lbSheetBaseLabel->hide();
  Label1 =
      AddLabel(this, "Label1",
               "Welcome to Quorvanta Tweaker application. With this application you can tweak "
               "various advanced parameters which are not included to the settings in ZQT User "
               "Interface. ",
               QRect(16, 8, 356, 45), "color: #0000ff;");
  Label2 =
      AddLabel(this, "Label2",
               "Please note that we take great care to ensure that ZQTTweaker works as it "
               "should, but it is NOT part of Quorvanta application. For this reason our Support "
               "might not be able to answer questions about ZQTTweaker. ",
               QRect(16, 57, 356, 52), "color: #0000ff;");
  Label3 = AddLabel(this, "Label3",
                    "All settings listed in ZQTTweaker are subject to change without notification.",
                    QRect(16, 114, 356, 33), "color: #ff0000; font-weight: bold;");
  lbDevice = AddLabel(this, "lbDevice",
                      "Device is not detected. Please cradle your device to list ZQT PocketPC "
                      "options.",
                      QRect(13, 177, 364, 32), "color: #000000;");
  const TRapiManager* Device = ZQTTweakOptions->RapiManager;
  lbDevice->setVisible(!(Device && Device->Connected()));
}
